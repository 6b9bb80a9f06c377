#include "platform/graphics/Icon.h"

#include <QPainter>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/graphics/Dib.h"
#include "platform/graphics/LittleEndian.h"
#include "platform/graphics/QtBridge.h"

namespace lumvex {

struct TIcon::Impl {
    std::string bytes;           // the file as loaded
    TBitmap colors;              // the shown image, 24-bit
    std::vector<std::uint8_t> alpha;  // its opacity, one byte a pixel, rows from the top
    QImage image;                // both together, ready to draw
};

namespace {

constexpr std::size_t DirectorySize = 6;
constexpr std::size_t EntrySize = 16;
constexpr std::string_view PngSignature("\x89PNG\r\n\x1a\n", 8);

struct IconImage {
    std::string_view data;
    bool png = false;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bits = 0;
};

std::uint32_t ReadU32BigEndian(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return v;
}

// The size and depth of one image, from its own header rather than the
// directory, which may disagree.
IconImage DescribeImage(std::string_view file, std::size_t index) {
    const std::size_t at = DirectorySize + index * EntrySize;
    const std::uint32_t size = ReadU32(file, at + 8), offset = ReadU32(file, at + 12);
    if (size == 0 || offset > file.size() || size > file.size() - offset)
        throw EInvalidGraphic("Icon image " + IntToStr(std::int64_t(index) + 1) + " lies outside the file");
    IconImage image;
    image.data = file.substr(offset, size);
    image.png = image.data.substr(0, PngSignature.size()) == PngSignature;
    if (image.png) {
        // Signature, then the IHDR chunk: length, type, width, height, depth, colour type.
        if (image.data.size() < 26 || image.data.substr(12, 4) != "IHDR")
            throw EInvalidGraphic("Icon holds a damaged PNG image");
        image.width = ReadU32BigEndian(image.data, 16);
        image.height = ReadU32BigEndian(image.data, 20);
        static const int channels[7] = {1, 0, 3, 1, 2, 0, 4};
        const std::uint8_t colourType = static_cast<std::uint8_t>(image.data[25]);
        image.bits = static_cast<std::uint8_t>(image.data[24]) * (colourType < 7 ? channels[colourType] : 0);
        CheckPictureSize(image.width, image.height);
        // Deflate packs at most 1032 bytes into one, which bounds the rows a
        // PNG of this many bytes can hold.
        const std::int64_t rowBytes = (image.width * image.bits + 7) / 8 + 1;
        if (rowBytes * image.height > std::int64_t(image.data.size()) * 1032)
            throw EInvalidGraphic("Icon holds a PNG image far too short for its size");
    } else {
        const DibHeader header = ReadDibHeader(image.data);
        image.width = header.width;
        image.height = header.height / 2;
        image.bits = header.bitCount;
    }
    return image;
}

IconImage ChooseImage(std::string_view file) {
    if (file.empty()) throw EInvalidGraphic("Icon file is empty");
    if (file.size() < DirectorySize || ReadU16(file, 0) != 0 || ReadU16(file, 2) != 1)
        throw EInvalidGraphic("Not an icon file: the icon directory is missing");
    const std::size_t count = ReadU16(file, 4);
    if (count == 0) throw EInvalidGraphic("Icon file holds no images");
    if (file.size() < DirectorySize + count * EntrySize) throw EInvalidGraphic("Icon directory is truncated");
    IconImage best;
    for (std::size_t i = 0; i < count; ++i) {
        IconImage image = DescribeImage(file, i);
        const std::int64_t area = image.width * image.height, bestArea = best.width * best.height;
        if (i == 0 || area > bestArea || (area == bestArea && image.bits > best.bits)) best = image;
    }
    return best;
}

// A 32-bit image carries its own alpha; a file that left it all zero means
// the mask decides, as for the other depths.
bool HasAlpha(const TBitmap& bitmap) {
    if (bitmap.BitsPerPixel() != 32) return false;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            if (row[4 * x + 3]) return true;
    }
    return false;
}

void DecodeDibImage(std::string_view dib, TBitmap& colors, std::vector<std::uint8_t>& alpha) {
    DibHeader header = ReadDibHeader(dib);
    if (header.compression != BI_RGB && header.compression != BI_BITFIELDS && header.compression != BI_ALPHABITFIELDS)
        throw EInvalidGraphic("Icon holds a compressed image, which icons do not allow");
    header.height /= 2;  // colour rows, then as many mask rows
    if (header.height == 0) throw EInvalidGraphic("Icon image has no rows");
    const std::size_t pixels = header.PixelsAfterPalette();
    TBitmap decoded = DecodeDib(header, dib, pixels);
    const int width = decoded.Width(), height = decoded.Height();
    alpha.assign(std::size_t(width) * height, 0xFF);
    if (HasAlpha(decoded)) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) alpha[std::size_t(y) * width + x] = decoded.ScanLine(y)[4 * x + 3];
    } else {
        const std::int64_t maskOffset = std::int64_t(pixels) + DibStride(header) * height;
        const std::int64_t maskStride = BytesPerLine(width, TPixelFormat::pf1bit);
        const bool maskPresent = maskOffset + maskStride * height <= std::int64_t(dib.size());
        if (!maskPresent && header.bitCount != 32) throw EInvalidGraphic("Icon image mask is truncated");
        for (int r = 0; maskPresent && r < height; ++r) {
            const std::size_t row = static_cast<std::size_t>(maskOffset + maskStride * r);
            const int y = header.topDown ? r : height - 1 - r;
            for (int x = 0; x < width; ++x)
                if ((static_cast<std::uint8_t>(dib[row + x / 8]) >> (7 - x % 8)) & 1) alpha[std::size_t(y) * width + x] = 0;
        }
    }
    decoded.SetPixelFormat(TPixelFormat::pf24bit);
    colors = std::move(decoded);
}

void DecodePngImage(std::string_view png, TBitmap& colors, std::vector<std::uint8_t>& alpha) {
    QImage image = QImage::fromData(QByteArrayView(png.data(), qsizetype(png.size())), "PNG");
    if (image.isNull()) throw EInvalidGraphic("Icon holds a damaged PNG image");
    image = image.convertToFormat(QImage::Format_ARGB32);
    colors = TBitmap(image.width(), image.height(), TPixelFormat::pf24bit);
    alpha.resize(std::size_t(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* dst = colors.ScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            dst[3 * x] = static_cast<std::uint8_t>(qBlue(src[x]));
            dst[3 * x + 1] = static_cast<std::uint8_t>(qGreen(src[x]));
            dst[3 * x + 2] = static_cast<std::uint8_t>(qRed(src[x]));
            alpha[std::size_t(y) * image.width() + x] = static_cast<std::uint8_t>(qAlpha(src[x]));
        }
    }
}

QImage DrawableImage(const TBitmap& colors, const std::vector<std::uint8_t>& alpha) {
    QImage image(colors.Width(), colors.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < colors.Height(); ++y) {
        const std::uint8_t* src = colors.ScanLine(y);
        QRgb* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < colors.Width(); ++x)
            dst[x] = qRgba(src[3 * x + 2], src[3 * x + 1], src[3 * x], alpha[std::size_t(y) * colors.Width() + x]);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

// An icon always draws with its transparency.
TIcon::TIcon() : impl_(std::make_unique<Impl>()) { SetTransparent(true); }
TIcon::TIcon(const TIcon& other) : TGraphic(other), impl_(std::make_unique<Impl>(*other.impl_)) {}
TIcon::~TIcon() = default;

int TIcon::Width() const { return impl_->colors.Width(); }
int TIcon::Height() const { return impl_->colors.Height(); }

void TIcon::Draw(TCanvas& canvas, const TRect& rect) const {
    if (Empty()) return;
    PaintOnCanvas(canvas, [&](QPainter& painter) {
        painter.drawImage(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), impl_->image);
    });
}

void TIcon::LoadFromBytes(std::string bytes) {
    auto loaded = std::make_unique<Impl>();
    const IconImage image = ChooseImage(bytes);
    if (image.png)
        DecodePngImage(image.data, loaded->colors, loaded->alpha);
    else
        DecodeDibImage(image.data, loaded->colors, loaded->alpha);
    loaded->image = DrawableImage(loaded->colors, loaded->alpha);
    loaded->bytes = std::move(bytes);
    impl_ = std::move(loaded);
    Changed();
}

std::string TIcon::SaveToBytes() const { return impl_->bytes; }

void TIcon::Assign(const TGraphic& source) {
    if (auto* icon = dynamic_cast<const TIcon*>(&source)) {
        impl_ = std::make_unique<Impl>(*icon->impl_);
        SetTransparent(icon->Transparent());
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

const TBitmap& TIcon::Colors() const { return impl_->colors; }

bool TIcon::Opaque(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return false;
    return impl_->alpha[std::size_t(y) * Width() + x] >= 128;
}

}  // namespace lumvex
