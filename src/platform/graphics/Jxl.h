#pragma once
// JPEG XL pictures through libjxl, opened on the first decode: the first
// frame, with alpha, its orientation applied by the library, 8-bit colours
// from any depth.
#include <string_view>

#include "platform/graphics/LibraryImage.h"

namespace lumvex {

class TJxlImage : public TLibraryImage {
public:
    TJxlImage() = default;
    const char* ClassName() const override { return "TJxlImage"; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJxlImage>(*this); }

protected:
    // A damaged or truncated file raises libjxl's failure.
    TDecodedPicture Decode(std::string_view bytes, const TDecodeRequest& request) const override;
};

// A bare JPEG XL codestream or the JPEG XL container.
bool IsJxlData(std::string_view bytes);

}  // namespace lumvex
