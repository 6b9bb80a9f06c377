#include "platform/graphics/DisplayCopy.h"

#include "platform/graphics/Canvas.h"

namespace lumvex {

void CopyToDisplay(const TGraphic& picture, TBitmap& display) {
    // A decoded photo is copied row by row; an opaque picture covers every
    // pixel, so only a transparent one needs a cleared bitmap beneath it.
    if (picture.Transparent()) {
        display.SetPixelFormat(TPixelFormat::pf24bit);
        display.SetSize(picture.Width(), picture.Height());
    } else {
        display.AllocateUninitialised(picture.Width(), picture.Height(), TPixelFormat::pf24bit);
    }
    display.Canvas().Draw(0, 0, picture);
}

}  // namespace lumvex
