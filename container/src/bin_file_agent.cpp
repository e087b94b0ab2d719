#include <unistd.h>

#include <cstring>
#include <new>
#include <vector>

#include "byte_order.h"
#include "byte_store.h"
#include "cellstore/agent.h"
#include "container_core.h"
#include "layout.h"
#include "no_throw.h"
#include "stdio_open.h"

using cellstore::detail::ContainerCore;
using cellstore::detail::kNone;
using cellstore::detail::MemFileStore;
using cellstore::detail::NoThrow;
using cellstore::detail::TouchedCell;

namespace {

constexpr unsigned kAgentPageSize = 0x10000;

// The format operations bound to an agent's memory file and header copy.
struct AgentCore {
    AgentCore(zoMemFile& file, zoBinFileHeader& header) : store(file), core(store, header) {}
    MemFileStore store;
    ContainerCore core;
};

// Adopts the descriptor of a freshly opened stream; the stream object itself is released.
template <class Char>
int OpenDescriptor(const Char* name, const Char* mode) {
    FILE* stream = cellstore::detail::OpenStream(name, mode);
    if (stream == nullptr)
        return -1;
    int descriptor = dup(fileno(stream));
    std::fclose(stream);
    return descriptor;
}

}  // namespace

zoBinFileAgent::zoBinFileAgent() {
    SetBufSize(kAgentPageSize);
}

zoBinFileAgent::zoBinFileAgent(const zoBinFileAgent& other) = default;

zoBinFileAgent& zoBinFileAgent::operator=(const zoBinFileAgent& other) = default;

zoBinFileAgent::~zoBinFileAgent() = default;

bool zoBinFileAgent::HasCurrentType(int typeNo) const {
    return m_currentCellAddress != kNone && m_currentCell.typeNo == typeNo;
}

void zoBinFileAgent::ForgetCurrentType() {
    m_currentCellAddress = -1;
    m_currentCell = zoBinFileTypeCell{};
    m_readCacheFlag = 0;
    m_readCacheType = -1;
}

void zoBinFileAgent::SetCurrentCell(long address, const zoBinFileTypeCell& cell) {
    m_currentCellAddress = static_cast<int32_t>(address);
    m_currentCell = cell;
}

long zoBinFileAgent::LookUpType(int typeNo, zoBinFileTypeCell& cell) {
    if (HasCurrentType(typeNo)) {
        cell = m_currentCell;
        return m_currentCellAddress;
    }
    AgentCore agent(*this, m_header);
    return agent.core.FindCell(typeNo, &cell);
}

int zoBinFileAgent::Init() {
    zoMemFile::ReInit();
    ForgetCurrentType();
    m_header = zoBinFileHeader{};
    AgentCore agent(*this, m_header);
    return WriteTopHeader() && agent.core.WriteHeader() ? 1 : 0;
}

int zoBinFileAgent::ReInit() {
    return 1;
}

int zoBinFileAgent::Open(const char* name, const char* mode) {
    return AdoptDescriptor(OpenDescriptor(name, mode), cellstore::detail::ModeReads(mode));
}

int zoBinFileAgent::Open(const char16_t* name, const char16_t* mode) {
    return AdoptDescriptor(OpenDescriptor(name, mode), cellstore::detail::ModeReads(mode));
}

// A descriptor held from an earlier Open is closed rather than leaked.
int zoBinFileAgent::AdoptDescriptor(int descriptor, bool load) {
    if (descriptor < 0)
        return 0;
    CloseFile();
    zoMemFile::ReInit();
    ForgetCurrentType();
    FromHandle(descriptor);
    return load ? Load() : 1;
}

int zoBinFileAgent::Load() {
    ForgetCurrentType();
    if (!LoadFile())
        return 0;
    AgentCore agent(*this, m_header);
    return agent.core.ReadHeader() ? 1 : 0;
}

int zoBinFileAgent::Save() {
    AgentCore agent(*this, m_header);
    if (!agent.core.WriteHeader())
        return 0;
    return SaveFile();
}

int zoBinFileAgent::Close() {
    CloseFile();
    return 1;
}

int zoBinFileAgent::AddData(const void* data, int typeNo, unsigned elementSize, unsigned count,
                            unsigned* firstIndex) {
    return NoThrow(0, [&] {
        AgentCore agent(*this, m_header);
        TouchedCell touched;
        bool added = agent.core.AddFixed(data, typeNo, elementSize, count, firstIndex,
                                         cellstore::detail::SizeRule::MustMatch, kNone, &touched);
        return NoteAddition(added, touched.address, touched.cell, touched.recordAddress,
                            touched.record);
    });
}

int zoBinFileAgent::AddDataV(const void* data, int typeNo, unsigned length, unsigned sizeField,
                             unsigned* index) {
    if (data == nullptr || length == 0)
        return 0;
    return NoThrow(0, [&] {
        AgentCore agent(*this, m_header);
        TouchedCell touched;
        bool added = agent.core.AddVariable(typeNo, static_cast<int32_t>(sizeField),
                                            {{data, length}}, index, kNone, &touched);
        return NoteAddition(added, touched.address, touched.cell, touched.recordAddress,
                            touched.record);
    });
}

// A successful addition's cell becomes current; a failed one may have left the cached cell
// behind the file, so the caches are dropped.
int zoBinFileAgent::NoteAddition(bool added, long cellAddress, const zoBinFileTypeCell& cell,
                                 long recordAddress, const zoBinFileDataAddress& record) {
    if (!added) {
        ForgetCurrentType();
        return 0;
    }
    SetCurrentCell(cellAddress, cell);
    m_currentRecordAddress = static_cast<int32_t>(recordAddress);
    m_currentRecord = record;
    return 1;
}

int zoBinFileAgent::AddString(const char* text, int typeNo, unsigned* index) {
    if (text == nullptr || text[0] == 0)
        return 0;
    return NoThrow(0, [&] {
        size_t length = std::strlen(text);
        if (length > cellstore::detail::kMaxContainerSize)
            return 0;
        std::vector<unsigned char> element(4 + length);
        cellstore::detail::PutU32(element.data(), static_cast<uint32_t>(length));
        std::memcpy(element.data() + 4, text, length);
        return AddData(element.data(), typeNo, static_cast<unsigned>(element.size()), 1, index);
    });
}

int zoBinFileAgent::GetData(void* buffer, int typeNo, int first, unsigned count) {
    zoBinFileTypeCell cell;
    if (buffer == nullptr || first < 0 || LookUpType(typeNo, cell) == kNone)
        return 0;
    AgentCore agent(*this, m_header);
    return agent.core.ReadFixedRun(cell, buffer, first, count) ? 1 : 0;
}

int zoBinFileAgent::GetData(void* buffer, int typeNo, int first, unsigned count,
                            unsigned elementSize) {
    zoBinFileTypeCell cell;
    if (elementSize == 0 || LookUpType(typeNo, cell) == kNone ||
        cell.elementSize != static_cast<int64_t>(elementSize))
        return 0;
    return GetData(buffer, typeNo, first, count);
}

int zoBinFileAgent::GetDataV(char*& buffer, int typeNo, int index) {
    if (index < 0)
        return 0;
    // The read cache only holds while the current cell is still that type's.
    if (!(m_readCacheFlag == 1 && m_readCacheType == typeNo && HasCurrentType(typeNo))) {
        zoBinFileTypeCell cell;
        AgentCore agent(*this, m_header);
        long address = agent.core.FindCell(typeNo, &cell);
        if (address == kNone)
            return 0;
        SetCurrentCell(address, cell);
        m_readCacheFlag = 1;
        m_readCacheType = typeNo;
    }
    if (m_currentCell.variable != 1)
        return 0;
    return GetVarDataFromCell(GetVarDataAddress(typeNo, static_cast<unsigned>(index), nullptr),
                              buffer);
}

unsigned zoBinFileAgent::GetElementCount(int typeNo) {
    zoBinFileTypeCell cell;
    return LookUpType(typeNo, cell) == kNone ? 0 : cell.elementCount;
}

int zoBinFileAgent::ReadTopHeader() {
    return ReadAt(m_topHeader, 0, sizeof m_topHeader);
}

int zoBinFileAgent::WriteTopHeader() {
    return WriteAt(m_topHeader, 0, sizeof m_topHeader);
}

unsigned zoBinFileAgent::GetTypeCount() const {
    return static_cast<unsigned>(m_header.typeCount);
}

long zoBinFileAgent::GetTypeAddress(int index) {
    AgentCore agent(*this, m_header);
    return agent.core.CellAddressAt(index);
}

long zoBinFileAgent::GetTypeAddressByType(int typeNo) {
    zoBinFileTypeCell cell;
    return LookUpType(typeNo, cell);
}

int zoBinFileAgent::GetTypeInfo(int index, zoBinFileTypeCell& cell) {
    AgentCore agent(*this, m_header);
    return agent.core.ReadCell(agent.core.CellAddressAt(index), cell) ? 1 : 0;
}

// A type that is not in the container leaves `cell` unchanged and still gives 1.
int zoBinFileAgent::GetTypeInfoByType(int typeNo, zoBinFileTypeCell& cell) {
    zoBinFileTypeCell found;
    if (LookUpType(typeNo, found) != kNone)
        cell = found;
    return 1;
}

int zoBinFileAgent::SetTypeInfo(int index, const zoBinFileTypeCell& cell) {
    AgentCore agent(*this, m_header);
    long address = agent.core.CellAddressAt(index);
    if (address == kNone)
        return 1;
    if (!agent.core.WriteCell(address, cell))
        return 0;
    if (address == m_currentCellAddress)
        SetCurrentCell(address, cell);
    return 1;
}

int zoBinFileAgent::SetTypeInfoByType(int typeNo, const zoBinFileTypeCell& cell) {
    zoBinFileTypeCell found;
    long address = LookUpType(typeNo, found);
    if (address == kNone)
        return 1;
    AgentCore agent(*this, m_header);
    if (!agent.core.WriteCell(address, cell))
        return 0;
    if (address == m_currentCellAddress)
        SetCurrentCell(address, cell);
    return 1;
}

int zoBinFileAgent::IsMatchType(int typeNo) {
    AgentCore agent(*this, m_header);
    return agent.core.FindCell(typeNo) != kNone ? 1 : 0;
}

int zoBinFileAgent::SeekNextTypeCell(const zoBinFileTypeCell& cell) {
    if (cell.nextCell == kNone)
        return 0;
    return Seek(cell.nextCell, 0) == 0 ? 1 : 0;
}

int zoBinFileAgent::AddTypeInfo(const zoBinFileTypeCell& cell, long* address) {
    AgentCore agent(*this, m_header);
    int64_t placed = kNone;
    if (!agent.core.AppendCell(cell, &placed, kNone))
        return 0;
    SetCurrentCell(static_cast<long>(placed), cell);
    if (address != nullptr)
        *address = static_cast<long>(placed);
    return 1;
}

long zoBinFileAgent::AddDataAddressA(int typeNo, const zoBinFileDataAddress& record,
                                     zoBinFileTypeCell& cell) {
    zoBinFileTypeCell found;
    long cellAddress = LookUpType(typeNo, found);
    if (cellAddress == kNone)
        return -1;
    AgentCore agent(*this, m_header);
    long placed = agent.core.LinkBlock(cellAddress, cell, record);
    if (placed != kNone && cellAddress == m_currentCellAddress)
        SetCurrentCell(cellAddress, cell);
    return placed;
}

long zoBinFileAgent::AppendDataAddress(int /*typeNo*/, const zoBinFileDataAddress& record) {
    unsigned char bytes[cellstore::detail::kRecordSize];
    cellstore::detail::EncodeRecord(record, bytes);
    AgentCore agent(*this, m_header);
    return agent.core.Append(bytes, sizeof bytes);
}

long zoBinFileAgent::GetFirstDataInfoAddress(int typeNo) {
    zoBinFileTypeCell cell;
    return LookUpType(typeNo, cell) == kNone ? -1 : cell.firstAddress;
}

long zoBinFileAgent::GetLastDataInfoAddress(int typeNo) {
    zoBinFileTypeCell cell;
    if (LookUpType(typeNo, cell) == kNone)
        return -1;
    AgentCore agent(*this, m_header);
    return agent.core.LastRecordAddress(cell);
}

long zoBinFileAgent::GetDataAddress(int typeNo, unsigned index, long* recordAddress) {
    return LocateElement(typeNo, index, recordAddress, false);
}

long zoBinFileAgent::LocateElement(int typeNo, unsigned index, long* recordAddress, bool variable) {
    zoBinFileTypeCell cell;
    if (LookUpType(typeNo, cell) == kNone)
        return -1;
    AgentCore agent(*this, m_header);
    int64_t record = kNone;
    int64_t address = variable ? agent.core.VarElementAddress(cell, index, &record)
                               : agent.core.FixedElementAddress(cell, index, &record);
    if (address != kNone && recordAddress != nullptr)
        *recordAddress = static_cast<long>(record);
    return address;
}

int zoBinFileAgent::GetDataAddressInfo(int typeNo, int n, zoBinFileDataAddress& record) {
    zoBinFileTypeCell cell;
    if (n < 0 || LookUpType(typeNo, cell) == kNone)
        return 0;
    AgentCore agent(*this, m_header);
    return agent.core.RecordAt(cell, n, record) ? 1 : 0;
}

int zoBinFileAgent::GetNextDataAddressInfo(const zoBinFileDataAddress& record,
                                           zoBinFileDataAddress& next) {
    if (record.next == kNone)
        return 0;
    AgentCore agent(*this, m_header);
    return agent.core.ReadRecord(record.next, next) ? 1 : 0;
}

long zoBinFileAgent::GetVarDataAddress(int typeNo, unsigned index, long* recordAddress) {
    return LocateElement(typeNo, index, recordAddress, true);
}

long zoBinFileAgent::GetVarAddressFromAddressInfo(const zoBinFileDataAddress& record, unsigned n) {
    AgentCore agent(*this, m_header);
    return agent.core.VarAddressInBlock(record, n);
}

long zoBinFileAgent::GetNextVarAddress(long address) {
    AgentCore agent(*this, m_header);
    return agent.core.NextVarAddress(address);
}

unsigned zoBinFileAgent::GetVarSizeAtAddress(long address) {
    AgentCore agent(*this, m_header);
    uint32_t length = 0;
    return agent.core.ReadLengthWord(address, length) ? length : 0;
}

int zoBinFileAgent::GetVarDataFromCell(long address, char*& buffer) {
    if (address == kNone)
        return 0;
    delete[] buffer;
    buffer = nullptr;
    AgentCore agent(*this, m_header);
    uint32_t length = 0;
    if (!agent.core.VarLengthAt(address, 1, length) || length == 0)
        return 0;
    buffer = new (std::nothrow) char[length];
    if (buffer == nullptr)
        return 0;
    if (!ReadAt(buffer, static_cast<unsigned long>(address) + 4, length)) {
        delete[] buffer;
        buffer = nullptr;
        return 0;
    }
    return 1;
}
