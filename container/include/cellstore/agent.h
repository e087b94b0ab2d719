// zoBinFileAgent: a container of typed, append-only arrays, built and read in a paged memory
// file and transferred to disk whole (`Open` loads, `Save` writes).
//
// File layout (all fields 32-bit little-endian, addresses absolute, -1 = none):
//   0   32 bytes  top header (zeros; never interpreted)
//   32  16 bytes  file header {cell size 28, type count, 0, first cell address}
//   48  ...       type cells (28 bytes), data-address records (12 bytes) and data blocks,
//                 appended in order; nothing is ever moved or freed.
// A container never grows beyond 2^31 - 1 bytes: an addition that would pass it is refused.
//
// Results: 1 success, 0 failure unless stated; addresses are -1 when not found. Reading treats
// the file as untrusted: every address, count and length is checked against the real size,
// and every chain walk is bounded, so a damaged file gives failures, never a hang or crash.
// Lookups walk the chains (the memory file is open to direct writes, so nothing is indexed):
// a type of very many blocks costs a walk per addition and per read; the zoBf*M functions index
// their chains and suit such containers better.
#pragma once

#include <cstdint>

#include "cellstore/export.h"
#include "cellstore/memfile.h"
#include "cellstore/records.h"

class CELLSTORE_API zoBinFileAgent : public zoMemFile {
  public:
    // Empty memory file with 65536-byte pages, zero top header, no current type.
    zoBinFileAgent();
    // Copies are deep (own pages, same bytes, header and caches); descriptors are not copied.
    zoBinFileAgent(const zoBinFileAgent& other);
    zoBinFileAgent& operator=(const zoBinFileAgent& other);
    ~zoBinFileAgent() override;

    // Empties the memory file and writes the 48-byte empty container.
    int Init();
    // No effect.
    int ReInit();
    // Opens `name` with a stdio mode string; adopts its descriptor (the stream itself is not
    // kept). Modes containing 'r' load the file (result of `Load`), others give 1. 0 if the
    // file cannot be opened.
    int Open(const char* name, const char* mode);
    int Open(const char16_t* name, const char16_t* mode);
    // Reads the whole file and its 16-byte header; 0 if loading fails or the file is shorter
    // than 48 bytes.
    int Load();
    // Writes the header and the whole container to the descriptor; 0 if any write fails.
    int Save();
    // Closes the descriptor without saving; 1.
    int Close();

    // Appends `count` elements of `elementSize` bytes as one new block of `typeNo`, creating
    // the type if needed. 0 for null data, zero size or count, a size other than the type's,
    // a variable-size type, or when the container would pass its size limit. `firstIndex`
    // (may be null) receives the index of the first new element.
    int AddData(const void* data, int typeNo, unsigned elementSize, unsigned count,
                unsigned* firstIndex);
    // Appends one length-prefixed element of `length` bytes; a new type records `sizeField` as
    // its element size. 0 for null data, length 0, or an existing fixed-size type.
    int AddDataV(const void* data, int typeNo, unsigned length, unsigned sizeField,
                 unsigned* index);
    // Appends a non-empty string as one fixed-size element {u32 length, bytes}; all strings of
    // one type must have the same length.
    int AddString(const char* text, int typeNo, unsigned* index);
    // Copies elements first .. first+count-1 of a fixed-size type into `buffer` (count × the
    // recorded element size). The second form also refuses unless the recorded size is
    // `elementSize`, so that an untrusted file cannot overrun a caller-sized buffer.
    int GetData(void* buffer, int typeNo, int first, unsigned count);
    int GetData(void* buffer, int typeNo, int first, unsigned count, unsigned elementSize);
    // Reads variable-size element `index` into a new buffer of exactly its length. A non-null
    // `buffer` is released first (delete[]); the caller releases the result with delete[].
    // 0 (buffer null) if the element is missing, empty or the type is fixed-size.
    int GetDataV(char*& buffer, int typeNo, int index);
    // Elements of the type; 0 for a type not in the container.
    unsigned GetElementCount(int typeNo);
    unsigned GetTopHeaderLength() const { return 32; }

  protected:
    // The agent's building blocks, for subclasses. Addresses are absolute offsets, -1 when
    // missing; lookups by type number answer from the current cell when it is that type's.

    // The 32-byte top header from or to m_topHeader; 0 if the bytes cannot be moved.
    int ReadTopHeader();
    int WriteTopHeader();
    unsigned GetTypeCount() const;
    // Cell address by chain index (walking from the first cell) or by type number.
    long GetTypeAddress(int index);
    long GetTypeAddressByType(int typeNo);
    // 0 if the index has no cell. By type number: a missing type leaves `cell` as it was, 1.
    int GetTypeInfo(int index, zoBinFileTypeCell& cell);
    int GetTypeInfoByType(int typeNo, zoBinFileTypeCell& cell);
    // Overwrite a cell; 1 also when there is no such cell (nothing written), 0 on a failed write.
    int SetTypeInfo(int index, const zoBinFileTypeCell& cell);
    int SetTypeInfoByType(int typeNo, const zoBinFileTypeCell& cell);
    int IsMatchType(int typeNo);
    // Moves the position to the cell's next cell; 0 if there is none.
    int SeekNextTypeCell(const zoBinFileTypeCell& cell);
    // Appends a cell (its nextCell must be -1) and links it; `address` may be null.
    int AddTypeInfo(const zoBinFileTypeCell& cell, long* address);
    // Links a block record into the type's chain (filling an empty placeholder in place) and
    // updates `cell`; the record's address, -1 on failure.
    long AddDataAddressA(int typeNo, const zoBinFileDataAddress& record, zoBinFileTypeCell& cell);
    long AppendDataAddress(int typeNo, const zoBinFileDataAddress& record);
    long GetFirstDataInfoAddress(int typeNo);
    long GetLastDataInfoAddress(int typeNo);
    // Address of element `index` of a fixed-size type; `recordAddress` gets its block's record.
    long GetDataAddress(int typeNo, unsigned index, long* recordAddress);
    // The n-th record of the type's chain, and the record after `record`.
    int GetDataAddressInfo(int typeNo, int n, zoBinFileDataAddress& record);
    int GetNextDataAddressInfo(const zoBinFileDataAddress& record, zoBinFileDataAddress& next);
    // Address of the length word of variable-size element `index`, or of the n-th in a block.
    long GetVarDataAddress(int typeNo, unsigned index, long* recordAddress);
    long GetVarAddressFromAddressInfo(const zoBinFileDataAddress& record, unsigned n);
    // address + 4 + the length stored there; -1 if that cannot be read.
    long GetNextVarAddress(long address);
    // The length word at `address`; 0 if it cannot be read.
    unsigned GetVarSizeAtAddress(long address);
    // The element at `address` into a new buffer, as GetDataV.
    int GetVarDataFromCell(long address, char*& buffer);

    unsigned char m_topHeader[32] = {};
    zoBinFileHeader m_header;  // written to the file only by Init and Save
    int32_t m_readCacheFlag = 0;
    int32_t m_readCacheType = -1;
    int32_t m_currentCellAddress = -1;
    zoBinFileTypeCell m_currentCell;
    int32_t m_currentRecordAddress = -1;
    zoBinFileDataAddress m_currentRecord;

  private:
    bool HasCurrentType(int typeNo) const;
    void ForgetCurrentType();
    void SetCurrentCell(long address, const zoBinFileTypeCell& cell);
    // The type's cell from the current-cell cache or the chain; its address, or -1.
    long LookUpType(int typeNo, zoBinFileTypeCell& cell);
    int AdoptDescriptor(int descriptor, bool load);
    long LocateElement(int typeNo, unsigned index, long* recordAddress, bool variable);
    int NoteAddition(bool added, long cellAddress, const zoBinFileTypeCell& cell,
                     long recordAddress, const zoBinFileDataAddress& record);
};
