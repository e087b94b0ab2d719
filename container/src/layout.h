// The container's fixed records: sizes, places and their field-by-field encoding.
#pragma once

#include <cstdint>

#include "cellstore/records.h"

namespace cellstore::detail {

constexpr uint32_t kTopHeaderSize = 32;
constexpr uint32_t kFileHeaderOffset = 32;
constexpr uint32_t kFileHeaderSize = 16;
constexpr uint32_t kFirstObjectOffset = 48;  // where the first type cell of a container goes
constexpr uint32_t kCellSize = 28;
constexpr uint32_t kRecordSize = 12;
constexpr uint32_t kLengthWordSize = 4;  // u32 length in front of a variable-size element
// Addresses are signed 32-bit with -1 for none, so no byte may lie at or past 2^31 - 1.
constexpr uint64_t kMaxContainerSize = 0x7FFFFFFF;

void EncodeHeader(const zoBinFileHeader& header, unsigned char out[kFileHeaderSize]);
zoBinFileHeader DecodeHeader(const unsigned char in[kFileHeaderSize]);
void EncodeCell(const zoBinFileTypeCell& cell, unsigned char out[kCellSize]);
zoBinFileTypeCell DecodeCell(const unsigned char in[kCellSize]);
void EncodeRecord(const zoBinFileDataAddress& record, unsigned char out[kRecordSize]);
zoBinFileDataAddress DecodeRecord(const unsigned char in[kRecordSize]);

}  // namespace cellstore::detail
