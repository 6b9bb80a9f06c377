#include "platform/graphics/FlipTurn.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

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

// Source pixel (x, y) lands at origin + x * xStep + y * yStep of the target.
template <int PixelBytes>
void Place(const std::uint8_t* const* rows, int first, int count, int width, TFlipTurn t, TBitmap& target) {
    const Matrix m = MatrixOf(t);
    const std::ptrdiff_t stride = target.BytesPerLine();
    const std::ptrdiff_t originX = m.a < 0 || m.b < 0 ? target.Width() - 1 : 0;
    const std::ptrdiff_t originY = m.c < 0 || m.d < 0 ? target.Height() - 1 : 0;
    std::uint8_t* origin = target.ScanLine(0) + originY * stride + originX * PixelBytes;
    const std::ptrdiff_t xStep = m.c * stride + m.a * PixelBytes, yStep = m.d * stride + m.b * PixelBytes;
    if (SwapsSides(t)) {
        // A source column becomes a target row, where the band's pixels of
        // one column lie side by side.
        for (int x = 0; x < width; ++x) {
            std::uint8_t* out = origin + x * xStep + first * yStep;
            for (int i = 0; i < count; ++i, out += yStep) std::memcpy(out, rows[i] + x * PixelBytes, PixelBytes);
        }
    } else {
        for (int i = 0; i < count; ++i) {
            std::uint8_t* out = origin + (first + i) * yStep;
            const std::uint8_t* in = rows[i];
            for (int x = 0; x < width; ++x, out += xStep, in += PixelBytes) std::memcpy(out, in, PixelBytes);
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
    TBitmap target = TBitmap::Uninitialised(bitmap.Height(), bitmap.Width(), bitmap.PixelFormat());
    if (!bitmap.Palette().empty()) target.SetPalette(bitmap.Palette());
    const std::size_t used = std::size_t(target.Width()) * PixelBytes;
    for (int y = 0; y < target.Height(); ++y) std::memset(target.ScanLine(y) + used, 0, target.BytesPerLine() - used);
    constexpr int Band = 16;
    const std::uint8_t* rows[Band];
    for (int first = 0; first < bitmap.Height(); first += Band) {
        const int count = std::min(Band, bitmap.Height() - first);
        for (int i = 0; i < count; ++i) rows[i] = std::as_const(bitmap).ScanLine(first + i);
        Place<PixelBytes>(rows, first, count, bitmap.Width(), t, target);
    }
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

void PlaceRows(const std::uint8_t* const* rows, int first, int count, int width, TFlipTurn transform,
               TBitmap& target) {
    switch (target.BitsPerPixel()) {
    case 8: Place<1>(rows, first, count, width, transform, target); break;
    case 16: Place<2>(rows, first, count, width, transform, target); break;
    case 24: Place<3>(rows, first, count, width, transform, target); break;
    default: Place<4>(rows, first, count, width, transform, target); break;
    }
}

}  // namespace lumvex
