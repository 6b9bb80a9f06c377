#pragma once
// JPEG pictures through libjpeg: the compressed bytes are kept and decoded
// when the picture is first drawn or converted; a bitmap assigned to it is
// compressed when it is saved.
#include <memory>
#include <optional>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Graphic.h"
#include "platform/threads/CancelToken.h"

namespace lumvex {

enum class TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum class TJPEGPixelFormat { jf24Bit, jf8Bit };
enum class TJPEGPerformance { jpBestQuality, jpBestSpeed };
// The colours decoded: converted from the picture's colour profile to the
// screen's (for showing it), to sRGB (for a file that holds no profile), or
// as stored (for a JPEG write that keeps the profile).
enum class TJPEGColors { jcScreen, jcSRGB, jcStored };

class EJPEG : public EInvalidGraphic { using EInvalidGraphic::EInvalidGraphic; };

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    TJPEGImage(const TJPEGImage& other);
    ~TJPEGImage() override;

    const char* ClassName() const override { return "TJPEGImage"; }
    // The size at the chosen decoding scale, upright as the picture's EXIF
    // orientation has it (an assigned bitmap: its own size).
    int Width() const override;
    int Height() const override;
    void Draw(TCanvas& canvas, const TRect& rect) const override;
    void LoadFromBytes(std::string bytes) override;
    // The bytes loaded, unchanged (the quality does not re-compress them);
    // after a bitmap was assigned, that bitmap compressed as a baseline colour
    // JPEG at CompressionQuality. Raises EInvalidGraphicOperation when empty.
    std::string SaveToBytes() const override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }
    // From a bitmap (kept, compressed when saved) or another JPEG picture.
    void Assign(const TGraphic& source) override;
    // From an upright bitmap made from source's picture (source decoded with
    // jcStored colours, then scaled or drawn anew): saving it writes what
    // source's file carries too, its EXIF block updated to the new picture.
    void AssignKeepingMetadata(const TBitmap& bitmap, const TJPEGImage& source);

    // Decoding options; changing one drops the decoded bitmap. Loading keeps
    // the compressed bytes and reads only the header (raising EJPEG for data
    // that is no JPEG picture); the picture is decoded when first drawn or
    // asked for its Bitmap, turned upright and its colours converted as
    // Colors says. Data that ends early decodes with the rest grey. Damaged
    // metadata leaves the picture as stored.
    TJPEGScale Scale() const { return scale_; }
    void SetScale(TJPEGScale scale);
    // The smallest scale whose upright size still covers minWidth x
    // minHeight; full size when even half the picture does not, or when
    // the picture is an assigned bitmap.
    TJPEGScale ScaleToCover(int minWidth, int minHeight) const;
    TJPEGPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TJPEGPixelFormat format);
    bool Smoothing() const { return smoothing_; }
    void SetSmoothing(bool smoothing);
    TJPEGPerformance Performance() const { return performance_; }
    void SetPerformance(TJPEGPerformance performance);
    bool Grayscale() const;  // the file holds one grey channel
    TJPEGColors Colors() const { return colors_; }
    void SetColors(TJPEGColors colors);

    // Encoding quality, 1 to 100 (default 90); other values raise
    // EInvalidGraphicOperation.
    int CompressionQuality() const { return quality_; }
    void SetCompressionQuality(int quality);

    // The decoded picture (decoded now if it was not yet; EJPEG when the data
    // is damaged), or the assigned bitmap.
    const TBitmap& Bitmap() const;
    // The picture is decoded at the current options (or is an assigned bitmap).
    bool Decoded() const;
    void DIBNeeded() const { Bitmap(); }
    // Decodes now, unless decoded already; a cancelled token ends the
    // decoding promptly with ECancelled, the picture staying undecoded.
    void DIBNeeded(const TCancelToken& cancel) const;
    // Compresses an assigned bitmap now; from then on the picture is those
    // bytes, as if they had been loaded.
    void JPEGNeeded();

private:
    void Decode(const TCancelToken* cancel) const;
    std::string EncodeBitmap() const;
    // Sets a decoding option; a new value drops the decoded bitmap.
    template <class T>
    void SetOption(T& option, T value);

    struct Impl;
    std::unique_ptr<Impl> impl_;
    TJPEGScale scale_ = TJPEGScale::jsFullSize;
    TJPEGPixelFormat pixelFormat_ = TJPEGPixelFormat::jf24Bit;
    TJPEGPerformance performance_ = TJPEGPerformance::jpBestQuality;
    bool smoothing_ = true;
    TJPEGColors colors_ = TJPEGColors::jcScreen;
    int quality_ = 90;
};

}  // namespace lumvex
