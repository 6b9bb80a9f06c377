#include "platform/graphics/Dib.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/SysUtils.h"
#include "platform/graphics/DibRle.h"
#include "platform/graphics/LittleEndian.h"

namespace lumvex {
namespace {

constexpr std::uint32_t Masks555[3] = {0x7C00, 0x03E0, 0x001F};
constexpr std::uint32_t Masks565[3] = {0xF800, 0x07E0, 0x001F};
constexpr std::uint32_t Masks888[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};

bool SameMasks(const DibHeader& h, const std::uint32_t (&masks)[3]) {
    return h.masks[0] == masks[0] && h.masks[1] == masks[1] && h.masks[2] == masks[2];
}

bool KnownHeaderSize(std::uint32_t size) {
    switch (size) {
    case 12: case 16: case 40: case 52: case 56: case 64: case 108: case 124: return true;
    default: return false;
    }
}

void CheckCompression(const DibHeader& h) {
    const std::string what = "Unsupported bitmap compression (" + IntToStr(h.compression) + ") for " +
                             IntToStr(h.bitCount) + " bits per pixel";
    switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: throw EInvalidGraphic("Unsupported bitmap depth of " + IntToStr(h.bitCount) + " bits per pixel");
    }
    // In the OS/2 header 3 and 4 name Huffman and 24-bit run-length coding.
    if (h.headerSize == 64 && h.compression >= 3) throw EInvalidGraphic(what);
    switch (h.compression) {
    case BI_RGB: return;
    case BI_RLE8: if (h.bitCount == 8) return; break;
    case BI_RLE4: if (h.bitCount == 4) return; break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS: if (h.bitCount == 16 || h.bitCount == 32) return; break;
    default: break;
    }
    throw EInvalidGraphic(what);
}

// Masks come from the header itself (52 bytes and longer) or follow a
// 40-byte header; without bit fields the depth's default layout applies.
void ReadMasks(DibHeader& h, std::string_view dib) {
    const bool bitFields = h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS;
    if (!bitFields) {
        const std::uint32_t* defaults = h.bitCount == 16 ? Masks555 : Masks888;
        std::copy(defaults, defaults + 3, h.masks);
        return;
    }
    const int count = h.compression == BI_ALPHABITFIELDS ? 4 : 3;
    if (h.headerSize == 40) {
        if (dib.size() < 40 + 4u * count) throw EInvalidGraphic("Bitmap colour masks are truncated");
        for (int i = 0; i < count; ++i) h.masks[i] = ReadU32(dib, 40 + 4 * i);
        h.paletteOffset += 4u * count;
    } else {
        for (int i = 0; i < 4 && 40u + 4 * i + 4 <= h.headerSize; ++i) h.masks[i] = ReadU32(dib, 40 + 4 * i);
    }
    const std::uint32_t depthBits = h.bitCount == 32 ? 0xFFFFFFFFu : 0xFFFFu;
    for (std::uint32_t& mask : h.masks) mask &= depthBits;
    if (!h.masks[0] || !h.masks[1] || !h.masks[2]) throw EInvalidGraphic("Bitmap colour mask is zero");
}

TPixelFormat FileFormat(const DibHeader& h) {
    switch (h.bitCount) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 16:
        if (SameMasks(h, Masks555)) return TPixelFormat::pf15bit;
        if (SameMasks(h, Masks565)) return TPixelFormat::pf16bit;
        return TPixelFormat::pfCustom;
    case 24: return TPixelFormat::pf24bit;
    default: return SameMasks(h, Masks888) ? TPixelFormat::pf32bit : TPixelFormat::pfCustom;
    }
}

std::vector<TRGBQuad> ReadPalette(const DibHeader& h, std::string_view dib) {
    const std::size_t size = std::size_t(1) << h.bitCount;
    const std::size_t used = std::min(h.paletteEntries, size);
    if (h.paletteOffset > dib.size() || used * h.paletteEntrySize > dib.size() - h.paletteOffset)
        throw EInvalidGraphic("Bitmap palette runs past the end of the file");
    std::vector<TRGBQuad> palette(size);
    for (std::size_t i = 0; i < used; ++i) {
        const std::size_t at = h.paletteOffset + i * h.paletteEntrySize;
        palette[i] = TRGBQuad{static_cast<std::uint8_t>(dib[at]), static_cast<std::uint8_t>(dib[at + 1]),
                              static_cast<std::uint8_t>(dib[at + 2]), 0};
    }
    return palette;
}

// One colour channel of a bit-field pixel, scaled to 0..255.
struct Channel {
    explicit Channel(std::uint32_t m) : mask(m), shift(m ? std::countr_zero(m) : 0), max(m >> shift) {}
    std::uint8_t operator()(std::uint32_t pixel) const {
        if (!mask) return 0;
        return static_cast<std::uint8_t>((std::uint64_t((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
    std::uint32_t mask;
    int shift;
    std::uint32_t max;
};

void ConvertBitFieldRow(const DibHeader& h, const std::uint8_t* src, std::uint8_t* dst) {
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    const std::string_view row(reinterpret_cast<const char*>(src), static_cast<std::size_t>(h.width * h.bitCount / 8));
    for (std::int64_t x = 0; x < h.width; ++x) {
        const std::uint32_t v = h.bitCount == 16 ? ReadU16(row, 2 * x) : ReadU32(row, 4 * x);
        dst[4 * x] = blue(v);
        dst[4 * x + 1] = green(v);
        dst[4 * x + 2] = red(v);
        dst[4 * x + 3] = alpha(v);
    }
}

TBitmap DecodeUncompressed(const DibHeader& h, std::string_view data, TPixelFormat format) {
    const std::int64_t stride = DibStride(h);
    const std::int64_t rowBytes = (h.width * h.bitCount + 7) / 8;
    const std::int64_t needed = stride * (h.height - 1) + rowBytes;
    if (std::int64_t(data.size()) < needed)
        throw EInvalidGraphic("Bitmap pixel data is truncated: " + IntToStr(std::int64_t(data.size())) +
                              " bytes where the rows need " + IntToStr(needed));
    const int width = static_cast<int>(h.width), height = static_cast<int>(h.height);
    TBitmap bitmap = TBitmap::Uninitialised(width, height, format);
    const auto* src = reinterpret_cast<const std::uint8_t*>(data.data());
    for (int r = 0; r < height; ++r) {
        std::uint8_t* dst = bitmap.ScanLine(h.topDown ? r : height - 1 - r);
        const std::int64_t at = stride * r;
        if (format == TPixelFormat::pfCustom) {
            ConvertBitFieldRow(h, src + at, dst);
            continue;
        }
        // The last row may lack its padding.
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(stride, std::int64_t(data.size()) - at));
        std::memcpy(dst, src + at, n);
        if (n < std::size_t(stride)) std::memset(dst + n, 0, std::size_t(stride) - n);
    }
    return bitmap;
}

}  // namespace

std::int64_t DibStride(const DibHeader& header) { return ((header.width * header.bitCount + 31) / 32) * 4; }

DibHeader ReadDibHeader(std::string_view dib) {
    if (dib.size() < 4) throw EInvalidGraphic("Bitmap header is truncated");
    DibHeader h;
    h.headerSize = ReadU32(dib, 0);
    if (!KnownHeaderSize(h.headerSize))
        throw EInvalidGraphic("Unsupported bitmap header size of " + IntToStr(h.headerSize) + " bytes");
    if (dib.size() < h.headerSize) throw EInvalidGraphic("Bitmap header is truncated");
    std::uint32_t colorsUsed = 0;
    if (h.headerSize == 12) {  // OS/2 core header: 16-bit sizes, 3-byte palette entries
        h.width = ReadU16(dib, 4);
        h.height = ReadU16(dib, 6);
        h.bitCount = ReadU16(dib, 10);
        h.paletteEntrySize = 3;
    } else {
        h.width = ReadI32(dib, 4);
        const std::int64_t height = ReadI32(dib, 8);
        h.topDown = height < 0;
        h.height = h.topDown ? -height : height;
        h.bitCount = ReadU16(dib, 14);
        if (h.headerSize >= 40) {
            h.compression = ReadU32(dib, 16);
            colorsUsed = ReadU32(dib, 32);
        }
    }
    if (h.width <= 0 || h.height == 0)
        throw EInvalidGraphic("Bitmap size of " + IntToStr(h.width) + " x " + IntToStr(h.height) + " is invalid");
    CheckPictureSize(h.width, h.height);
    CheckCompression(h);
    h.paletteOffset = h.headerSize;
    if (h.bitCount > 8) ReadMasks(h, dib);
    h.paletteEntries = h.bitCount <= 8 && colorsUsed == 0 ? std::size_t(1) << h.bitCount : colorsUsed;
    return h;
}

TBitmap DecodeDib(const DibHeader& header, std::string_view dib, std::size_t pixelOffset) {
    std::vector<TRGBQuad> palette;
    if (header.bitCount <= 8) palette = ReadPalette(header, dib);
    if (pixelOffset > dib.size()) throw EInvalidGraphic("Bitmap pixel data offset lies past the end of the file");
    const std::string_view data = dib.substr(pixelOffset);
    const TPixelFormat format = FileFormat(header);
    TBitmap bitmap = header.compression == BI_RLE4 || header.compression == BI_RLE8
                         ? DecodeRle(header, data, format)
                         : DecodeUncompressed(header, data, format);
    if (!palette.empty()) bitmap.SetPalette(std::move(palette));
    return bitmap;
}

}  // namespace lumvex
