#include "platform/graphics/LibraryImage.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "platform/SysUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ExifMetadata.h"
#include "platform/graphics/QtBridge.h"

namespace lumvex {

struct TLibraryImage::State {
    std::string bytes;
    TDecodedPicture picture;
};

TLibraryImage::TLibraryImage() : state_(std::make_shared<State>()) {}
TLibraryImage::TLibraryImage(const TLibraryImage& other) : TGraphic(other), state_(other.state_) {}
TLibraryImage::~TLibraryImage() = default;

int TLibraryImage::Width() const { return state_->picture.Pixels.Width(); }
int TLibraryImage::Height() const { return state_->picture.Pixels.Height(); }
const TBitmap& TLibraryImage::Bitmap() const { return state_->picture.Pixels; }
bool TLibraryImage::HasAlpha() const { return state_->picture.Alpha; }
const TEmbeddedMetadata& TLibraryImage::Metadata() const { return state_->picture.Metadata; }
int TLibraryImage::FullWidth() const { return state_->picture.FullWidth; }
int TLibraryImage::FullHeight() const { return state_->picture.FullHeight; }

void TLibraryImage::Draw(TCanvas& canvas, const TRect& rect) const {
    const TBitmap& pixels = state_->picture.Pixels;
    if (pixels.Empty()) return;
    if (state_->picture.Alpha)
        DrawPremultiplied(canvas, rect, pixels);
    else
        canvas.StretchDraw(rect, pixels);
}

namespace {

void UnpremultiplyRow(std::uint8_t* bgra, int count) {
    for (int x = 0; x < count; ++x, bgra += 4) {
        const unsigned alpha = bgra[3];
        if (alpha == 255 || alpha == 0) continue;
        for (int c = 0; c < 3; ++c)
            bgra[c] = static_cast<std::uint8_t>(std::min(255u, (bgra[c] * 255u + alpha / 2) / alpha));
    }
}

// The conversion works on colours as they are: premultiplied ones are freed
// of the alpha for it and multiplied again after.
void ConvertPictureColors(TDecodedPicture& picture, TColorTarget target) {
    const std::shared_ptr<const TColorConversion> conversion = TColorConversion::For(picture.Metadata.Icc, target);
    if (!conversion) return;
    TBitmap& pixels = picture.Pixels;
    if (!picture.Alpha) {
        ConvertColors(pixels, *conversion);
        return;
    }
    for (int y = 0; y < pixels.Height(); ++y) {
        std::uint8_t* row = pixels.ScanLine(y);
        UnpremultiplyRow(row, pixels.Width());
        conversion->Convert(row, std::size_t(pixels.Width()), 4);
        PremultiplyRow(row, pixels.Width());
    }
    pixels.Modified();
}

void TurnUpright(TDecodedPicture& picture) {
    const TFlipTurn uprighting = MetadataUprighting(picture.Metadata);
    if (uprighting == TFlipTurn::None) return;
    ApplyFlipTurn(picture.Pixels, uprighting);
    if (SwapsSides(uprighting)) std::swap(picture.FullWidth, picture.FullHeight);
}

}  // namespace

TFlipTurn MetadataUprighting(const TEmbeddedMetadata& metadata) {
    if (metadata.Upright) return TFlipTurn::None;
    if (metadata.Orientation != 0) return UprightingOf(metadata.Orientation);
    return metadata.Exif.empty() ? TFlipTurn::None : ExifUprighting(metadata.Exif);
}

TDecodeRequest StoredRequest(const TDecodeRequest& upright, TFlipTurn uprighting) {
    TDecodeRequest stored = upright;
    if (SwapsSides(uprighting)) std::swap(stored.MinWidth, stored.MinHeight);
    return stored;
}

void TLibraryImage::Load(std::string bytes, const TDecodeRequest& request) {
    auto state = std::make_shared<State>();
    state->picture = Decode(bytes, request);
    ConvertPictureColors(state->picture, request.Colors);
    TurnUpright(state->picture);
    state->bytes = std::move(bytes);
    state_ = std::move(state);
    // Drawn over a cleared picture where it has alpha, as icons are.
    SetTransparent(state_->picture.Alpha);
    Changed();
}

std::string TLibraryImage::SaveToBytes() const {
    if (state_->bytes.empty()) throw EInvalidGraphicOperation(std::string("No ") + ClassName() + " data");
    return state_->bytes;
}

void TLibraryImage::Assign(const TGraphic& source) {
    auto* same = dynamic_cast<const TLibraryImage*>(&source);
    if (!same || std::string_view(same->ClassName()) != ClassName()) {
        TGraphic::Assign(source);
        return;
    }
    state_ = same->state_;
    SetTransparent(same->Transparent());
    Changed();
}

TBitmap NewDecodedBitmap(std::int64_t width, std::int64_t height, bool alpha) {
    CheckPictureSize(width, height);
    if (width == 0 || height == 0) throw EInvalidGraphic("Picture has no pixels");
    TBitmap bitmap = TBitmap::Uninitialised(static_cast<int>(width), static_cast<int>(height),
                                            alpha ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
    // The decoders write the pixels; the padding at the rows' ends is cleared here.
    const std::size_t used = std::size_t(width) * (alpha ? 4 : 3), stride = std::size_t(bitmap.BytesPerLine());
    if (used < stride) {
        std::uint8_t* row = bitmap.ScanLine(0);
        for (int y = 0; y < bitmap.Height(); ++y, row += stride) std::memset(row + used, 0, stride - used);
    }
    return bitmap;
}

void StoreRgbRow(const std::uint8_t* rgb, std::uint8_t* row, int count) {
    for (int x = 0; x < count; ++x, rgb += 3, row += 3) {
        row[0] = rgb[2];
        row[1] = rgb[1];
        row[2] = rgb[0];
    }
}

static inline std::uint8_t Multiply(unsigned colour, unsigned alpha) {
    const unsigned product = colour * alpha + 128;
    return static_cast<std::uint8_t>((product + (product >> 8)) >> 8);
}

void StoreRgbaRow(const std::uint8_t* rgba, std::uint8_t* row, int count) {
    for (int x = 0; x < count; ++x, rgba += 4, row += 4) {
        const unsigned alpha = rgba[3];
        row[0] = Multiply(rgba[2], alpha);
        row[1] = Multiply(rgba[1], alpha);
        row[2] = Multiply(rgba[0], alpha);
        row[3] = static_cast<std::uint8_t>(alpha);
    }
}

void StorePremultipliedRgbaRow(const std::uint8_t* rgba, std::uint8_t* row, int count) {
    for (int x = 0; x < count; ++x, rgba += 4, row += 4) {
        row[0] = rgba[2];
        row[1] = rgba[1];
        row[2] = rgba[0];
        row[3] = rgba[3];
    }
}

void PremultiplyRow(std::uint8_t* bgra, int count) {
    for (int x = 0; x < count; ++x, bgra += 4) {
        const unsigned alpha = bgra[3];
        if (alpha == 255) continue;
        bgra[0] = Multiply(bgra[0], alpha);
        bgra[1] = Multiply(bgra[1], alpha);
        bgra[2] = Multiply(bgra[2], alpha);
    }
}

void DrawPremultiplied(TCanvas& canvas, const TRect& rect, const TBitmap& bitmap) {
    if (bitmap.Empty() || rect.IsEmpty()) return;
    const QImage image(bitmap.ScanLine(0), bitmap.Width(), bitmap.Height(), bitmap.BytesPerLine(),
                       QImage::Format_ARGB32_Premultiplied);
    PaintOnCanvas(canvas, [&](QPainter& painter) {
        painter.drawImage(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), image);
    });
}

bool ServesReduced(int width, int height, const TDecodeRequest& request) {
    return (request.MinWidth > 0 || request.MinHeight > 0) && width >= request.MinWidth &&
           height >= request.MinHeight;
}

}  // namespace lumvex
