#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>

#include "platform/SysUtils.h"
#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/Canvas.h"

namespace lumvex {

int BitsPerPixel(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    default: return 32;
    }
}

std::int64_t BytesPerLine(int width, TPixelFormat format) {
    return ((std::int64_t(width) * BitsPerPixel(format) + 31) / 32) * 4;
}

std::vector<TRGBQuad> DefaultPalette(TPixelFormat format) {
    static const TColor vga[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                   0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                   0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    std::vector<TRGBQuad> palette;
    switch (format) {
    case TPixelFormat::pf1bit: palette = {ToRGBQuad(clBlack), ToRGBQuad(clWhite)}; break;
    case TPixelFormat::pf4bit:
        for (TColor c : vga) palette.push_back(ToRGBQuad(c));
        break;
    case TPixelFormat::pf8bit:  // 3 bits red, 3 bits green, 2 bits blue
        for (int i = 0; i < 256; ++i)
            palette.push_back(TRGBQuad{static_cast<uint8_t>((i & 3) * 255 / 3),
                                       static_cast<uint8_t>(((i >> 2) & 7) * 255 / 7),
                                       static_cast<uint8_t>(((i >> 5) & 7) * 255 / 7), 0});
        break;
    default: break;
    }
    return palette;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
    Reallocate(width, height, format, false);
}

TBitmap::TBitmap(const TBitmap& other)
    : TGraphic(other),
      width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      stride_(other.stride_),
      pixels_(other.pixels_),
      palette_(other.palette_),
      transparentMode_(other.transparentMode_),
      transparentColor_(other.transparentColor_) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this == &other) return *this;
    TGraphic::operator=(other);
    pixels_ = other.pixels_;
    width_ = other.width_;
    height_ = other.height_;
    format_ = other.format_;
    stride_ = other.stride_;
    palette_ = other.palette_;
    transparentMode_ = other.transparentMode_;
    transparentColor_ = other.transparentColor_;
    Changed();
    return *this;
}

TBitmap::~TBitmap() = default;

TBitmap TBitmap::Uninitialised(int width, int height, TPixelFormat format) {
    TBitmap bitmap;
    bitmap.AllocateUninitialised(width, height, format);
    return bitmap;
}

void TBitmap::Reallocate(int width, int height, TPixelFormat format, bool keepPixels, bool zeroed) {
    if (width < 0 || height < 0) throw EInvalidGraphicOperation("Invalid bitmap size");
    CheckPictureSize(width, height);
    std::int64_t stride = lumvex::BytesPerLine(width, format);
    const auto size = static_cast<size_t>(stride * height);
    PixelBuffer pixels = zeroed ? PixelBuffer(size) : PixelBuffer::Uninitialised(size);
    if (keepPixels && pixels_ && pixels_->size() && pixels.size() && format == format_) {
        int rows = std::min(height, height_);
        size_t bytes = static_cast<size_t>(std::min<std::int64_t>(stride, stride_));
        for (int y = 0; y < rows; ++y)
            std::memcpy(pixels.data() + std::int64_t(y) * stride, pixels_->data() + std::int64_t(y) * stride_, bytes);
    }
    pixels_ = std::make_shared<PixelBuffer>(std::move(pixels));
    width_ = width;
    height_ = height;
    stride_ = static_cast<int>(stride);
    if (format != format_ || palette_.empty()) palette_ = DefaultPalette(format);
    format_ = format;
}

void TBitmap::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    Reallocate(width, height, format_, true);
    Changed();
}

void TBitmap::AllocateUninitialised(int width, int height, TPixelFormat format) {
    pixels_.reset();  // lets a large block go back for reuse first
    Reallocate(width, height, format, false, false);
    Changed();
}

// Copies share their pixels until one of them is written to.
void TBitmap::Detach() {
    if (!pixels_ || pixels_.use_count() == 1) return;
    auto own = std::make_shared<PixelBuffer>(PixelBuffer::Uninitialised(pixels_->size()));
    if (own->size()) std::memcpy(own->data(), pixels_->data(), own->size());
    pixels_ = std::move(own);
}

bool TBitmap::SharesPixelsWith(const TBitmap& other) const { return pixels_ && pixels_ == other.pixels_; }

void TBitmap::SharePixelsOf(const TBitmap& source) {
    if (source.width_ != width_ || source.height_ != height_ || source.format_ != format_)
        throw EInvalidGraphicOperation("Bitmaps of different size or format cannot share pixels");
    pixels_ = source.pixels_;
    Changed();
}

std::uint8_t* TBitmap::ScanLine(int y) {
    if (y < 0 || y >= height_) throw EInvalidGraphicOperation("Scan line index out of range");
    Detach();
    return pixels_->data() + std::int64_t(y) * stride_;
}

const std::uint8_t* TBitmap::ScanLine(int y) const {
    if (y < 0 || y >= height_) throw EInvalidGraphicOperation("Scan line index out of range");
    return pixels_->data() + std::int64_t(y) * stride_;
}

void TBitmap::SetPalette(std::vector<TRGBQuad> palette) {
    palette_ = std::move(palette);
    Changed();
}

static int NearestPaletteIndex(const std::vector<TRGBQuad>& palette, TColor c) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < palette.size(); ++i) {
        int dr = palette[i].rgbRed - GetRValue(c), dg = palette[i].rgbGreen - GetGValue(c),
            db = palette[i].rgbBlue - GetBValue(c);
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
            if (d == 0) break;
        }
    }
    return best;
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    const uint8_t* row = ScanLine(y);
    auto paletteColor = [&](int index) {
        return index < static_cast<int>(palette_.size()) ? FromRGBQuad(palette_[index]) : clBlack;
    };
    switch (format_) {
    case TPixelFormat::pf1bit: return paletteColor((row[x >> 3] >> (7 - (x & 7))) & 1);
    case TPixelFormat::pf4bit: return paletteColor((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
    case TPixelFormat::pf8bit: return paletteColor(row[x]);
    case TPixelFormat::pf15bit: {
        unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
        auto e = [](unsigned c) { return static_cast<uint8_t>((c << 3) | (c >> 2)); };
        return RGB(e((v >> 10) & 31), e((v >> 5) & 31), e(v & 31));
    }
    case TPixelFormat::pf16bit: {
        unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
        auto e5 = [](unsigned c) { return static_cast<uint8_t>((c << 3) | (c >> 2)); };
        auto e6 = [](unsigned c) { return static_cast<uint8_t>((c << 2) | (c >> 4)); };
        return RGB(e5((v >> 11) & 31), e6((v >> 5) & 63), e5(v & 31));
    }
    case TPixelFormat::pf24bit: return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: return RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
}

void TBitmap::SetPixel(int x, int y, TColor c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    uint8_t* row = ScanLine(y);
    switch (format_) {
    case TPixelFormat::pf1bit: {
        int bit = 7 - (x & 7);
        row[x >> 3] = static_cast<uint8_t>((row[x >> 3] & ~(1 << bit)) | (NearestPaletteIndex(palette_, c) << bit));
        break;
    }
    case TPixelFormat::pf4bit: {
        int i = NearestPaletteIndex(palette_, c);
        uint8_t& b = row[x >> 1];
        b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | i) : static_cast<uint8_t>((b & 0x0F) | (i << 4));
        break;
    }
    case TPixelFormat::pf8bit: row[x] = static_cast<uint8_t>(NearestPaletteIndex(palette_, c)); break;
    case TPixelFormat::pf15bit: {
        unsigned v = ((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3);
        row[2 * x] = v & 0xFF;
        row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
        break;
    }
    case TPixelFormat::pf16bit: {
        unsigned v = ((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3);
        row[2 * x] = v & 0xFF;
        row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
        break;
    }
    case TPixelFormat::pf24bit:
        row[3 * x] = GetBValue(c);
        row[3 * x + 1] = GetGValue(c);
        row[3 * x + 2] = GetRValue(c);
        break;
    default:
        row[4 * x] = GetBValue(c);
        row[4 * x + 1] = GetGValue(c);
        row[4 * x + 2] = GetRValue(c);
        row[4 * x + 3] = 0;
        break;
    }
}

static bool IsTrueColour32(TPixelFormat f) {
    return f == TPixelFormat::pf32bit || f == TPixelFormat::pfDevice || f == TPixelFormat::pfCustom;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == format_) return;
    if (IsTrueColour32(format) && IsTrueColour32(format_)) {  // same layout
        format_ = format;
        Changed();
        return;
    }
    TBitmap converted(width_, height_, format);
    if (format == TPixelFormat::pf8bit && format_ == TPixelFormat::pf4bit) converted.palette_ = palette_;
    converted.palette_.resize(lumvex::BitsPerPixel(format) <= 8 ? std::size_t(1) << lumvex::BitsPerPixel(format) : 0);
    const bool fromSmall = lumvex::BitsPerPixel(format_) <= 8;
    const bool paletteKept = fromSmall && lumvex::BitsPerPixel(format) <= 8 && palette_.size() <= converted.palette_.size();
    if (paletteKept) std::copy(palette_.begin(), palette_.end(), converted.palette_.begin());
    // 8-bit pixels look their colour up in a full table (black past the palette).
    std::vector<TColor> colours8;
    if (format_ == TPixelFormat::pf8bit)
        for (int i = 0; i < 256; ++i)
            colours8.push_back(i < static_cast<int>(palette_.size()) ? FromRGBQuad(palette_[i]) : clBlack);
    for (int y = 0; y < height_; ++y) {
        if (format == TPixelFormat::pf24bit || IsTrueColour32(format)) {
            // Fast paths into true colour, the common case.
            uint8_t* dst = converted.ScanLine(y);
            const uint8_t* src = ScanLine(y);
            const int step = format == TPixelFormat::pf24bit ? 3 : 4;
            for (int x = 0; x < width_; ++x) {
                TColor c = colours8.empty() ? Pixel(x, y) : colours8[src[x]];
                dst[step * x] = GetBValue(c);
                dst[step * x + 1] = GetGValue(c);
                dst[step * x + 2] = GetRValue(c);
            }
        } else {
            for (int x = 0; x < width_; ++x) converted.SetPixel(x, y, Pixel(x, y));
        }
    }
    pixels_ = std::move(converted.pixels_);
    stride_ = converted.stride_;
    palette_ = std::move(converted.palette_);
    format_ = format;
    Changed();
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(this);
    return *canvas_;
}

TColor TBitmap::TransparentColor() const {
    if (transparentMode_ == TTransparentMode::tmFixed && transparentColor_ != clNone) return transparentColor_;
    return height_ > 0 && width_ > 0 ? Pixel(0, height_ - 1) : clNone;
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = TTransparentMode::tmFixed;
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) const {
    if (Empty()) return;
    if (Transparent())
        canvas.DrawTransparent(rect, *this, TransparentColor());
    else
        canvas.CopyRect(rect, *this, Rect(0, 0, width_, height_));
}

void TBitmap::LoadFromBytes(std::string bytes) {
    TBitmap loaded = ReadBmp(bytes);
    loaded.SetTransparent(Transparent());
    loaded.transparentMode_ = transparentMode_;
    loaded.transparentColor_ = transparentColor_;
    loaded.canvas_.reset();
    pixels_ = std::move(loaded.pixels_);
    width_ = loaded.width_;
    height_ = loaded.height_;
    format_ = loaded.format_;
    stride_ = loaded.stride_;
    palette_ = std::move(loaded.palette_);
    Changed();
}

std::string TBitmap::SaveToBytes() const { return WriteBmp(*this); }

void TBitmap::Assign(const TGraphic& source) {
    if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        *this = *bitmap;
        return;
    }
    TBitmap drawn(source.Width(), source.Height(), TPixelFormat::pf24bit);
    if (!source.Empty()) source.Draw(drawn.Canvas(), Rect(0, 0, source.Width(), source.Height()));
    drawn.SetTransparent(source.Transparent());
    *this = drawn;
}

}  // namespace lumvex
