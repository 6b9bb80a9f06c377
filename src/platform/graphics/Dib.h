#pragma once
// Device-independent bitmaps: an info header, an optional palette or bit
// masks, and the pixel rows. Bitmap files wrap one in a file header; icons
// store one per image with twice the height (colour rows, then a mask).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/graphics/Bitmap.h"

namespace lumvex {

enum DibCompression : std::uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };

struct DibHeader {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows, always positive
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t masks[4] = {};  // red, green, blue, alpha (alpha may be 0)
    std::size_t paletteOffset = 0;  // from the start of the info header
    std::size_t paletteEntries = 0;  // as stored, may be more than the depth can index
    std::size_t paletteEntrySize = 4;  // 3 in the OS/2 core header
    // Where the pixels start when nothing else says so: right after the palette.
    std::size_t PixelsAfterPalette() const { return paletteOffset + paletteEntries * paletteEntrySize; }
};

// Reads and checks the info header at the start of dib (sizes, depth,
// compression, masks, that the palette lies inside dib). Raises EInvalidGraphic.
DibHeader ReadDibHeader(std::string_view dib);

// Decodes the pixel rows that start pixelOffset bytes into dib (after the
// header's height was set to the rows wanted). The bitmap's format is the
// file's depth; other bit-field layouts become pfCustom in the 32-bit layout
// with the alpha bits (if any) in the fourth byte.
TBitmap DecodeDib(const DibHeader& header, std::string_view dib, std::size_t pixelOffset);

// Bytes of one uncompressed row of the header's depth, padded to 32 bits.
std::int64_t DibStride(const DibHeader& header);

}  // namespace lumvex
