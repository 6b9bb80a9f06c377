#pragma once
// Reading a picture file into a bitmap, and the JPEG and BMP writers the
// picture operations use. Every write replaces its file all at once
// (WriteFileAtomically).
#include <memory>
#include <string>

#include "platform/controls/Image.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Jpeg.h"

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

// Pictures read through their formats' own libraries (PNG, WebP, TIFF, HEIF,
// JPEG XL) are never rewritten, but conversion makes a JPEG or BMP file of
// them beside the original.
bool ConvertedIntoNewFileOnly(const TGraphic& picture);

// An empty picture of the kind the loader makes for the file, told by its
// content (else its extension), without decoding it; nullptr when no kind
// reads it.
std::unique_ptr<TGraphic> FilePictureKind(const std::string& path);

// The format the file's picture would be rewritten in.
TRewriteFormat FileRewriteFormat(const std::string& path);

// Loads the file into the holder when its picture may be rewritten. A file
// the loader reads as another kind, or reads as no kind at all, is not
// decoded: Format is None. A damaged file of a rewritable kind raises the
// loader's error. A JPEG picture comes upright, in the colours asked for:
// the screen's to be shown, its stored ones for a JPEG write that keeps its
// colour profile, sRGB for a file that holds none.
TRewritable LoadForRewrite(TImage& holder, const std::string& path, TJPEGColors colors = TJPEGColors::jcScreen);

// A picture of the format's own kind holding the bitmap (a JPEG picture
// keeps it uncompressed), so that it is written back in that format again.
std::unique_ptr<TGraphic> RewritablePicture(const TBitmap& bitmap, TRewriteFormat format);

// The picture as a bitmap: a decoded JPEG or a bitmap shares its pixels,
// any other kind is drawn.
TBitmap PictureBitmap(const TGraphic& picture);
// The picture as the 24-bit bitmap that turning, scaling and writing work on.
TBitmap RewriteBitmap(const TGraphic& picture);

// With a JPEG source (decoded in jcStored colours), the file written keeps
// what the source's file carries.
void WriteJpeg(const TBitmap& bitmap, const std::string& path, int quality = DefaultJpegQuality,
               const TGraphic* source = nullptr);
void WriteBmp(const TBitmap& bitmap, const std::string& path, TPixelFormat format);

// A turned or mirrored picture back into its file: a JPEG at the default
// quality, a BMP as 24 bits per pixel. Nothing is written for None.
void WriteTransformed(const TBitmap& bitmap, const std::string& path, TRewriteFormat format);

}  // namespace lumvex
