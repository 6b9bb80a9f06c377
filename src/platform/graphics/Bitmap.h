#pragma once
// A device-independent bitmap: rows from the top, each padded to 4 bytes;
// 24-bit pixels are bytes blue, green, red; 32-bit pixels blue, green, red,
// unused. 15-bit pixels are little-endian 5-5-5 words, 16-bit 5-6-5 words;
// 1, 4 and 8-bit pixels index the palette, the first pixel in the high bits.
// "Device" and "custom" pixels are kept in the 32-bit layout.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/PixelBuffer.h"

namespace lumvex {

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// Bits of one stored pixel for a format (device and custom: 32).
int BitsPerPixel(TPixelFormat format);
// Bytes of one stored row: width * bits rounded up to whole 32-bit words.
std::int64_t BytesPerLine(int width, TPixelFormat format);

enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap() override;

    // A bitmap whose pixel bytes are left as they come from memory, for a
    // decoder that writes every byte of every row itself.
    static TBitmap Uninitialised(int width, int height, TPixelFormat format);

    const char* ClassName() const override { return "TBitmap"; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    // Keeps the pixels that still fit (top-left aligned); new pixels are zero.
    void SetSize(int width, int height);
    // Drops the pixels and makes room for new ones without clearing them,
    // for decoders that write every byte of every row (padding included).
    void AllocateUninitialised(int width, int height, TPixelFormat format);

    TPixelFormat PixelFormat() const { return format_; }
    // Converts the pixels to the new format.
    void SetPixelFormat(TPixelFormat format);
    int BitsPerPixel() const { return lumvex::BitsPerPixel(format_); }
    int BytesPerLine() const { return stride_; }

    // A row to write to: a bitmap that shares its pixels with a copy gets
    // its own pixels first.
    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;

    // The palette of a 1, 4 or 8-bit bitmap (2, 16 or 256 entries).
    const std::vector<TRGBQuad>& Palette() const { return palette_; }
    void SetPalette(std::vector<TRGBQuad> palette);

    // The colour of one pixel, whatever the format.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    TCanvas& Canvas();

    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }
    // tmAuto: the colour of the bottom-left pixel; tmFixed: the colour set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    void Draw(TCanvas& canvas, const TRect& rect) const override;
    void LoadFromBytes(std::string bytes) override;  // a BMP file
    std::string SaveToBytes() const override;        // a BMP file in the bitmap's own format
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TBitmap>(*this); }
    // Copies a bitmap; any other picture is drawn onto a 24-bit bitmap of its size.
    void Assign(const TGraphic& source) override;

    // Takes source's pixels without copying them (same size and format);
    // whichever bitmap is written to first gets its own copy then.
    void SharePixelsOf(const TBitmap& source);
    bool SharesPixelsWith(const TBitmap& other) const;

    // Called after pixels were written through ScanLine, so views can repaint.
    void Modified() { Changed(); }

private:
    void Detach();
    void Reallocate(int width, int height, TPixelFormat format, bool keepPixels, bool zeroed = true);

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::pfDevice;
    int stride_ = 0;
    std::shared_ptr<PixelBuffer> pixels_;  // shared by copies until written
    std::vector<TRGBQuad> palette_;
    TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
    TColor transparentColor_ = clNone;
    std::unique_ptr<TCanvas> canvas_;
};

// The palette a bitmap of this format gets when none is given.
std::vector<TRGBQuad> DefaultPalette(TPixelFormat format);

}  // namespace lumvex
