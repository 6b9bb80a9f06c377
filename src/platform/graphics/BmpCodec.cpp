#include "platform/graphics/BmpCodec.h"

#include <cstring>

#include "platform/SysUtils.h"
#include "platform/graphics/Dib.h"
#include "platform/graphics/LittleEndian.h"

namespace lumvex {
namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;

// Where the pixels start, from the file header's offset; 0 means right after
// the palette. An OS/2 file may store fewer palette entries than its depth
// has and says so only through this offset.
std::size_t PixelOffset(std::string_view file, DibHeader& header) {
    const std::uint32_t offset = ReadU32(file, 10);
    if (offset == 0) return header.PixelsAfterPalette();
    if (offset < FileHeaderSize + header.paletteOffset)
        throw EInvalidGraphic("Bitmap pixel data offset points into the header");
    const std::size_t pixels = offset - FileHeaderSize;
    if (header.bitCount <= 8 && pixels < header.PixelsAfterPalette())
        header.paletteEntries = (pixels - header.paletteOffset) / header.paletteEntrySize;
    return pixels;
}

struct FileLayout {
    int bitCount;
    std::uint32_t compression;
    std::size_t paletteEntries;
};

FileLayout LayoutFor(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf1bit: return {1, BI_RGB, 2};
    case TPixelFormat::pf4bit: return {4, BI_RGB, 16};
    case TPixelFormat::pf8bit: return {8, BI_RGB, 256};
    case TPixelFormat::pf15bit: return {16, BI_RGB, 0};
    case TPixelFormat::pf16bit: return {16, BI_BITFIELDS, 0};
    case TPixelFormat::pf24bit: return {24, BI_RGB, 0};
    default: return {32, BI_RGB, 0};  // device and custom pixels are kept as 32 bits
    }
}

}  // namespace

TBitmap ReadBmp(std::string_view bytes) {
    if (bytes.empty()) throw EInvalidGraphic("Bitmap file is empty");
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        throw EInvalidGraphic("Not a bitmap file: the signature \"BM\" is missing");
    if (bytes.size() < FileHeaderSize) throw EInvalidGraphic("Bitmap file header is truncated");
    const std::string_view dib = bytes.substr(FileHeaderSize);
    DibHeader header = ReadDibHeader(dib);
    const std::size_t pixels = PixelOffset(bytes, header);
    return DecodeDib(header, dib, pixels);
}

std::string WriteBmp(const TBitmap& bitmap) {
    if (bitmap.Empty()) throw EInvalidGraphicOperation("Cannot save an empty bitmap");
    const FileLayout layout = LayoutFor(bitmap.PixelFormat());
    const std::size_t masksSize = layout.compression == BI_BITFIELDS ? 12 : 0;
    const std::size_t pixelOffset = FileHeaderSize + InfoHeaderSize + masksSize + layout.paletteEntries * 4;
    const auto stride = static_cast<std::size_t>(bitmap.BytesPerLine());
    const std::size_t imageSize = stride * static_cast<std::size_t>(bitmap.Height());
    if (pixelOffset + imageSize > 0xFFFFFFFFu) throw EOutOfResources("Bitmap is too large for a bitmap file");

    std::string out(pixelOffset + imageSize, '\0');
    char* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    WriteU32(p + 2, static_cast<std::uint32_t>(out.size()));
    WriteU32(p + 10, static_cast<std::uint32_t>(pixelOffset));
    char* info = p + FileHeaderSize;
    WriteU32(info, InfoHeaderSize);
    WriteU32(info + 4, static_cast<std::uint32_t>(bitmap.Width()));
    WriteU32(info + 8, static_cast<std::uint32_t>(bitmap.Height()));  // positive: bottom-up
    WriteU16(info + 12, 1);
    WriteU16(info + 14, static_cast<std::uint16_t>(layout.bitCount));
    WriteU32(info + 16, layout.compression);
    WriteU32(info + 20, static_cast<std::uint32_t>(imageSize));
    WriteU32(info + 24, 3780);  // 96 pixels an inch
    WriteU32(info + 28, 3780);
    char* extra = info + InfoHeaderSize;
    if (masksSize) {
        WriteU32(extra, 0xF800);
        WriteU32(extra + 4, 0x07E0);
        WriteU32(extra + 8, 0x001F);
    }
    const std::vector<TRGBQuad>& palette = bitmap.Palette();
    for (std::size_t i = 0; i < layout.paletteEntries && i < palette.size(); ++i)
        std::memcpy(extra + i * 4, &palette[i], 4);
    for (int y = 0; y < bitmap.Height(); ++y)
        std::memcpy(p + pixelOffset + stride * static_cast<std::size_t>(bitmap.Height() - 1 - y), bitmap.ScanLine(y),
                    stride);
    return out;
}

}  // namespace lumvex
