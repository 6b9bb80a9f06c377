#pragma once
// Run-length coded bitmap pixels (4 and 8 bits per pixel).
#include <string_view>

#include "platform/graphics/Dib.h"

namespace lumvex {

// Decodes the runs in data into a bitmap of the header's size; pixels the
// runs skip stay index 0. Raises EInvalidGraphic for runs past a row or the
// picture, data that ends early, or a picture far larger than its data.
TBitmap DecodeRle(const DibHeader& header, std::string_view data, TPixelFormat format);

}  // namespace lumvex
