#pragma once
// The eight ways a picture can lie: no, one, two or three quarter turns, each
// with or without a mirror. They are numbered as the EXIF orientation values:
// the transform numbered v brings a picture stored with orientation v upright.
#include <cstdint>

#include "platform/graphics/Bitmap.h"

namespace lumvex {

enum class TFlipTurn : std::uint8_t {
    None = 1,
    MirrorLeftRight = 2,
    Turn180 = 3,
    MirrorTopBottom = 4,
    Transpose = 5,   // mirrored across the diagonal from the top-left corner
    TurnRight = 6,   // a quarter turn clockwise
    Transverse = 7,  // mirrored across the diagonal from the top-right corner
    TurnLeft = 8,    // a quarter turn anticlockwise
};

// The transform that brings a picture of EXIF orientation value upright;
// None for a value outside 1 to 8.
TFlipTurn UprightingOf(long orientation);

// first and then second, as one transform.
TFlipTurn Then(TFlipTurn first, TFlipTurn second);
TFlipTurn Inverse(TFlipTurn transform);
// The transform exchanges width and height.
bool SwapsSides(TFlipTurn transform);

// Applies the transform to the bitmap in one pass: in place when the sides
// stay, through one new bitmap when they swap. Pixels of fewer than 8 bits
// become 24-bit first.
void ApplyFlipTurn(TBitmap& bitmap, TFlipTurn transform);

// Puts rows first to first + count - 1 of a picture width pixels wide
// (pixels of 1 to 4 bytes) where the transform takes them in target, a bitmap
// of the transformed size and the same pixel format. A decoder places each
// band of rows as it decodes it, so a turned picture needs no second bitmap.
void PlaceRows(const std::uint8_t* const* rows, int first, int count, int width, TFlipTurn transform,
               TBitmap& target);

}  // namespace lumvex
