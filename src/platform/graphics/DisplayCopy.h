#pragma once
// The viewer's way of showing a decoded picture: a true-colour copy.
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Graphic.h"

namespace lumvex {

// Makes display a 24-bit copy of picture, at its own size. A transparent
// picture is drawn over a cleared bitmap.
void CopyToDisplay(const TGraphic& picture, TBitmap& display);

}  // namespace lumvex
