#include "appearance/Skin.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "platform/services/SystemColors.h"

namespace lumvex {

namespace {

// Where the gradient is painted: the band axis runs along x or y, and a band
// spans the area's full extent on the other axis.
struct GradientArea {
    TCanvas& canvas;
    int width, height;
    bool alongX;

    void FillBand(int offset, int length, TColor color) const {
        if (length <= 0) return;
        canvas.Brush = TBrush{color, TBrushStyle::bsSolid};
        const int start = offset - 1;  // the area begins one pixel before the picture
        if (alongX)
            canvas.FillRect(Bounds(start, -1, length, height + 2));
        else
            canvas.FillRect(Bounds(-1, start, width + 2, length));
    }
};

std::array<int, 3> Channels(TColor color) { return {GetRValue(color), GetGValue(color), GetBValue(color)}; }

// A run from x to y in bands of equal colour: bands are as narrow as the
// length allows while every band still differs from its neighbour.
void PaintRun(const GradientArea& area, TColor x, TColor y, int offset, int length) {
    if (x == y || length <= 0) return;
    const std::array<int, 3> from = Channels(x), to = Channels(y);
    std::array<int, 3> delta{};
    int largest = 0;
    for (int c = 0; c < 3; ++c) {
        delta[c] = 100 * to[c] - 100 * from[c];
        largest = std::max(largest, std::abs(delta[c]));
    }
    // Two colour values that stand for the same red, green and blue.
    if (largest == 0) return;
    const int band = largest >= 100 * length ? 1 : ((largest / 100) + length - 1) * 100 / largest;
    const int count = length / band;
    for (int i = 0; i <= count; ++i) {
        std::array<std::uint8_t, 3> channel{};
        for (int c = 0; c < 3; ++c)
            channel[c] = static_cast<std::uint8_t>(from[c] + ((delta[c] / count) * i) / 100);
        const int bandLength = std::min(band, length - i * band);
        area.FillBand(offset + i * band, bandLength, RGB(channel[0], channel[1], channel[2]));
    }
}

}  // namespace

void GradientFill(TCanvas& canvas, int width, int height, bool alongX, int percent, TColor k1, TColor k2,
                  TColor k3) {
    k1 = ColorToRGB(k1);
    k2 = ColorToRGB(k2);
    k3 = ColorToRGB(k3);
    const GradientArea area{canvas, width, height, alongX};
    const int length = (alongX ? width : height) + 2;
    const TBrush savedBrush = canvas.Brush;
    if (percent == 100) {
        PaintRun(area, k1, k2, 0, length);
    } else {
        const int first = std::max(length * percent / 100, 1);
        PaintRun(area, k1, k2, 0, first);
        PaintRun(area, k2, k3, first, length - first);
    }
    canvas.Brush = savedBrush;
}

void TintGlyphStrip(const TBitmap& sheet, int amount, TColor color, int firstRow, int lastRow, TBitmap& target) {
    const TBitmap* source = &sheet;
    TBitmap converted;
    if (sheet.PixelFormat() != TPixelFormat::pf24bit) {
        converted = sheet;
        converted.SetPixelFormat(TPixelFormat::pf24bit);
        source = &converted;
    }
    if (target.PixelFormat() != TPixelFormat::pf24bit) target.SetPixelFormat(TPixelFormat::pf24bit);

    color = ColorToRGB(color);
    amount = std::clamp(amount, 0, 100);
    firstRow = std::max(firstRow, 0);
    lastRow = std::min({lastRow, source->Height() - 1, firstRow + target.Height() - 1});
    const int width = std::min(source->Width(), target.Width());
    // Blue, green, red: the order of the bytes of a 24-bit pixel.
    const std::array<int, 3> tint = {GetBValue(color) * (100 - amount), GetGValue(color) * (100 - amount),
                                     GetRValue(color) * (100 - amount)};
    for (int y = firstRow; y <= lastRow; ++y) {
        const std::uint8_t* in = source->ScanLine(y);
        std::uint8_t* out = target.ScanLine(y - firstRow);
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            if (in[0] == 0xFF && in[1] == 0 && in[2] == 0xFF) continue;  // magenta: transparent
            for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>((tint[c] + in[c] * amount) / 100);
        }
    }
    target.Modified();
}

}  // namespace lumvex
