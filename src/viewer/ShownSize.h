#pragma once
// The size at which a fit mode shows a picture, known before the picture is
// decoded: what a reduced decoding must cover to look the same on screen.
#include <cstdint>
#include <optional>

#include "platform/Types.h"
#include "platform/graphics/Jpeg.h"

namespace lumvex {

// A fit mode and the picture area it places pictures in.
struct TShowing {
    std::uint8_t FitMode = 2;
    int AreaWidth = 0;
    int AreaHeight = 0;
};

// The main window's fit mode and picture area; the screen stands in for an
// area not laid out yet (at start, before the window has its size).
TShowing CurrentShowing();

// The size of a picture stretched in proportion into the area, two pixels
// less than the area's side it touches; none for a picture or area without
// size.
std::optional<TPoint> ProportionalSize(int width, int height, int areaWidth, int areaHeight);

// The size the fit mode stretches a picture to (the proportional and the
// stretch modes); 0 x 0 when the picture is shown at its own size or larger
// (centred, tiled, zoomed), where a reduced picture never serves.
TPoint StretchedSize(const TShowing& showing, int width, int height);

// The scale of a reduced decoding of picture that looks as it will at the
// stretched size shown (from StretchedSize): the smallest that covers it;
// full size where the picture is not stretched down at all.
TJPEGScale CoveringScale(const TJPEGImage& picture, TPoint shown);

}  // namespace lumvex
