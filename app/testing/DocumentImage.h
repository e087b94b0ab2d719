// A document as the records its file would hold, so that a test can tell whether a command
// left a document exactly as it was (grid, graph, path results, settings, everything stored).
#pragma once

#include <cstdint>
#include <tuple>
#include <vector>

#include "document/DocumentFile.h"
#include "document/DocumentFileRecords.h"

using DocumentImage = std::vector<std::tuple<int32_t, uint32_t, std::vector<uint8_t>>>;

inline DocumentImage ImageOf(const CORVDoc& doc) {
    MemoryRecords records;
    WriteDocumentRecords(doc, records);
    DocumentImage image;
    for (const MemoryRecords::Block& block : records.blocks()) {
        image.emplace_back(block.type, block.elementSize, block.bytes);
    }
    return image;
}
