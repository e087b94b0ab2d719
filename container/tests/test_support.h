// Helpers for the container tests: scratch files and little-endian byte builders.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace cellstore_test {

using Bytes = std::vector<unsigned char>;

// Builds expected file contents field by field.
class ByteBuilder {
  public:
    ByteBuilder& I32(int32_t value) { return U32(static_cast<uint32_t>(value)); }
    ByteBuilder& U32(uint32_t value) {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
        return *this;
    }
    ByteBuilder& Zeros(size_t n) {
        m_bytes.insert(m_bytes.end(), n, 0);
        return *this;
    }
    ByteBuilder& Text(const std::string& text) {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        return *this;
    }
    ByteBuilder& Raw(const void* data, size_t n) {
        auto* p = static_cast<const unsigned char*>(data);
        m_bytes.insert(m_bytes.end(), p, p + n);
        return *this;
    }
    // The 48-byte empty container with the given header values.
    ByteBuilder& EmptyHeader(int32_t typeCount = 0, int32_t firstCell = -1) {
        return Zeros(32).U32(28).I32(typeCount).U32(0).I32(firstCell);
    }
    ByteBuilder& Cell(int32_t typeNo, int32_t elementSize, uint32_t count, uint32_t extra,
                      int32_t first, int32_t next, int32_t variable) {
        return I32(typeNo)
            .I32(elementSize)
            .U32(count)
            .U32(extra)
            .I32(first)
            .I32(next)
            .I32(variable);
    }
    ByteBuilder& Record(int32_t address, uint32_t count, int32_t next) {
        return I32(address).U32(count).I32(next);
    }
    const Bytes& Get() const { return m_bytes; }

  private:
    Bytes m_bytes;
};

// A private scratch directory, removed with its contents at the end of the test.
class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "cellstore-XXXXXX");
        char* made = mkdtemp(pattern.data());
        EXPECT_NE(made, nullptr);
        m_path = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline void PutI32At(Bytes& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<unsigned char>(static_cast<uint32_t>(value) >> (8 * i));
}

inline int32_t GetI32At(const Bytes& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
    return static_cast<int32_t>(value);
}

// The type count of the container's header.
inline int32_t TypeCountOf(const std::string& path) {
    return GetI32At(ReadFileBytes(path), 36);
}

}  // namespace cellstore_test
