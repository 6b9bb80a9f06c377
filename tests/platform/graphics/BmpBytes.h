#pragma once
// Builds bitmap and icon files byte by byte for the codec tests.
#include <cstdint>
#include <initializer_list>
#include <string>

namespace lumvex::test {

class Bytes {
public:
    Bytes& U8(unsigned v) { s_ += static_cast<char>(v & 0xFF); return *this; }
    Bytes& U16(unsigned v) { return U8(v).U8(v >> 8); }
    Bytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    Bytes& List(std::initializer_list<unsigned> values) {
        for (unsigned v : values) U8(v);
        return *this;
    }
    Bytes& Raw(const std::string& bytes) { s_ += bytes; return *this; }
    Bytes& Zeros(std::size_t n) { s_.append(n, '\0'); return *this; }
    // Palette entries (colours as 0x00BBGGRR) stored as blue, green, red and,
    // unless the entries are three bytes, a zero byte.
    Bytes& Colours(std::initializer_list<std::uint32_t> colours, bool threeBytes = false) {
        for (std::uint32_t c : colours) {
            U8(c >> 16).U8(c >> 8).U8(c);
            if (!threeBytes) U8(0);
        }
        return *this;
    }
    const std::string& str() const { return s_; }
    std::size_t size() const { return s_.size(); }

private:
    std::string s_;
};

struct InfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    unsigned bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[4] = {};  // red, green, blue, alpha: written when the header holds them

    std::string str() const {
        Bytes b;
        if (size == 12) {
            b.U32(12).U16(static_cast<unsigned>(width)).U16(static_cast<unsigned>(height)).U16(1).U16(bits);
            return b.str();
        }
        b.U32(size).U32(static_cast<std::uint32_t>(width)).U32(static_cast<std::uint32_t>(height)).U16(1).U16(bits);
        if (size >= 40) b.U32(compression).U32(0).U32(2835).U32(2835).U32(colorsUsed).U32(0);
        for (int i = 0; i < 4 && b.size() + 4 <= size; ++i) b.U32(masks[i]);
        b.Zeros(size - b.size());
        return b.str();
    }
};

// A file header in front of the headers (and palette), with the pixels after them.
inline std::string BmpFile(const std::string& headers, const std::string& pixels) {
    Bytes b;
    b.U8('B').U8('M').U32(static_cast<std::uint32_t>(14 + headers.size() + pixels.size())).U32(0);
    b.U32(static_cast<std::uint32_t>(14 + headers.size()));
    return b.Raw(headers).Raw(pixels).str();
}

}  // namespace lumvex::test
