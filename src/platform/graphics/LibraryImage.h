#pragma once
// The still pictures that a format's own library reads (PNG, WebP, TIFF,
// HEIF/AVIF, JPEG XL): the file's bytes are kept, and the picture is decoded
// when loaded into a 24-bit bitmap, or with alpha a 32-bit one whose fourth
// byte is the alpha and whose colours are already multiplied by it, so that
// drawn without it the picture shows over black. The picture is turned
// upright as its orientation says and its colours converted from its colour
// profile; damaged metadata leaves it as stored. Such a picture is only
// read: saving gives back the file's bytes unchanged.
#include <memory>
#include <string>
#include <string_view>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/ColorProfiles.h"
#include "platform/graphics/FlipTurn.h"
#include "platform/graphics/Graphic.h"
#include "platform/threads/CancelToken.h"

namespace lumvex {

// What a file carries about its pixels besides them, for the colour and
// orientation handling that follows decoding.
struct TEmbeddedMetadata {
    std::string Exif;  // the EXIF block from its TIFF header on ("II*\0" or "MM\0*"), or empty
    std::string Icc;   // the ICC profile, or empty
    // The orientation (1 to 8) that the file states outside EXIF and that the
    // pixels do not have yet (a TIFF's own tag); 0 when it states none.
    int Orientation = 0;
    // The library turned the picture upright already (HEIF's and JPEG XL's
    // own transformations): an orientation in Exif must not be applied again.
    bool Upright = false;
};

// How a picture is to be decoded.
struct TDecodeRequest {
    const TCancelToken* Cancel = nullptr;  // looked at between rows, strips or chunks
    // The upright size the pixels must cover at least; a format with a cheap
    // way to a smaller picture (an embedded thumbnail, a scaled decode, a
    // reduced page) may give a smaller one than the file's own. 0 x 0: the
    // full size.
    int MinWidth = 0;
    int MinHeight = 0;
    // The colours of a picture with a profile: the screen's to be shown,
    // sRGB for a file written without the profile.
    TColorTarget Colors = TColorTarget::Screen;
};

// What a format's decoder hands back.
struct TDecodedPicture {
    TBitmap Pixels;  // 24-bit; with Alpha 32-bit premultiplied blue, green, red, alpha
    bool Alpha = false;
    TEmbeddedMetadata Metadata;
    int FullWidth = 0;  // the picture's own size as stored, also when Pixels are reduced
    int FullHeight = 0;
};

// The transform that shows the decoded pixels upright: none where the
// library turned them already, else the file's own orientation, else EXIF's.
TFlipTurn MetadataUprighting(const TEmbeddedMetadata& metadata);
// The request for the pixels as stored, when uprighting turns them after.
TDecodeRequest StoredRequest(const TDecodeRequest& upright, TFlipTurn uprighting);

class TLibraryImage : public TGraphic {
public:
    ~TLibraryImage() override;

    int Width() const override;
    int Height() const override;
    // Stretched over rect; a picture with alpha is laid over what the canvas holds.
    void Draw(TCanvas& canvas, const TRect& rect) const override;
    void LoadFromBytes(std::string bytes) override { Load(std::move(bytes), TDecodeRequest{}); }
    // Decodes; on an error (or ECancelled) the old picture stays.
    void Load(std::string bytes, const TDecodeRequest& request);
    // The file's bytes as loaded; EInvalidGraphicOperation when empty.
    std::string SaveToBytes() const override;
    // From a picture of the same kind; any other raises EConvertError.
    void Assign(const TGraphic& source) override;

    const TBitmap& Bitmap() const;
    bool HasAlpha() const;
    const TEmbeddedMetadata& Metadata() const;
    // The file's own picture size, upright (Width and Height are those of the
    // pixels held, upright too).
    int FullWidth() const;
    int FullHeight() const;

protected:
    TLibraryImage();
    TLibraryImage(const TLibraryImage& other);
    // Raises EInvalidGraphic (the format's message) or EOutOfResources (a
    // declared size over the picture budget, before anything is allocated).
    virtual TDecodedPicture Decode(std::string_view bytes, const TDecodeRequest& request) const = 0;

private:
    struct State;
    std::shared_ptr<const State> state_;  // shared by copies: a loaded picture never changes
};

// A new bitmap for a decoder to fill: the size is checked against the picture
// budget first (EOutOfResources naming it); 32-bit with alpha, else 24-bit.
TBitmap NewDecodedBitmap(std::int64_t width, std::int64_t height, bool alpha);
// Rows of 8-bit samples into a decoded bitmap's row: red, green, blue (and
// alpha, which then multiplies the colours) become its byte order.
void StoreRgbRow(const std::uint8_t* rgb, std::uint8_t* row, int count);
void StoreRgbaRow(const std::uint8_t* rgba, std::uint8_t* row, int count);
// The same for samples whose colours are multiplied by the alpha already.
void StorePremultipliedRgbaRow(const std::uint8_t* rgba, std::uint8_t* row, int count);
// Blue, green, red, alpha in place: the colours multiplied by the alpha.
void PremultiplyRow(std::uint8_t* bgra, int count);
// Draws a 32-bit bitmap of premultiplied colours with its alpha.
void DrawPremultiplied(TCanvas& canvas, const TRect& rect, const TBitmap& bitmap);
// Whether a smaller picture of width x height serves the request: it asks
// for a reduced picture and that size covers the size asked for.
bool ServesReduced(int width, int height, const TDecodeRequest& request);

}  // namespace lumvex
