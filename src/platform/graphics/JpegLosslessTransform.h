#pragma once
// Turning and mirroring a JPEG picture without decoding it, through
// TurboJPEG's transform: the compressed blocks are moved, nothing is
// quantised again.
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/FlipTurn.h"
#include "platform/graphics/JpegMetadata.h"

namespace lumvex::jpeg {

// The file's picture transformed, as a JPEG file that holds no markers but
// its encoder's own; std::nullopt when the transform is not perfect (a side
// it moves is not whole blocks) or TurboJPEG cannot read the data.
std::optional<std::string> TransformLosslessly(const std::string& bytes, TFlipTurn transform);

// A JPEG file's bytes with the markers put after its start and JFIF header.
std::string WithMarkers(const std::string& bytes, const std::vector<Marker>& markers);

}  // namespace lumvex::jpeg
