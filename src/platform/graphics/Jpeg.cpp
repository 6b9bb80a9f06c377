#include "platform/graphics/Jpeg.h"

namespace lumvex {

struct TJPEGImage::Impl {};
TJPEGImage::TJPEGImage() : impl_(std::make_unique<Impl>()) {}
TJPEGImage::TJPEGImage(const TJPEGImage& other) : TGraphic(other), impl_(std::make_unique<Impl>()) {}
TJPEGImage::~TJPEGImage() = default;
int TJPEGImage::Width() const { return 0; }
int TJPEGImage::Height() const { return 0; }
void TJPEGImage::Draw(TCanvas&, const TRect&) const {}
void TJPEGImage::LoadFromBytes(std::string) { throw EJPEG("JPEG decoding is not built yet"); }
std::string TJPEGImage::SaveToBytes() const { throw EJPEG("JPEG encoding is not built yet"); }
void TJPEGImage::Assign(const TGraphic& source) { TGraphic::Assign(source); }
void TJPEGImage::SetScale(TJPEGScale scale) { scale_ = scale; }
void TJPEGImage::SetPixelFormat(TJPEGPixelFormat format) { pixelFormat_ = format; }
void TJPEGImage::SetSmoothing(bool smoothing) { smoothing_ = smoothing; }
void TJPEGImage::SetPerformance(TJPEGPerformance performance) { performance_ = performance; }
bool TJPEGImage::Grayscale() const { return false; }
void TJPEGImage::SetCompressionQuality(int quality) { quality_ = quality; }
const TBitmap& TJPEGImage::Bitmap() const { static TBitmap empty; return empty; }
void TJPEGImage::JPEGNeeded() {}

}  // namespace lumvex
