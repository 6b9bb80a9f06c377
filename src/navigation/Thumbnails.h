#pragma once
// The pictures of the browser's cells, made on a worker: a file loaded (a
// JPEG file at an eighth of its size, a GIF file's or an animated WebP's
// first frame, the cheap reduced picture of the other kinds that have one:
// a HEIF or AVIF file's embedded thumbnail, WebP's scaled decoding, a TIFF's
// reduced page), placed in its cell by the ratio rule and reduced to the
// size it is shown at, so a cell holds no more than it shows. Icons keep
// their own size.
#include <memory>
#include <string>

#include "platform/Types.h"
#include "platform/graphics/Bitmap.h"
#include "platform/threads/CancelToken.h"

namespace lumvex {

// A cell is 80 x 90 pixels; its picture area the 70 rows above the caption.
inline constexpr int CellWidth = 80;
inline constexpr int CellHeight = 90;
inline constexpr int CellPictureHeight = CellHeight - 20;

struct TThumbnail {
    std::unique_ptr<TGraphic> Picture;  // nullptr for a picture without pixels
    TRect Place;                        // the image's bounds in its cell
};

// A file's picture as loaded for its cell, before it is reduced.
struct TCellSource {
    TBitmap Pixels;                       // shares the decoder's pixels; upright
    int Width = 0, Height = 0;            // the size that places it: a JPEG file's at an eighth
    int ImageWidth = 0, ImageHeight = 0;  // the picture's own size
    std::unique_ptr<TGraphic> Icon;       // an icon, shown at its own size instead
};

// Where a w x h picture stands in its cell: scaled by the ratio of its longer
// side (the taller side wins ties), less 8 in width and 4 in height.
TRect ThumbnailPlace(int width, int height);
// An icon at its own size, centred the same way.
TRect IconPlace(int width, int height);

// Whether the file is shown as an icon at its own size when it holds one.
bool IconName(const std::string& path);

// Loads the picture of a file for its cell; raises on a file that cannot be
// read or decoded, ECancelled when cancelled.
TCellSource LoadCellSource(const std::string& path, const TCancelToken& cancel);
// The picture placed by its own size and reduced to its place; an icon as it is.
TThumbnail FitToCell(TCellSource source);
// Both: the thumbnail of a file.
TThumbnail MakeThumbnail(const std::string& path, const TCancelToken& cancel);
// A picture of the file kept from before (its own size when known, else
// placed by the picture's proportions), placed as the file's decoded picture
// would be.
TCellSource KeptCellSource(const std::string& path, TBitmap picture, int imageWidth, int imageHeight);

}  // namespace lumvex
