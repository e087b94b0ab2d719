// Flat functions over the container format (the same bytes as zoBinFileAgent).
//
// Stream functions (zoBf*) work directly on an open stdio stream with positioned reads and
// writes. Memory functions (zoBf*M) work on the library's one global memory file: zoBfOpenM
// loads the disk file into it, additions and reads happen in memory, zoBfCloseM writes it all
// back. Strings added with zoBfAddString[M] go under a settable string type number (stream and
// memory numbers are separate globals, initially -1), one fixed-size element {u32 length,
// characters} per block; wide strings store 16-bit characters and their count.
//
// Results: 1 success (or true), 0 failure (or false) unless stated. Buffers handed out by the
// library (zoBfGetString*) are allocated with new[] and released by the caller with delete[],
// or handed back to the next call, which releases them. No function throws. The flat interface
// serves one thread and one memory container at a time.
//
// Typical document round trip through memory:
//   zoBfIOMfSetPageSize(65536);
//   FILE* f = zoBfOpenM(path, "wb");  zoBfInitM();  zoBfSetStringTypeNoM(-1);
//   zoBfAddDataM(&version, 1, 4, 1, nullptr);  ...  zoBfCloseM(f);   // 0 = written and closed
//   f = zoBfOpenM(path, "rb");  zoBfGetDataM(&version, 1, 0, 1, 4);  ...  zoBfCloseM(f);
// Reading files from outside, prefer the zoBfGetData[M] forms that take the element size: the
// others copy count × whatever element size the file records into the caller's buffer.
#pragma once

#include <cstdio>

#include "cellstore/export.h"

class zoMemFile;

// ---- Stream functions -------------------------------------------------------------------

// Opens a stream with a stdio mode; null on failure.
CELLSTORE_API FILE* zoBfOpen(const char* name, const char* mode);
CELLSTORE_API FILE* zoBfOpen(const char16_t* name, const char16_t* mode);
// Closes the stream; fclose's result (0 on success, EOF for a null stream).
CELLSTORE_API int zoBfClose(FILE* stream);
// Writes the 48-byte empty container at the start of the stream; 0 if a write fails.
CELLSTORE_API int zoBfInit(FILE* stream);
// Appends `count` elements of `elementSize` bytes as one block of `typeNo` (creating the
// type). 0 for a null stream or data, zero size or count, a size other than the type's (except
// under the string type number), a variable-size type, or a failed write.
CELLSTORE_API int zoBfAddData(FILE* stream, const void* data, int typeNo, unsigned elementSize,
                              unsigned count, unsigned* firstIndex);
// Copies elements first .. first+count-1 of a fixed-size type; 0 if any is missing. `buffer`
// receives count × the type's recorded element size.
CELLSTORE_API int zoBfGetData(FILE* stream, void* buffer, int typeNo, int first, unsigned count);
// The same, refused (0, buffer untouched) unless the recorded element size is `elementSize`:
// the safe form for reading untrusted files into buffers sized by the caller.
CELLSTORE_API int zoBfGetData(FILE* stream, void* buffer, int typeNo, int first, unsigned count,
                              unsigned elementSize);
// Elements of the type; 0 for a missing type.
CELLSTORE_API unsigned zoBfGetElementCount(FILE* stream, int typeNo);
CELLSTORE_API int zoBfGetStringTypeNo();
CELLSTORE_API int zoBfSetStringTypeNo(int typeNo);
// Adds a non-empty string under the string type number; `index` receives its index.
CELLSTORE_API int zoBfAddString(FILE* stream, const char* text, unsigned* index);
CELLSTORE_API int zoBfAddString(FILE* stream, const char16_t* text, unsigned* index);
// Reads string n into a new zero-terminated buffer (see the release rule above); 0 (text
// null) if it is missing or empty.
CELLSTORE_API int zoBfGetString(FILE* stream, unsigned n, char*& text);
CELLSTORE_API int zoBfGetString(FILE* stream, unsigned n, char16_t*& text);
// Copies string n, zero-terminated, into `text` (room for length + 1 characters).
CELLSTORE_API int zoBfGetStringA(FILE* stream, unsigned n, char* text);
CELLSTORE_API int zoBfGetStringA(FILE* stream, unsigned n, char16_t* text);
// Stored length of string n (characters); 0 if missing.
CELLSTORE_API unsigned zoBfGetStrLeng(FILE* stream, unsigned n);
// Proposes an unused type number: the first gap above the smallest used number, else the
// largest + 1. 0 (usable untouched) for a container without types. `usable` (may be null)
// receives 0 when the proposal is the string type number, else 1.
CELLSTORE_API int zoBfGetAvailableTypeNo(FILE* stream, int* usable);
// 1 if a type cell with `typeNo` exists (never for the string type number).
CELLSTORE_API int zoBfIsAvailableTypeNo(FILE* stream, int typeNo);
// Rewrites the named container so that each type's data lies in one block. Works on a unique
// temporary file beside the container and replaces the container only if every step
// succeeded; 0 otherwise (the container is then untouched). The second argument is ignored.
// Strings under the stream string type number are carried as narrow strings: the format does
// not record a string's character width.
CELLSTORE_API int zoBfOptimize(const char* name, int ignored);
CELLSTORE_API int zoBfOptimize(const char16_t* name, int ignored);
CELLSTORE_API unsigned zoBfGetTopHeaderLength();

// ---- Memory functions (the global memory file) ------------------------------------------

// Page size of the global memory file (0 becomes 1). It takes effect at once if the memory file
// is empty, else when the next zoBfOpenM empties it; it never changes the file's bytes.
CELLSTORE_API void zoBfIOMfSetPageSize(unsigned size);
// Empties the memory file, opens the stream, adopts its descriptor and, for modes with 'r',
// loads the whole file. Null on failure (also when loading fails).
CELLSTORE_API FILE* zoBfOpenM(const char* name, const char* mode);
CELLSTORE_API FILE* zoBfOpenM(const char16_t* name, const char16_t* mode);
// Writes the whole memory file to the stream (unless it was opened read-only), closes it and
// forgets the descriptor. 0 on success; EOF if the stream is null, a write fails or the close
// fails. The memory contents stay until the next zoBfOpenM.
CELLSTORE_API int zoBfCloseM(FILE* stream);
// The global memory file, read-only (its size, page size and page table), for diagnostics.
CELLSTORE_API const zoMemFile& zoBfGetMemoryFileM();
// Writes the 48-byte empty container at the start of the memory file (not emptied first).
CELLSTORE_API int zoBfInitM();
CELLSTORE_API int zoBfAddDataM(const void* data, int typeNo, unsigned elementSize, unsigned count,
                               unsigned* firstIndex);
// As zoBfGetData on the memory file; the second form checks the recorded element size.
CELLSTORE_API int zoBfGetDataM(void* buffer, int typeNo, int first, unsigned count);
CELLSTORE_API int zoBfGetDataM(void* buffer, int typeNo, int first, unsigned count,
                               unsigned elementSize);
CELLSTORE_API unsigned zoBfGetElementCountM(int typeNo);
CELLSTORE_API unsigned zoBfGetTopHeaderLengthM();
CELLSTORE_API int zoBfGetStringTypeNoM();
CELLSTORE_API int zoBfSetStringTypeNoM(int typeNo);
CELLSTORE_API int zoBfAddStringM(const char* text, unsigned* index);
CELLSTORE_API int zoBfAddStringM(const char16_t* text, unsigned* index);
// Adds `count` strings as one variable-size block of `typeNo` (null or empty strings are
// stored with length 0). 0 for null `texts`, count 0 or an existing fixed-size type.
CELLSTORE_API int zoBfAddStringsM(int typeNo, unsigned count, const char** texts,
                                  unsigned* firstIndex);
// As zoBfGetString, except that an empty stored string gives 1 with `text` null.
CELLSTORE_API int zoBfGetStringM(unsigned n, char*& text);
CELLSTORE_API int zoBfGetStringM(unsigned n, char16_t*& text);
// As zoBfGetStringA, except that an empty stored string gives "" and 1.
CELLSTORE_API int zoBfGetStringAM(unsigned n, char* text);
CELLSTORE_API int zoBfGetStringAM(unsigned n, char16_t* text);
CELLSTORE_API unsigned zoBfGetStrLengM(unsigned n);
// Copies strings first .. first+count-1 of a variable-size type into texts[0 .. count-1]
// (each zero-terminated; room for its length + 1).
CELLSTORE_API int zoBfGetStringsAM(int typeNo, unsigned count, unsigned first, char** texts);
// Stores the lengths of the same strings in lengths[0 .. count-1].
CELLSTORE_API int zoBfGetStringsLengM(int typeNo, unsigned count, unsigned first,
                                      unsigned* lengths);
CELLSTORE_API int zoBfGetAvailableTypeNoM(int* usable);
CELLSTORE_API int zoBfIsAvailableTypeNoM(int typeNo);
