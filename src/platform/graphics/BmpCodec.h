#pragma once
// Reading and writing the desktop's bitmap files (.bmp).
#include <string>
#include <string_view>

#include "platform/graphics/Bitmap.h"

namespace lumvex {

// Decodes a BMP file; raises EInvalidGraphic (or EOutOfResources for a
// picture over the size limit) on bad data. The bitmap's PixelFormat tells the
// file's depth: 15 for 16-bit 5-5-5, 16 for 5-6-5, custom for other bit fields.
TBitmap ReadBmp(std::string_view bytes);
// Encodes a bitmap uncompressed in its own format (paletted with its palette).
std::string WriteBmp(const TBitmap& bitmap);

}  // namespace lumvex
