#include "platform/graphics/Jpeg.h"

#include "platform/graphics/Canvas.h"
#include "platform/graphics/FlipTurn.h"
#include "platform/graphics/JpegCodec.h"

namespace lumvex {

struct TJPEGImage::Impl {
    std::shared_ptr<const std::string> bytes;  // the compressed file, when there is one
    jpeg::Header header;                       // read from bytes
    // What the file of bytes carries; with an assigned bitmap, what the file
    // it was made from carried, for the write.
    std::shared_ptr<const jpeg::Metadata> metadata;
    // Decoded from bytes at the current options, or (without bytes) the
    // bitmap assigned to the picture.
    std::shared_ptr<const TBitmap> bitmap;
};

TJPEGImage::TJPEGImage() : impl_(std::make_unique<Impl>()) {}

TJPEGImage::TJPEGImage(const TJPEGImage& other)
    : TGraphic(other),
      impl_(std::make_unique<Impl>(*other.impl_)),
      scale_(other.scale_),
      pixelFormat_(other.pixelFormat_),
      performance_(other.performance_),
      smoothing_(other.smoothing_),
      colors_(other.colors_),
      quality_(other.quality_) {}

TJPEGImage::~TJPEGImage() = default;

namespace {

bool UprightSwapsSides(const std::shared_ptr<const jpeg::Metadata>& metadata) {
    return metadata && SwapsSides(metadata->upright);
}

}  // namespace

int TJPEGImage::Width() const {
    if (!impl_->bytes) return impl_->bitmap ? impl_->bitmap->Width() : 0;
    const int side = UprightSwapsSides(impl_->metadata) ? impl_->header.height : impl_->header.width;
    return jpeg::ScaledSize(side, 1 << static_cast<int>(scale_));
}

int TJPEGImage::Height() const {
    if (!impl_->bytes) return impl_->bitmap ? impl_->bitmap->Height() : 0;
    const int side = UprightSwapsSides(impl_->metadata) ? impl_->header.width : impl_->header.height;
    return jpeg::ScaledSize(side, 1 << static_cast<int>(scale_));
}

TJPEGScale TJPEGImage::ScaleToCover(int minWidth, int minHeight) const {
    if (!impl_->bytes) return TJPEGScale::jsFullSize;
    const bool swap = UprightSwapsSides(impl_->metadata);
    const int width = swap ? impl_->header.height : impl_->header.width;
    const int height = swap ? impl_->header.width : impl_->header.height;
    for (TJPEGScale scale : {TJPEGScale::jsEighth, TJPEGScale::jsQuarter, TJPEGScale::jsHalf}) {
        const int denominator = 1 << static_cast<int>(scale);
        if (jpeg::ScaledSize(width, denominator) >= minWidth && jpeg::ScaledSize(height, denominator) >= minHeight)
            return scale;
    }
    return TJPEGScale::jsFullSize;
}

bool TJPEGImage::Decoded() const { return impl_->bitmap != nullptr; }

bool TJPEGImage::Grayscale() const { return impl_->bytes && impl_->header.grayscale; }

const TBitmap& TJPEGImage::Bitmap() const {
    static const TBitmap empty;
    Decode(nullptr);
    return impl_->bitmap ? *impl_->bitmap : empty;
}

void TJPEGImage::DIBNeeded(const TCancelToken& cancel) const { Decode(&cancel); }

void TJPEGImage::Decode(const TCancelToken* cancel) const {
    if (impl_->bitmap || !impl_->bytes) return;
    jpeg::DecodeOptions options;
    options.scaleDenominator = 1 << static_cast<int>(scale_);
    options.eightBit = pixelFormat_ == TJPEGPixelFormat::jf8Bit;
    options.smoothing = smoothing_;
    options.fast = performance_ == TJPEGPerformance::jpBestSpeed;
    options.cancel = cancel;
    const jpeg::Metadata& metadata = *impl_->metadata;
    std::shared_ptr<const TColorConversion> colors;
    if (colors_ != TJPEGColors::jcStored)
        colors = TColorConversion::For(metadata.icc, colors_ == TJPEGColors::jcScreen ? TColorTarget::Screen : TColorTarget::SRGB);
    options.colors = colors.get();
    options.transform = metadata.upright;
    auto decoded = std::make_shared<TBitmap>();
    jpeg::Decode(*impl_->bytes, options, *decoded);
    impl_->bitmap = std::move(decoded);
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) const {
    if (Empty()) return;
    const TBitmap& bitmap = Bitmap();
    canvas.CopyRect(rect, bitmap, Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

void TJPEGImage::LoadFromBytes(std::string bytes) {
    auto metadata = std::make_shared<jpeg::Metadata>();
    const jpeg::Header header = jpeg::ReadHeader(bytes, metadata.get());
    impl_->bytes = std::make_shared<const std::string>(std::move(bytes));
    impl_->header = header;
    impl_->metadata = std::move(metadata);
    impl_->bitmap.reset();
    Changed();
}

std::string TJPEGImage::SaveToBytes() const {
    if (impl_->bytes) return *impl_->bytes;
    if (!impl_->bitmap) throw EInvalidGraphicOperation("Cannot save an empty JPEG picture");
    return EncodeBitmap();
}

// The assigned bitmap is the source's picture upright; the plan may ask for
// it as stored instead, when the source's EXIF block cannot be updated.
std::string TJPEGImage::EncodeBitmap() const {
    const TBitmap& bitmap = *impl_->bitmap;
    if (!impl_->metadata) return jpeg::Encode(bitmap, quality_);
    const jpeg::Metadata& source = *impl_->metadata;
    const jpeg::WritePlan plan = jpeg::PlanWrite(source, source.upright, bitmap.Width(), bitmap.Height());
    const std::vector<jpeg::Marker> markers = jpeg::FitForColourPixels(plan.markers, source);
    const TFlipTurn more = Then(Inverse(source.upright), plan.pixels);
    if (more == TFlipTurn::None) return jpeg::Encode(bitmap, quality_, markers);
    TBitmap stored = bitmap;
    ApplyFlipTurn(stored, more);
    return jpeg::Encode(stored, quality_, markers);
}

void TJPEGImage::JPEGNeeded() {
    if (!impl_->bytes && impl_->bitmap) LoadFromBytes(EncodeBitmap());
}

void TJPEGImage::Assign(const TGraphic& source) {
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(&source)) {
        if (jpeg == this) return;
        *impl_ = *jpeg->impl_;
        scale_ = jpeg->scale_;
        pixelFormat_ = jpeg->pixelFormat_;
        performance_ = jpeg->performance_;
        smoothing_ = jpeg->smoothing_;
        colors_ = jpeg->colors_;
        quality_ = jpeg->quality_;
    } else if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        AssignKeepingMetadata(*bitmap, TJPEGImage());
        return;
    } else {
        TGraphic::Assign(source);
    }
    Changed();
}

void TJPEGImage::AssignKeepingMetadata(const TBitmap& bitmap, const TJPEGImage& source) {
    auto copy = std::make_shared<TBitmap>(bitmap);
    impl_->metadata = source.impl_->metadata;
    impl_->bytes.reset();
    impl_->header = {};
    impl_->bitmap = std::move(copy);
    Changed();
}

template <class T>
void TJPEGImage::SetOption(T& option, T value) {
    if (option == value) return;
    option = value;
    if (impl_->bytes) impl_->bitmap.reset();  // an assigned bitmap is the picture itself
    Changed();
}

void TJPEGImage::SetScale(TJPEGScale scale) { SetOption(scale_, scale); }
void TJPEGImage::SetPixelFormat(TJPEGPixelFormat format) { SetOption(pixelFormat_, format); }
void TJPEGImage::SetSmoothing(bool smoothing) { SetOption(smoothing_, smoothing); }
void TJPEGImage::SetPerformance(TJPEGPerformance performance) { SetOption(performance_, performance); }
void TJPEGImage::SetColors(TJPEGColors colors) { SetOption(colors_, colors); }

void TJPEGImage::SetCompressionQuality(int quality) {
    if (quality < 1 || quality > 100)
        throw EInvalidGraphicOperation("JPEG quality must be 1 to 100, not " + IntToStr(quality));
    quality_ = quality;
}

}  // namespace lumvex
