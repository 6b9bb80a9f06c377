#include "viewer/ShownSize.h"

#include <algorithm>
#include <cmath>

#include "platform/services/Screen.h"
#include "viewer/MainWindow.h"

namespace lumvex {

TShowing CurrentShowing() {
    if (Viewer.AreaWidth > 0 && Viewer.AreaHeight > 0) return {Viewer.FitMode, Viewer.AreaWidth, Viewer.AreaHeight};
    return {Viewer.FitMode, Screen.Width(), Screen.Height()};
}

std::optional<TPoint> ProportionalSize(int width, int height, int areaWidth, int areaHeight) {
    const double r = std::max(double(width) / areaWidth, double(height) / areaHeight);
    if (r == 0 || !std::isfinite(r)) return std::nullopt;
    // To the nearest integer, halves to the even neighbour.
    return TPoint{static_cast<int>(std::nearbyint(width / r)) - 2, static_cast<int>(std::nearbyint(height / r)) - 2};
}

TPoint StretchedSize(const TShowing& showing, int width, int height) {
    switch (showing.FitMode) {
    case 1: return {showing.AreaWidth - 2, showing.AreaHeight - 2};
    case 2: return ProportionalSize(width, height, showing.AreaWidth, showing.AreaHeight).value_or(TPoint{});
    default: return {};
    }
}

TJPEGScale CoveringScale(const TJPEGImage& picture, TPoint shown) {
    if (shown.X <= 0 || shown.Y <= 0) return TJPEGScale::jsFullSize;
    return picture.ScaleToCover(shown.X, shown.Y);
}

}  // namespace lumvex
