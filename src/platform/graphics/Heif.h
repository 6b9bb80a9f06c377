#pragma once
// HEIF pictures through libheif, opened on the first decode: HEIC photos,
// HEIF files and AVIF pictures, the file's primary image (grids and overlays
// put together by libheif, its rotation and mirroring applied), 8-bit colours
// from any depth.
#include <string_view>

#include "platform/graphics/LibraryImage.h"

namespace lumvex {

class THeifImage : public TLibraryImage {
public:
    THeifImage() = default;
    const char* ClassName() const override { return "THeifImage"; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<THeifImage>(*this); }

protected:
    // A reduced request uses the file's embedded thumbnail when it is large
    // enough. A damaged or truncated file raises libheif's message.
    TDecodedPicture Decode(std::string_view bytes, const TDecodeRequest& request) const override;
};

// An ISO media file whose brands say HEIF or AVIF. Only a file whose main
// brand is of the HEIF family loads libheif to ask it.
bool IsHeifData(std::string_view bytes);

}  // namespace lumvex
