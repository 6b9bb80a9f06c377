#pragma once
// Reading and writing the little-endian numbers of the desktop's file formats.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumvex {

// The caller has checked that the bytes are there.
inline std::uint16_t ReadU16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                      (static_cast<std::uint8_t>(bytes[at + 1]) << 8));
}
inline std::uint32_t ReadU32(std::string_view bytes, std::size_t at) {
    return ReadU16(bytes, at) | (std::uint32_t(ReadU16(bytes, at + 2)) << 16);
}
inline std::int32_t ReadI32(std::string_view bytes, std::size_t at) {
    return static_cast<std::int32_t>(ReadU32(bytes, at));
}

inline void WriteU16(char* out, std::uint16_t value) {
    out[0] = static_cast<char>(value & 0xFF);
    out[1] = static_cast<char>(value >> 8);
}
inline void WriteU32(char* out, std::uint32_t value) {
    WriteU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    WriteU16(out + 2, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace lumvex
