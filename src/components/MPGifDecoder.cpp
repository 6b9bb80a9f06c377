#include "components/MPGifDecoder.h"

#include <algorithm>
#include <cstring>

#include "components/MPGifRead.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Bitmap.h"

namespace lumvex {
namespace {

constexpr int MaxCodes = 4096;
constexpr int MaxCodeSize = 12;

// Where the next pixel goes: the current row and column, advancing row by
// row or through the four interlace passes.
class RowCursor {
public:
    RowCursor(TBitmap& bitmap, bool interlaced)
        : bitmap_(bitmap), width_(bitmap.Width()), height_(bitmap.Height()), interlaced_(interlaced) {
        row_ = height_ > 0 && width_ > 0 ? bitmap.ScanLine(0) : nullptr;
    }

    // Stores a decoded string (at most MaxCodes pixels).
    void Put(const std::uint8_t* pixels, int count) {
        while (count > 0 && row_) {
            const int n = std::min(count, width_ - x_);
            std::memcpy(row_ + x_, pixels, static_cast<std::size_t>(n));
            pixels += n;
            count -= n;
            x_ += n;
            if (x_ == width_) NextRow();
        }
    }
    // Room for count pixels in the current row, or nullptr.
    std::uint8_t* Reserve(int count) {
        if (!row_ || x_ + count > width_) return nullptr;
        std::uint8_t* at = row_ + x_;
        x_ += count;
        if (x_ == width_) NextRow();
        return at;
    }

private:
    void NextRow() {
        static constexpr int passStart[4] = {0, 4, 2, 1};
        static constexpr int passStep[4] = {8, 8, 4, 2};
        x_ = 0;
        if (!interlaced_) {
            ++y_;
        } else {
            y_ += passStep[pass_];
            while (y_ >= height_ && pass_ < 3) y_ = passStart[++pass_];
        }
        row_ = y_ < height_ ? bitmap_.ScanLine(y_) : nullptr;
    }

    TBitmap& bitmap_;
    int width_, height_;
    bool interlaced_;
    int x_ = 0, y_ = 0, pass_ = 0;
    std::uint8_t* row_;
};

}  // namespace

TDecoder::TDecoder(const TMPMemoryStream& source, int codeSize)
    : data_(source.Data()), end_(source.Data() + source.Size()), initialCodeSize_(codeSize) {
    if (codeSize < 2 || codeSize > 9)
        throw EInvalidGraphicOperation("Invalid LZW Code Size: " + IntToStr(codeSize));
}

void TDecoder::Decode(TBitmap& bitmap, bool interlaced) {
    const int clearCode = 1 << initialCodeSize_;
    const int endCode = clearCode + 1;
    std::uint16_t prefix[MaxCodes];
    std::uint8_t suffix[MaxCodes];
    std::uint8_t first[MaxCodes];
    std::uint16_t length[MaxCodes];
    std::uint8_t scratch[MaxCodes];
    for (int c = 0; c < clearCode; ++c) {
        first[c] = static_cast<std::uint8_t>(c);
        length[c] = 1;
    }

    RowCursor cursor(bitmap, interlaced);
    const std::uint8_t* in = data_;
    std::uint64_t bits = 0;
    int bitCount = 0;
    int codeSize = initialCodeSize_ + 1;
    int nextFree = clearCode + 2;
    int previous = -1;  // -1: at the start or right after a clear code

    for (;;) {
        if (bitCount < codeSize) {
            if (end_ - in >= 8) {
                std::uint64_t word;
                std::memcpy(&word, in, 8);  // little-endian hosts only
                bits |= word << bitCount;
                const int bytes = (63 - bitCount) >> 3;
                in += bytes;
                bitCount += bytes * 8;
            } else {
                while (bitCount < codeSize) {
                    if (in == end_) RaiseInvalidStreamFormat();
                    bits |= std::uint64_t(*in++) << bitCount;
                    bitCount += 8;
                }
            }
        }
        int code = static_cast<int>(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;

        if (code == clearCode) {
            codeSize = initialCodeSize_ + 1;
            nextFree = clearCode + 2;
            previous = -1;
            continue;
        }
        if (previous < 0) {
            if (code == endCode) RaiseInvalidStreamFormat();
            if (code >= nextFree) code = 0;
            const std::uint8_t pixel = static_cast<std::uint8_t>(code);
            cursor.Put(&pixel, 1);
            previous = code;
            continue;
        }
        if (nextFree >= MaxCodes) throw Exception("Code size overflow");
        if (code == endCode) return;
        if (code > nextFree) RaiseInvalidStreamFormat();

        prefix[nextFree] = static_cast<std::uint16_t>(previous);
        first[nextFree] = first[previous];
        suffix[nextFree] = first[code == nextFree ? previous : code];
        length[nextFree] = static_cast<std::uint16_t>(length[previous] + 1);
        ++nextFree;

        // Write the string back to front, straight into the row when it fits.
        const int count = length[code];
        std::uint8_t* out = cursor.Reserve(count);
        const bool direct = out != nullptr;
        if (!direct) out = scratch;
        std::uint8_t* p = out + count - 1;
        int c = code;
        while (c > endCode) {
            *p-- = suffix[c];
            c = prefix[c];
        }
        *p = static_cast<std::uint8_t>(c);
        if (!direct) cursor.Put(scratch, count);

        if (nextFree == (1 << codeSize) && codeSize < MaxCodeSize) ++codeSize;
        previous = code;
    }
}

}  // namespace lumvex
