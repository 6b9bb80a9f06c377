#pragma once
// The CRC-32 of PNG chunks, for tests that write PNG files by hand.
#include <cstdint>
#include <string>

namespace lumvex::test {

inline std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

}  // namespace lumvex::test
