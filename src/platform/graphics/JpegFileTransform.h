#pragma once
// Turning and mirroring JPEG files as they look: the file's EXIF orientation
// and the transform asked for become one transform of the stored picture.
#include <string>

#include "platform/graphics/FlipTurn.h"

namespace lumvex {

// The quality a JPEG file is encoded at when it cannot be turned losslessly.
inline constexpr int JpegTurnQuality = 90;

// Transforms the picture of a JPEG file as it looks and writes it back over
// the file (through a temporary file): losslessly where the sides it moves
// are whole blocks, else decoded, transformed and encoded at JpegTurnQuality.
// What the file carries is kept, its EXIF block updated (see
// jpeg::PlanWrite). Returns false, touching nothing, when the file holds no
// JPEG picture by its content; raises on damaged data or a failed write.
bool TransformJpegFile(const std::string& path, TFlipTurn transform);

}  // namespace lumvex
