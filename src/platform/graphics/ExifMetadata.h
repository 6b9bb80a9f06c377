#pragma once
// The EXIF block a photo carries (the TIFF-structured bytes, without JPEG's
// "Exif\0\0" prefix), read and updated through exiv2. A block exiv2 cannot
// read counts as one without an orientation; one it cannot update is kept
// by the caller as it was.
#include <optional>
#include <string>

#include "platform/graphics/FlipTurn.h"

namespace lumvex {

// The transform that shows the stored picture upright: None when the block
// holds no Orientation, or cannot be read.
TFlipTurn ExifUprighting(const std::string& exif);

// The block for a picture that was made from the stored one by applied and
// is width x height: Orientation 1, the pixel sizes those given, and the
// thumbnail transformed the same way (removed when it cannot be). Every
// other tag is kept. std::nullopt when the block cannot be read, or the
// updated one cannot be written or would not fit a JPEG marker.
std::optional<std::string> ExifForWrittenPicture(const std::string& exif, TFlipTurn applied, int width, int height);

}  // namespace lumvex
