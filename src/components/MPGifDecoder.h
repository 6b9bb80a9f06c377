#pragma once
// The LZW decoder of one GIF image: variable-length codes packed
// least-significant bit first, a 4096-entry table and no deferred clear.
#include <cstdint>

#include "components/MPHuge.h"

namespace lumvex {

class TBitmap;

class TDecoder {
public:
    // Raises EInvalidGraphicOperation "Invalid LZW Code Size: %d" for a
    // minimum code size outside 2 to 9.
    TDecoder(const TMPMemoryStream& source, int codeSize);

    // Sets each decoded index as one pixel of the 8-bit bitmap, row by row or
    // in the interlace order (rows 0, 4, 2, 1 stepping 8, 8, 4, 2). The end
    // code ends the image however many pixels are missing; pixels beyond the
    // last row are dropped. Raises EStreamError "Invalid stream format" for an
    // end code right after a clear code, a code beyond the next free one, or
    // data that ends before the end code, and "Code size overflow" for a full
    // table not followed by a clear code.
    void Decode(TBitmap& bitmap, bool interlaced);

private:
    const std::uint8_t* data_;
    const std::uint8_t* end_;
    int initialCodeSize_;
};

}  // namespace lumvex
