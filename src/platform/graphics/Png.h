#pragma once
// PNG pictures through libpng: every bit depth (16-bit samples are scaled to
// 8), palettes, grey and transparency (an alpha channel or a tRNS chunk).
#include <string_view>

#include "platform/graphics/LibraryImage.h"

namespace lumvex {

class TPngImage : public TLibraryImage {
public:
    TPngImage() = default;
    const char* ClassName() const override { return "TPngImage"; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TPngImage>(*this); }

protected:
    // A file that ends early or is damaged after its first rows gives the
    // rows decoded so far, the rest cleared.
    TDecodedPicture Decode(std::string_view bytes, const TDecodeRequest& request) const override;
};

bool IsPngData(std::string_view bytes);

}  // namespace lumvex
