#pragma once
// Reading a picture file into a bitmap, and the JPEG and BMP writers the
// picture operations use. Every write replaces its file all at once
// (WriteFileAtomically).
#include <memory>
#include <string>

#include "platform/controls/Image.h"
#include "platform/graphics/Bitmap.h"

namespace lumvex {

// The JPEG writer's quality unless an operation sets another.
inline constexpr int DefaultJpegQuality = 90;

// How a picture may be written back: a JPEG picture only as JPEG, a bitmap
// only as BMP. A picture of any other kind (GIF, icon, or a kind added
// later) is never rewritten. Decided by the kind of the picture the loader
// made, never by a file's or folder's name.
enum class TRewriteFormat { None, Jpeg, Bmp };
TRewriteFormat RewriteFormat(const TGraphic& picture);

// A file's picture as a 24-bit bitmap of its own size, and the format it
// may be written back in.
struct TRewritable {
    TBitmap Bitmap;
    TRewriteFormat Format = TRewriteFormat::None;
};

// The format the file's picture would be rewritten in, told by the kind of
// picture the loader makes for it, without decoding it.
TRewriteFormat FileRewriteFormat(const std::string& path);

// Loads the file into the holder when its picture may be rewritten. A file
// the loader reads as another kind, or reads as no kind at all, is not
// decoded: Format is None. A damaged file of a rewritable kind raises the
// loader's error.
TRewritable LoadForRewrite(TImage& holder, const std::string& path);

// A picture of the format's own kind holding the bitmap (a JPEG picture
// keeps it uncompressed), so that it is written back in that format again.
std::unique_ptr<TGraphic> RewritablePicture(const TBitmap& bitmap, TRewriteFormat format);

// The picture as a bitmap: a decoded JPEG or a bitmap shares its pixels,
// any other kind is drawn.
TBitmap PictureBitmap(const TGraphic& picture);

void WriteJpeg(const TBitmap& bitmap, const std::string& path, int quality = DefaultJpegQuality);
void WriteBmp(const TBitmap& bitmap, const std::string& path, TPixelFormat format);

// A turned or mirrored picture back into its file: a JPEG at the default
// quality, a BMP as 24 bits per pixel. Nothing is written for None.
void WriteTransformed(const TBitmap& bitmap, const std::string& path, TRewriteFormat format);

}  // namespace lumvex
