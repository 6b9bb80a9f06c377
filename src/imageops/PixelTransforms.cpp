#include "imageops/PixelTransforms.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/SysUtils.h"

namespace lumvex {

namespace {

constexpr std::int64_t FixedOne = 65536;  // 16.16 fixed point
constexpr double HalfPi = 1.5707963267948966;

// The integer part of a 16.16 number, cut toward zero for both signs.
std::int64_t FixedToInt(std::int64_t value) { return value >= 0 ? value >> 16 : -((-value) >> 16); }

void CopyPixel24(std::uint8_t* out, const std::uint8_t* in) {
    out[0] = in[0];
    out[1] = in[1];
    out[2] = in[2];
}

// The sizes and placement of one rotation: source pixel (x, y) goes to
// (X + x*c - y*s, Y + y*c + x*s), c and s in 16.16.
struct Rotation {
    int X, Y;
    std::int64_t c, s;
    int sourceWidth, sourceHeight, targetWidth, targetHeight;
};

// True for a turn by a multiple of a right angle that lays the source
// exactly over the whole target: then every target pixel receives exactly
// one source pixel and the left-neighbour copies change nothing.
bool CoversTargetExactly(const Rotation& r) {
    const bool rightAngle = (r.c == 0 && std::abs(r.s) == FixedOne) || (r.s == 0 && std::abs(r.c) == FixedOne);
    if (!rightAngle) return false;
    const std::int64_t cu = r.c / FixedOne, su = r.s / FixedOne;
    const std::int64_t x0 = r.X, y0 = r.Y;
    const std::int64_t x1 = r.X + (r.sourceWidth - 1) * cu - (r.sourceHeight - 1) * su;
    const std::int64_t y1 = r.Y + (r.sourceHeight - 1) * cu + (r.sourceWidth - 1) * su;
    return std::min(x0, x1) == 0 && std::max(x0, x1) == r.targetWidth - 1 && std::min(y0, y1) == 0 &&
           std::max(y0, y1) == r.targetHeight - 1;
}

// Fills every target pixel from the source pixel that turns onto it, in
// tiles: a quarter turn reads the source down its columns, and a tile of 32
// target rows by 512 columns keeps the source lines it touches (and their
// pages) cached until all 32 rows have used them.
void MoveTurned(const Rotation& r, const TConstScanLineTable& in, const TScanLineTable& out) {
    constexpr int TileRows = 32, TileColumns = 512;
    const int cu = static_cast<int>(r.c / FixedOne), su = static_cast<int>(r.s / FixedOne);
    for (int ty0 = 0; ty0 < r.targetHeight; ty0 += TileRows) {
        const int tyEnd = std::min(r.targetHeight, ty0 + TileRows);
        for (int tx0 = 0; tx0 < r.targetWidth; tx0 += TileColumns) {
            const int txEnd = std::min(r.targetWidth, tx0 + TileColumns);
            for (int ny = ty0; ny < tyEnd; ++ny) {
                // The inverse turn: the source pixel of target (tx0, ny).
                const int dx = tx0 - r.X, dy = ny - r.Y;
                int x = cu * dx + su * dy, y = cu * dy - su * dx;
                std::uint8_t* pixel = out[ny] + std::size_t(tx0) * 3;
                for (int nx = tx0; nx < txEnd; ++nx, pixel += 3, x += cu, y -= su)
                    CopyPixel24(pixel, in[y] + std::size_t(x) * 3);
            }
        }
    }
}

// Places every source pixel, from the last column and row backwards, and
// copies it to its left neighbour unless that one holds its own placement.
void PlaceTurned(const Rotation& r, const TConstScanLineTable& in, const TScanLineTable& out) {
    std::vector<std::uint8_t> placed(std::size_t(r.targetWidth) * r.targetHeight);
    for (int x = r.sourceWidth - 1; x >= 0; --x) {
        for (int y = r.sourceHeight - 1; y >= 0; --y) {
            const std::int64_t nx = r.X + FixedToInt(x * r.c - y * r.s);
            const std::int64_t ny = r.Y + FixedToInt(y * r.c + x * r.s);
            if (nx < 0 || nx >= r.targetWidth || ny < 0 || ny >= r.targetHeight) continue;
            const std::uint8_t* source = in[y] + std::size_t(x) * 3;
            std::uint8_t* row = out[ny];
            std::uint8_t* rowPlaced = placed.data() + std::size_t(ny) * r.targetWidth;
            CopyPixel24(row + nx * 3, source);
            rowPlaced[nx] = 1;
            if (nx > 0 && !rowPlaced[nx - 1]) CopyPixel24(row + (nx - 1) * 3, source);
        }
    }
}

void ClearRowPadding(TBitmap& bitmap) {
    const std::size_t used = std::size_t(bitmap.Width()) * bitmap.BitsPerPixel() / 8;
    const std::size_t padding = std::size_t(bitmap.BytesPerLine()) - used;
    if (padding == 0) return;
    for (int y = 0; y < bitmap.Height(); ++y) std::memset(bitmap.ScanLine(y) + used, 0, padding);
}

// The source index under the centre of target pixel i, when sourceSide
// pixels are stretched over targetSide pixels.
int SourceIndex(int i, int targetSide, int sourceSide) {
    return static_cast<int>((2 * std::int64_t(i) + 1) * sourceSide / (2 * std::int64_t(targetSide)));
}

// A computed side as a picture side: rounded half to even, at least 1, and
// never beyond what a picture may have.
int PictureSide(double side) {
    const double rounded = std::nearbyint(side);
    if (!(rounded >= 1)) return 1;
    if (rounded >= double(MaxPicturePixels)) return static_cast<int>(MaxPicturePixels);
    return static_cast<int>(rounded);
}

// Round(other / (side / typed)): the side that keeps the picture's proportions.
int ProportionalSide(int side, int other, int typed) {
    if (side <= 0 || other <= 0) return 1;
    const double ratio = double(side) / typed;
    return PictureSide(other / ratio);
}

}  // namespace

void BuildScanLineTable(TBitmap& bitmap, TScanLineTable& table) {
    table.resize(bitmap.Height());
    for (int y = bitmap.Height() - 1; y >= 0; --y) table[y] = bitmap.ScanLine(y);
}

void BuildScanLineTable(const TBitmap& bitmap, TConstScanLineTable& table) {
    table.resize(bitmap.Height());
    for (int y = bitmap.Height() - 1; y >= 0; --y) table[y] = bitmap.ScanLine(y);
}

void RotateBitmap(int XOffset, int YOffset, const TBitmap& source, TBitmap& target, double Angle) {
    if (!std::isfinite(Angle)) throw EInvalidGraphicOperation("Invalid rotation angle");
    TBitmap turned = source;  // shares the pixels, and keeps them even when source is target
    if (turned.PixelFormat() != TPixelFormat::pf24bit) turned.SetPixelFormat(TPixelFormat::pf24bit);
    if (target.PixelFormat() != TPixelFormat::pf24bit) target.SetPixelFormat(TPixelFormat::pf24bit);
    TScanLineTable out;
    BuildScanLineTable(target, out);
    TConstScanLineTable in;
    BuildScanLineTable(std::as_const(turned), in);

    const Rotation r{XOffset,
                     YOffset,
                     static_cast<std::int64_t>(std::nearbyint(std::cos(Angle) * FixedOne)),
                     static_cast<std::int64_t>(std::nearbyint(std::sin(Angle) * FixedOne)),
                     turned.Width(),
                     turned.Height(),
                     target.Width(),
                     target.Height()};
    if (r.sourceWidth == 0 || r.sourceHeight == 0 || r.targetWidth == 0 || r.targetHeight == 0) return;
    if (CoversTargetExactly(r))
        MoveTurned(r, in, out);
    else
        PlaceTurned(r, in, out);
    target.Modified();
}

void QuarterTurn(const TBitmap& source, TBitmap& target, bool Left) {
    const TBitmap turned = source;  // in case target is source
    const int width = turned.Width(), height = turned.Height();
    target.AllocateUninitialised(height, width, TPixelFormat::pf24bit);  // every pixel is written below
    ClearRowPadding(target);
    if (Left)
        RotateBitmap(0, width - 1, turned, target, -HalfPi);
    else
        RotateBitmap(height - 1, 0, turned, target, HalfPi);
}

void MirrorBitmap(TBitmap& bitmap, bool Vertical) {
    if (bitmap.PixelFormat() != TPixelFormat::pf24bit) bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    const int width = bitmap.Width(), height = bitmap.Height();
    if (width == 0 || height == 0) return;
    const std::size_t rowBytes = std::size_t(width) * 3;
    if (Vertical) {
        for (int y = 0; y < height / 2; ++y) {
            std::uint8_t* top = bitmap.ScanLine(y);
            std::swap_ranges(top, top + rowBytes, bitmap.ScanLine(height - 1 - y));
        }
    } else {
        for (int y = 0; y < height; ++y) {
            std::uint8_t* left = bitmap.ScanLine(y);
            std::uint8_t* right = left + rowBytes - 3;
            for (; left < right; left += 3, right -= 3) {
                std::uint8_t pixel[3];
                CopyPixel24(pixel, left);
                CopyPixel24(left, right);
                CopyPixel24(right, pixel);
            }
        }
    }
    bitmap.Modified();
}

TScaledSize ScaledSize(int width, int height, const TScaleChoice& choice) {
    switch (choice.Fraction) {
    case TScaleFraction::sfHalf: return {PictureSide(width / 2), PictureSide(height / 2)};
    case TScaleFraction::sfQuarter: return {PictureSide(width / 4), PictureSide(height / 4)};
    case TScaleFraction::sfEighth: return {PictureSide(width / 8), PictureSide(height / 8)};
    case TScaleFraction::sfCustom: break;
    }
    if (!choice.KeepProportions) return {PictureSide(choice.Width), PictureSide(choice.Height)};
    if (choice.LastEditedWidth)
        return {PictureSide(choice.Width), ProportionalSide(width, height, choice.Width)};
    return {ProportionalSide(height, width, choice.Height), PictureSide(choice.Height)};
}

void StretchBitmap(const TBitmap& source, TBitmap& target) {
    TBitmap stretched = source;  // in case target is source
    const int width = target.Width(), height = target.Height();
    if (target.PixelFormat() != TPixelFormat::pf32bit)
        target.AllocateUninitialised(width, height, TPixelFormat::pf32bit);  // 32-bit rows have no padding
    if (width == 0 || height == 0) return;
    if (stretched.Empty()) throw EInvalidGraphicOperation("An empty picture cannot be scaled");

    if (stretched.PixelFormat() != TPixelFormat::pf24bit && stretched.PixelFormat() != TPixelFormat::pf32bit)
        stretched.SetPixelFormat(TPixelFormat::pf32bit);
    const int bytesPerPixel = stretched.BitsPerPixel() / 8;
    std::vector<std::uint32_t> columns(width);  // the source column of each target column
    for (int x = 0; x < width; ++x) columns[x] = SourceIndex(x, width, stretched.Width());

    TScanLineTable out;
    BuildScanLineTable(target, out);
    TConstScanLineTable in;
    BuildScanLineTable(std::as_const(stretched), in);
    const std::size_t rowBytes = std::size_t(width) * 4;
    int previousRow = -1;
    for (int y = 0; y < height; ++y) {
        const int sourceRow = SourceIndex(y, height, stretched.Height());
        if (sourceRow == previousRow) {  // a repeated row: copy the one just made
            std::memcpy(out[y], out[y - 1], rowBytes);
            continue;
        }
        previousRow = sourceRow;
        const std::uint8_t* row = in[sourceRow];
        std::uint8_t* pixel = out[y];
        if (bytesPerPixel == 4) {
            for (int x = 0; x < width; ++x, pixel += 4) std::memcpy(pixel, row + std::size_t(columns[x]) * 4, 4);
        } else {
            for (int x = 0; x < width; ++x, pixel += 4) {
                CopyPixel24(pixel, row + std::size_t(columns[x]) * 3);
                pixel[3] = 0;
            }
        }
    }
    target.Modified();
}

}  // namespace lumvex
