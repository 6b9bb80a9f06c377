#include "platform/graphics/FlipTurn.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lumvex {
namespace {

// Each transform as the matrix that maps a pixel's place, measured from the
// picture's centre with y growing downwards, to its new place.
struct Matrix {
    int a, b, c, d;  // x' = a x + b y, y' = c x + d y
    bool operator==(const Matrix&) const = default;
};

constexpr std::array<Matrix, 8> Matrices{{
    {1, 0, 0, 1},    // None
    {-1, 0, 0, 1},   // MirrorLeftRight
    {-1, 0, 0, -1},  // Turn180
    {1, 0, 0, -1},   // MirrorTopBottom
    {0, 1, 1, 0},    // Transpose
    {0, -1, 1, 0},   // TurnRight
    {0, -1, -1, 0},  // Transverse
    {0, 1, -1, 0},   // TurnLeft
}};

Matrix MatrixOf(TFlipTurn t) { return Matrices[static_cast<int>(t) - 1]; }

TFlipTurn FlipTurnOf(const Matrix& m) {
    const auto found = std::find(Matrices.begin(), Matrices.end(), m);
    return static_cast<TFlipTurn>(found - Matrices.begin() + 1);
}

template <int PixelBytes>
void MirrorRow(std::uint8_t* row, int width) {
    for (int left = 0, right = width - 1; left < right; ++left, --right) {
        std::uint8_t* a = row + left * PixelBytes;
        std::uint8_t* b = row + right * PixelBytes;
        for (int i = 0; i < PixelBytes; ++i) std::swap(a[i], b[i]);
    }
}

template <int PixelBytes>
void FlipInPlace(TBitmap& bitmap, bool leftRight, bool topBottom) {
    const int width = bitmap.Width(), height = bitmap.Height();
    const std::size_t used = std::size_t(width) * PixelBytes;
    if (topBottom) {
        for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
            std::swap_ranges(bitmap.ScanLine(top), bitmap.ScanLine(top) + used, bitmap.ScanLine(bottom));
    }
    if (leftRight)
        for (int y = 0; y < height; ++y) MirrorRow<PixelBytes>(bitmap.ScanLine(y), width);
}

// The new pixel (x, y) is the old pixel (column, row) with
// column = y or width - 1 - y, row = x or height - 1 - x. Square tiles keep
// both bitmaps' rows in the cache.
template <int PixelBytes>
void SwapSidesInto(const TBitmap& source, TBitmap& target, bool mirrorColumns, bool mirrorRows) {
    constexpr int Tile = 32;
    const int width = source.Width(), height = source.Height();
    const std::uint8_t* first = source.ScanLine(0);
    const std::ptrdiff_t stride = source.BytesPerLine();
    for (int y0 = 0; y0 < width; y0 += Tile)
        for (int x0 = 0; x0 < height; x0 += Tile)
            for (int y = y0; y < std::min(y0 + Tile, width); ++y) {
                std::uint8_t* out = target.ScanLine(y);
                const int column = mirrorColumns ? width - 1 - y : y;
                const std::uint8_t* in = first + std::ptrdiff_t(column) * PixelBytes;
                for (int x = x0; x < std::min(x0 + Tile, height); ++x) {
                    const int row = mirrorRows ? height - 1 - x : x;
                    std::memcpy(out + std::ptrdiff_t(x) * PixelBytes, in + row * stride, PixelBytes);
                }
            }
}

template <int PixelBytes>
void Apply(TBitmap& bitmap, TFlipTurn t) {
    const Matrix m = MatrixOf(t);
    if (!SwapsSides(t)) {
        FlipInPlace<PixelBytes>(bitmap, m.a < 0, m.d < 0);
        return;
    }
    // New x = b * y: mirrored rows when b < 0; new y = c * x: mirrored columns when c < 0.
    TBitmap target = TBitmap::Uninitialised(bitmap.Height(), bitmap.Width(), bitmap.PixelFormat());
    if (!bitmap.Palette().empty()) target.SetPalette(bitmap.Palette());
    SwapSidesInto<PixelBytes>(bitmap, target, m.c < 0, m.b < 0);
    const std::size_t used = std::size_t(target.Width()) * PixelBytes;
    for (int y = 0; y < target.Height(); ++y)
        std::memset(target.ScanLine(y) + used, 0, target.BytesPerLine() - used);
    bitmap = std::move(target);
}

}  // namespace

TFlipTurn UprightingOf(long orientation) {
    return orientation >= 1 && orientation <= 8 ? static_cast<TFlipTurn>(orientation) : TFlipTurn::None;
}

TFlipTurn Then(TFlipTurn first, TFlipTurn second) {
    const Matrix f = MatrixOf(first), s = MatrixOf(second);
    return FlipTurnOf({s.a * f.a + s.b * f.c, s.a * f.b + s.b * f.d, s.c * f.a + s.d * f.c, s.c * f.b + s.d * f.d});
}

TFlipTurn Inverse(TFlipTurn transform) {
    for (const Matrix& m : Matrices)
        if (Then(transform, FlipTurnOf(m)) == TFlipTurn::None) return FlipTurnOf(m);
    return TFlipTurn::None;
}

bool SwapsSides(TFlipTurn transform) { return MatrixOf(transform).a == 0; }

void ApplyFlipTurn(TBitmap& bitmap, TFlipTurn transform) {
    if (transform == TFlipTurn::None || bitmap.Empty()) return;
    if (bitmap.BitsPerPixel() < 8) bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    switch (bitmap.BitsPerPixel()) {
    case 8: Apply<1>(bitmap, transform); break;
    case 16: Apply<2>(bitmap, transform); break;
    case 24: Apply<3>(bitmap, transform); break;
    default: Apply<4>(bitmap, transform); break;
    }
    bitmap.Modified();
}

}  // namespace lumvex
