// The document file (.ovx): every member of the document written as typed records of a
// container in one fixed order, and read back by type and running index.
#pragma once

#include <climits>
#include <cstdint>
#include <string>

#include "document/CORVDoc.h"
#include "document/DocumentFileRecords.h"

inline constexpr int32_t kDocumentFileVersion = 1002;

// Adds every record of the document, in file order.
void WriteDocumentRecords(const CORVDoc& doc, DocumentRecordSink& sink);

// Reads the records into `doc`, which the caller has reset: by version, 999 and below and 1003
// and above read nothing; 1000 and 1001 bring the settings block up to date. Counts and indices
// are checked against what the source declares and really holds before anything is allocated:
// no run is longer than the source's bytes, and all runs together copy at most 4 times them
// plus 64 KiB. False when the file is damaged: a record the write order always writes is
// missing, out of bounds or inconsistent with its counts, or a coordinate or the extent is not a
// finite number (`doc` then holds a partial read and is to be discarded). The derived wall
// tables are rebuilt from the plan polygons rather than trusted.
bool ReadDocumentRecords(CORVDoc& doc, DocumentRecordSource& source);

struct DocumentFileResult {
    bool ok = false;
    std::string message;  // why not, in a sentence for the user
};

// Writes the document to a hidden temporary file beside `path`, flushes it to the disk and only
// then renames it over `path` and flushes the folder, so `path` is the old file or the whole new
// one, also after a crash or power cut. Temporary files of earlier saves of `path` whose process
// is gone are removed. A container that would pass the format's 32-bit addresses is
// refused before anything is written.
inline constexpr uint64_t kMaxContainerBytes = INT32_MAX;  // addresses are signed 32-bit
DocumentFileResult SaveDocumentFile(const CORVDoc& doc, const std::string& path,
                                    uint64_t maxContainerBytes = kMaxContainerBytes);

// Resets the document and reads the file into it; when the file cannot be opened, holds no
// version record (it is no document file) or is damaged (see ReadDocumentRecords) the document
// is left unchanged and the message says which.
DocumentFileResult LoadDocumentFile(CORVDoc& doc, const std::string& path);
