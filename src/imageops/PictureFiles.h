#pragma once
// Reading a picture file into a bitmap, and the JPEG and BMP writers the
// picture operations use. Every write replaces its file all at once
// (WriteFileAtomically).
#include <string>

#include "imageops/PixelTransforms.h"
#include "platform/controls/Image.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Jpeg.h"

namespace lumvex {

// The JPEG writer's quality unless an operation sets another.
inline constexpr int DefaultJpegQuality = 90;

// Loads the file into the holder (the decoder chosen by the file name's
// extension) and returns its picture as a 24-bit bitmap of its own size; a
// JPEG picture upright, in the colours asked for (sRGB: for a file that
// holds no colour profile).
TBitmap LoadAsBitmap(TImage& holder, const std::string& path, TJPEGColors colors = TJPEGColors::jcSRGB);

// The picture as a bitmap: a decoded JPEG or a bitmap shares its pixels,
// any other kind is drawn.
TBitmap PictureBitmap(const TGraphic& picture);

// With a JPEG source (decoded in jcStored colours), the file written keeps
// what the source's file carries.
void WriteJpeg(const TBitmap& bitmap, const std::string& path, int quality = DefaultJpegQuality,
               const TGraphic* source = nullptr);
void WriteBmp(const TBitmap& bitmap, const std::string& path, TPixelFormat format);

// A turned or mirrored picture back into its file: a JPEG at the default
// quality, a BMP as 24 bits per pixel.
void WriteTransformed(const TBitmap& bitmap, const std::string& path, TFileKind kind);

}  // namespace lumvex
