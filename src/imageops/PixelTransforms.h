#pragma once
// The picture operations the program computes itself on bitmaps in memory:
// quarter turns, mirroring and nearest-neighbour scaling, and the size a
// scaling choice gives.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"

namespace lumvex {

// Start addresses of a bitmap's rows, indexed by row number (0 is the top),
// so that pixel loops never ask the bitmap for a row.
using TScanLineTable = std::vector<std::uint8_t*>;
using TConstScanLineTable = std::vector<const std::uint8_t*>;

// The writable table gives the bitmap its own pixels first, so build it
// before reading rows of a bitmap that may share them.
void BuildScanLineTable(TBitmap& bitmap, TScanLineTable& table);
void BuildScanLineTable(const TBitmap& bitmap, TConstScanLineTable& table);

// Writes source, turned by Angle radians, into target (both 24-bit; target
// is converted when it is not): source pixel (x, y) goes to
//   (XOffset + x*cos - y*sin, YOffset + y*cos + x*sin)
// in 16.16 fixed point, cut toward zero. Each placed pixel is also copied to
// its left neighbour to fill the gaps of oblique angles; such a copy never
// replaces a pixel that received its own placement. Target pixels that no
// source pixel reaches keep their value.
void RotateBitmap(int XOffset, int YOffset, const TBitmap& source, TBitmap& target, double Angle);

// Makes target a 24-bit bitmap of source's height x width holding source
// turned a quarter counter-clockwise (Left) or clockwise.
void QuarterTurn(const TBitmap& source, TBitmap& target, bool Left);

// Mirrors the bitmap in place: top-bottom when Vertical, else left-right.
// A bitmap of another format is made 24-bit first.
void MirrorBitmap(TBitmap& bitmap, bool Vertical);

enum class TScaleFraction { sfHalf, sfQuarter, sfEighth, sfCustom };

// The scaling choice of the transformations window.
struct TScaleChoice {
    TScaleFraction Fraction = TScaleFraction::sfHalf;
    int Width = 0;   // the custom width box
    int Height = 0;  // the custom height box
    bool KeepProportions = false;
    bool LastEditedWidth = true;  // the width box was typed in last
};

struct TScaledSize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const TScaledSize&, const TScaledSize&) = default;
};

// The size a width x height picture is scaled to. Every side is at least 1,
// so that a fraction of a small picture still gives a picture.
TScaledSize ScaledSize(int width, int height, const TScaleChoice& choice);

// Draws source stretched over the whole of target, which keeps its size and
// becomes 32-bit. Every target pixel takes one source pixel (the one under
// its centre): rows and columns are dropped or repeated, never averaged.
// An empty source cannot fill a target that has pixels.
void StretchBitmap(const TBitmap& source, TBitmap& target);

}  // namespace lumvex
