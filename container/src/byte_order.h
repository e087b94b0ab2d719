// Little-endian put/get of the fixed-width fields every stored record is made of.
#pragma once

#include <cstdint>

namespace cellstore::detail {

inline void PutU32(unsigned char* out, uint32_t value) {
    out[0] = static_cast<unsigned char>(value);
    out[1] = static_cast<unsigned char>(value >> 8);
    out[2] = static_cast<unsigned char>(value >> 16);
    out[3] = static_cast<unsigned char>(value >> 24);
}

inline void PutI32(unsigned char* out, int32_t value) {
    PutU32(out, static_cast<uint32_t>(value));
}

inline uint32_t GetU32(const unsigned char* in) {
    return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
           static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}

inline int32_t GetI32(const unsigned char* in) {
    return static_cast<int32_t>(GetU32(in));
}

inline void PutU16(unsigned char* out, uint16_t value) {
    out[0] = static_cast<unsigned char>(value);
    out[1] = static_cast<unsigned char>(value >> 8);
}

inline uint16_t GetU16(const unsigned char* in) {
    return static_cast<uint16_t>(in[0] | in[1] << 8);
}

}  // namespace cellstore::detail
