#include "platform/graphics/DibRle.h"

#include <algorithm>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

// Runs, end-of-line and move codes let a few bytes cover many pixels, but a
// real file stays within this ratio; more means a header asking for memory.
constexpr std::int64_t MaxPixelBytesPerDataByte = 4096;
constexpr std::int64_t AlwaysAllowedBytes = std::int64_t(16) << 20;

class RleWriter {
public:
    RleWriter(const DibHeader& header, TBitmap& bitmap)
        : bitmap_(bitmap), width_(header.width), height_(header.height), topDown_(header.topDown),
          fourBits_(header.compression == BI_RLE4), paddedWidth_(DibStride(header) * 8 / header.bitCount) {}

    // The row the next count pixels go to, checked to hold them. Some
    // writers fill a row up to its 32-bit padding; those pixels are dropped.
    std::uint8_t* Reserve(std::int64_t count) {
        if (y_ >= height_) throw EInvalidGraphic("Compressed bitmap data runs past the last row");
        if (count > paddedWidth_ - x_) throw EInvalidGraphic("Compressed bitmap run runs past the end of a row");
        return bitmap_.ScanLine(static_cast<int>(topDown_ ? y_ : height_ - 1 - y_));
    }
    void Put(std::uint8_t* row, std::uint8_t index) {
        const std::int64_t x = x_++;
        if (x >= width_) return;
        if (fourBits_) {
            std::uint8_t& b = row[x >> 1];
            b = (x & 1) ? static_cast<std::uint8_t>((b & 0xF0) | index) : static_cast<std::uint8_t>((b & 0x0F) | (index << 4));
        } else {
            row[x] = index;
        }
    }
    void EndOfLine() {
        x_ = 0;
        if (y_ < height_) ++y_;
    }
    void Move(int dx, int dy) {
        x_ += dx;
        y_ += dy;
        if (x_ > width_ || y_ > height_) throw EInvalidGraphic("Compressed bitmap moves past the picture");
    }
    bool Finished() const { return y_ >= height_; }
    bool FourBits() const { return fourBits_; }

private:
    TBitmap& bitmap_;
    std::int64_t width_, height_;
    bool topDown_;
    bool fourBits_;
    std::int64_t paddedWidth_;
    std::int64_t x_ = 0, y_ = 0;  // y counts stored rows
};

}  // namespace

TBitmap DecodeRle(const DibHeader& header, std::string_view data, TPixelFormat format) {
    const std::int64_t pixelBytes = BytesPerLine(static_cast<int>(header.width), format) * header.height;
    if (pixelBytes > std::max(AlwaysAllowedBytes, std::int64_t(data.size()) * MaxPixelBytesPerDataByte))
        throw EInvalidGraphic("Compressed bitmap data is far too short for " + IntToStr(header.width) + " x " +
                              IntToStr(header.height) + " pixels");
    TBitmap bitmap(static_cast<int>(header.width), static_cast<int>(header.height), format);
    RleWriter out(header, bitmap);
    auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(data[at]); };
    std::size_t at = 0;
    while (true) {
        if (at == data.size()) {
            if (out.Finished()) return bitmap;
            throw EInvalidGraphic("Compressed bitmap data ends before its last row");
        }
        if (data.size() - at < 2) throw EInvalidGraphic("Compressed bitmap data ends in the middle of a code");
        const std::uint8_t count = byte(at), value = byte(at + 1);
        at += 2;
        if (count > 0) {  // a run of one index, or two alternating ones in 4 bits
            std::uint8_t* row = out.Reserve(count);
            for (int i = 0; i < count; ++i)
                out.Put(row, out.FourBits() ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0: out.EndOfLine(); break;
        case 1: return bitmap;
        case 2:
            if (data.size() - at < 2) throw EInvalidGraphic("Compressed bitmap data ends in the middle of a code");
            out.Move(byte(at), byte(at + 1));
            at += 2;
            break;
        default: {  // value literal indices, padded to a 16-bit boundary
            const std::size_t bytes = out.FourBits() ? (value + 1u) / 2 : value;
            if (data.size() - at < bytes) throw EInvalidGraphic("Compressed bitmap data ends in the middle of a code");
            std::uint8_t* row = out.Reserve(value);
            for (int i = 0; i < value; ++i)
                out.Put(row, out.FourBits() ? ((i & 1) ? byte(at + i / 2) & 0x0F : byte(at + i / 2) >> 4) : byte(at + i));
            at = std::min(data.size(), at + bytes + (bytes & 1));
        }
        }
    }
}

}  // namespace lumvex
