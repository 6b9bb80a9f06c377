#pragma once
// Turning and mirroring picture files: each loads one JPEG or BMP file,
// transforms its picture and writes it back over the file.
#include <string>

#include "components/Gauges.h"
#include "imageops/PixelTransforms.h"
#include "platform/controls/Image.h"
#include "platform/graphics/FlipTurn.h"

namespace lumvex {

// Mirrors the holder's bitmap in place (top-bottom when Vertical, else
// left-right) and repaints the holder at once.
void ImageMirror(TImage& holder, bool Vertical);

// Turns source a quarter to the left (Left) or right under the busy cursor,
// writes it to path as a file of that kind and returns it; the gauge is reset.
TBitmap TurnIntoFile(const TBitmap& source, bool Left, const std::string& path, TFileKind kind, TGauge& gauge);

// Turns or mirrors a file holding a JPEG picture as the picture looks,
// losslessly where its sides allow, keeping what the file carries, under the
// busy cursor; false for any other file, which is left alone.
bool TransformJpeg(const std::string& path, TFlipTurn transform);

// Turns a JPEG or BMP file a quarter to the left (Left) or right through the
// loader; any other kind is left alone. The gauge is reset for the file.
void RotateFile(const std::string& FileName, bool Left, TImage& loader, TGauge& gauge);

// Mirrors a JPEG or BMP file, using the main window's picture holders: the
// file is loaded into TImg2 and mirrored in TImg, which then holds it.
// Any other kind is left alone.
void MirrorFile(const std::string& path, bool Vertical);

}  // namespace lumvex
