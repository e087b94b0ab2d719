// zoMemFile: a growable byte file held in memory as a table of equal-sized pages.
//
// Pages never move once allocated, so growing the file never copies data; only the table of
// page pointers is reallocated (16 entries, then +16, +32, +64, ... as the growth step doubles).
// The whole file is transferred to and from an operating-system descriptor in one pass.
//
// Results: 1 success, 0 failure, unless stated. `Seek` follows the stream convention
// (0 success, 1 failure). New pages are cleared to zero.
#pragma once

#include <cstdint>

#include "cellstore/export.h"

class CELLSTORE_API zoMemFile {
  public:
    zoMemFile();
    // Copies are deep: the copy gets its own pages holding the same bytes, the same page size,
    // size and position. A descriptor has one owner: a copy gets none, and an assigned-to file
    // keeps its own.
    zoMemFile(const zoMemFile& other);
    zoMemFile& operator=(const zoMemFile& other);
    virtual ~zoMemFile();

    // Releases every page and starts a fresh table of 16 entries with the first growth step
    // (16), as in a new file, so repeated use never grows the table. Keeps the page size and
    // the descriptor.
    void ReInit();

    // Page size in bytes (0 becomes 1). Takes effect only while the file holds no pages.
    void SetBufSize(unsigned n);
    unsigned GetBufSize() const { return m_pageSize; }
    int GetPos() const { return static_cast<int>(m_position); }
    unsigned GetSize() const { return m_size; }
    // The page table's bookkeeping: pages held, table entries and the entries the next growth
    // of the table adds.
    unsigned GetPageCount() const { return m_pageCount; }
    unsigned GetTableEntries() const { return m_capacity; }
    int GetGrowthStep() const { return m_growthStep; }

    // origin 0: from the start, 1: from the position, 2: from the size. Returns 0 and moves on
    // success; returns 1 and keeps the position when the origin is unknown or the result would
    // be negative or beyond the 32-bit range. The position may lie beyond the size.
    int Seek(int offset, int origin);
    // Copies `length` bytes from the position; 0 (nothing copied) if that passes the size or
    // `buffer` is null. Length 0 gives 1.
    int Read(void* buffer, unsigned length);
    // Writes `length` bytes at the position, adding pages as needed; 0 if `data` is null, the
    // end would pass the 32-bit range, or a page cannot be allocated. Length 0 gives 1.
    int Write(const void* data, unsigned length);
    // Read or write at an absolute offset; the position is left as it was.
    int ReadAt(void* buffer, unsigned long offset, unsigned length);
    int WriteAt(const void* data, unsigned long offset, unsigned length);
    // Pointer to byte `offset` (contiguous to the end of its page), or null at or past the size.
    void* operator[](unsigned offset);

    // Opens a file with open(2) flags and permission mode; stores and returns the descriptor
    // (-1 on failure). The wide overload takes a UTF-16 name.
    int OpenFile(const char* name, int openFlags, int permission);
    int OpenFile(const char16_t* name, int openFlags, int permission);
    // Adopts an open descriptor and returns it.
    int FromHandle(int descriptor);
    // Closes the descriptor and forgets it; 0 on success, -1 on failure or when none is held.
    int CloseFile();
    int GetHandle() const { return m_descriptor; }
    // Replaces the contents with the whole file behind the descriptor. 0 without a descriptor,
    // when the length cannot be found, the file passes the 32-bit range, or a read fails
    // (the memory file is then empty).
    int LoadFile();
    // Writes the contents to the descriptor from offset 0 (an empty file writes nothing and
    // gives 1). 0 without a descriptor or when any write fails. The disk file is not shortened.
    int SaveFile();

  protected:
    // Releases every page and the table; page count, size and position become 0.
    virtual void Clear();
    int GetCurPageIndex() const;
    int GetPageIndex(unsigned long offset) const;
    char* GetPage(unsigned index) const;
    // Appends one zeroed page, growing the table when full; 0 if allocation fails.
    int AddPage();
    // Releases one page and leaves its entry null; 0 if `index` is not below the page count.
    int ClearPage(unsigned index);

    uint32_t m_pageCount = 0;
    char** m_pages = nullptr;
    uint32_t m_pageSize = 1024;
    uint32_t m_position = 0;
    uint32_t m_size = 0;
    int32_t m_growthStep = 16;
    uint32_t m_capacity = 16;
    int m_descriptor = -1;

  private:
    void NewTable();
    void CopyContentsFrom(const zoMemFile& other);
    // Copies between the file and `bytes`, page piece by page piece, starting at the position.
    void CopyOut(char* bytes, uint32_t length) const;
    void CopyIn(const char* bytes, uint32_t length);
};
