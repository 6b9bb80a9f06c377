#pragma once
// TIFF pictures through libtiff: the first page, in any layout libtiff can
// turn into colours (strips or tiles, every compression it has, palette,
// grey, CMYK, YCbCr, 16-bit samples, alpha). The page's orientation tag is
// not applied here: it is handed on in the metadata.
#include <string_view>

#include "platform/graphics/LibraryImage.h"

namespace lumvex {

class TTiffImage : public TLibraryImage {
public:
    TTiffImage() = default;
    const char* ClassName() const override { return "TTiffImage"; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TTiffImage>(*this); }

protected:
    // A file damaged after its first rows gives the rows read so far, the
    // rest cleared. A reduced request uses a reduced-resolution page of the
    // file when one is large enough.
    TDecodedPicture Decode(std::string_view bytes, const TDecodeRequest& request) const override;
};

bool IsTiffData(std::string_view bytes);

}  // namespace lumvex
