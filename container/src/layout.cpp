#include "layout.h"

#include "byte_order.h"

namespace cellstore::detail {

// File header, 16 bytes at offset 32:
//   0  u32  cell size (28)
//   4  i32  type count
//   8  u32  reserved (0)
//  12  i32  address of the first type cell, -1 for none
void EncodeHeader(const zoBinFileHeader& header, unsigned char out[kFileHeaderSize]) {
    PutU32(out + 0, header.cellSize);
    PutI32(out + 4, header.typeCount);
    PutU32(out + 8, header.reserved);
    PutI32(out + 12, header.firstCell);
}

zoBinFileHeader DecodeHeader(const unsigned char in[kFileHeaderSize]) {
    zoBinFileHeader header;
    header.cellSize = GetU32(in + 0);
    header.typeCount = GetI32(in + 4);
    header.reserved = GetU32(in + 8);
    header.firstCell = GetI32(in + 12);
    return header;
}

// Type cell, 28 bytes:
//   0  i32  typeNo
//   4  i32  elementSize
//   8  u32  elementCount
//  12  u32  extraBlocks
//  16  i32  firstAddress (first data-address record, -1 for none)
//  20  i32  nextCell (-1 for the last)
//  24  i32  variable (0 fixed-size, 1 variable-size)
void EncodeCell(const zoBinFileTypeCell& cell, unsigned char out[kCellSize]) {
    PutI32(out + 0, cell.typeNo);
    PutI32(out + 4, cell.elementSize);
    PutU32(out + 8, cell.elementCount);
    PutU32(out + 12, cell.extraBlocks);
    PutI32(out + 16, cell.firstAddress);
    PutI32(out + 20, cell.nextCell);
    PutI32(out + 24, cell.variable);
}

zoBinFileTypeCell DecodeCell(const unsigned char in[kCellSize]) {
    zoBinFileTypeCell cell;
    cell.typeNo = GetI32(in + 0);
    cell.elementSize = GetI32(in + 4);
    cell.elementCount = GetU32(in + 8);
    cell.extraBlocks = GetU32(in + 12);
    cell.firstAddress = GetI32(in + 16);
    cell.nextCell = GetI32(in + 20);
    cell.variable = GetI32(in + 24);
    return cell;
}

// Data-address record, 12 bytes:
//   0  i32  address of the block's first byte (-1 in an empty placeholder)
//   4  u32  count of elements in the block
//   8  i32  next record of the type (-1 for the last)
void EncodeRecord(const zoBinFileDataAddress& record, unsigned char out[kRecordSize]) {
    PutI32(out + 0, record.address);
    PutU32(out + 4, record.count);
    PutI32(out + 8, record.next);
}

zoBinFileDataAddress DecodeRecord(const unsigned char in[kRecordSize]) {
    zoBinFileDataAddress record;
    record.address = GetI32(in + 0);
    record.count = GetU32(in + 4);
    record.next = GetI32(in + 8);
    return record;
}

}  // namespace cellstore::detail
