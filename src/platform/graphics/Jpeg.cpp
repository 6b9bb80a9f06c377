#include "platform/graphics/Jpeg.h"

#include "platform/graphics/Canvas.h"
#include "platform/graphics/JpegCodec.h"

namespace lumvex {

struct TJPEGImage::Impl {
    std::shared_ptr<const std::string> bytes;  // the compressed file, when there is one
    jpeg::Header header;                       // read from bytes
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
      quality_(other.quality_) {}

TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const {
    if (impl_->bytes) return jpeg::ScaledSize(impl_->header.width, 1 << static_cast<int>(scale_));
    return impl_->bitmap ? impl_->bitmap->Width() : 0;
}

int TJPEGImage::Height() const {
    if (impl_->bytes) return jpeg::ScaledSize(impl_->header.height, 1 << static_cast<int>(scale_));
    return impl_->bitmap ? impl_->bitmap->Height() : 0;
}

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
    const jpeg::Header header = jpeg::ReadHeader(bytes);
    impl_->bytes = std::make_shared<const std::string>(std::move(bytes));
    impl_->header = header;
    impl_->bitmap.reset();
    Changed();
}

std::string TJPEGImage::SaveToBytes() const {
    if (impl_->bytes) return *impl_->bytes;
    if (!impl_->bitmap) throw EInvalidGraphicOperation("Cannot save an empty JPEG picture");
    return jpeg::Encode(*impl_->bitmap, quality_);
}

void TJPEGImage::JPEGNeeded() {
    if (!impl_->bytes && impl_->bitmap) LoadFromBytes(jpeg::Encode(*impl_->bitmap, quality_));
}

void TJPEGImage::Assign(const TGraphic& source) {
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(&source)) {
        if (jpeg == this) return;
        *impl_ = *jpeg->impl_;
        scale_ = jpeg->scale_;
        pixelFormat_ = jpeg->pixelFormat_;
        performance_ = jpeg->performance_;
        smoothing_ = jpeg->smoothing_;
        quality_ = jpeg->quality_;
    } else if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        auto copy = std::make_shared<TBitmap>(*bitmap);
        impl_->bytes.reset();
        impl_->header = {};
        impl_->bitmap = std::move(copy);
    } else {
        TGraphic::Assign(source);
    }
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

void TJPEGImage::SetCompressionQuality(int quality) {
    if (quality < 1 || quality > 100)
        throw EInvalidGraphicOperation("JPEG quality must be 1 to 100, not " + IntToStr(quality));
    quality_ = quality;
}

}  // namespace lumvex
