#pragma once
// Turning and mirroring picture files: each loads one JPEG or BMP file,
// transforms its picture and writes it back over the file.
#include <string>

#include "components/Gauges.h"
#include "platform/controls/Image.h"

namespace lumvex {

// Mirrors the holder's bitmap in place (top-bottom when Vertical, else
// left-right) and repaints the holder at once.
void ImageMirror(TImage& holder, bool Vertical);

// Turns a JPEG or BMP file a quarter to the left (Left) or right through the
// loader; any other kind is left alone. The gauge is reset for the file.
void RotateFile(const std::string& FileName, bool Left, TImage& loader, TGauge& gauge);

// Mirrors a JPEG or BMP file, using the main window's picture holders: the
// file is loaded into TImg2 and mirrored in TImg, which then holds it.
// Any other kind is left alone.
void MirrorFile(const std::string& path, bool Vertical);

}  // namespace lumvex
