#pragma once
// Turning and mirroring picture files: each loads one JPEG or BMP file,
// transforms its picture and writes it back over the file in the format it
// was read in.
#include <string>

#include "components/Gauges.h"
#include "imageops/PictureFiles.h"
#include "platform/controls/Image.h"

namespace lumvex {

// Mirrors the holder's bitmap in place (top-bottom when Vertical, else
// left-right) and repaints the holder at once.
void ImageMirror(TImage& holder, bool Vertical);

// Turns source a quarter to the left (Left) or right under the busy cursor,
// writes it to path in the given format and returns it; the gauge is reset.
TBitmap TurnIntoFile(const TBitmap& source, bool Left, const std::string& path, TRewriteFormat format,
                     TGauge& gauge);

// Turns a JPEG or BMP file a quarter to the left (Left) or right through the
// loader. False, with the file untouched, when its picture is of another kind.
// The gauge is reset for the file.
bool RotateFile(const std::string& FileName, bool Left, TImage& loader, TGauge& gauge);

// Mirrors a JPEG or BMP file, using the main window's picture holders: the
// file is loaded into TImg2 and mirrored in TImg, which then holds it.
// False, with the file untouched, when its picture is of another kind.
bool MirrorFile(const std::string& path, bool Vertical);

}  // namespace lumvex
