#include "platform/graphics/QtBridge.h"

#include <QPainter>
#include <cmath>
#include <cstring>

namespace lumvex {

// The default face of the windows' design is a desktop bitmap font that is
// not here; it is asked for by the free face of about its measures that
// stands in for it, so that the toolkit does not first look for it in vain
// (which costs milliseconds of font matching at start).
static QString FamilyHere(const std::string& name) {
    return name == "MS Sans Serif" ? QStringLiteral("Liberation Sans") : QString::fromStdString(name);
}

QFont ToQFont(const TFont& font) {
    QFont f(FamilyHere(font.Name));
    int pixels = font.PixelHeight > 0 ? font.PixelHeight : static_cast<int>(std::lround(font.Size * 96.0 / 72.0));
    f.setPixelSize(pixels > 0 ? pixels : 1);
    f.setBold(font.Style & fsBold);
    f.setItalic(font.Style & fsItalic);
    f.setUnderline(font.Style & fsUnderline);
    f.setStrikeOut(font.Style & fsStrikeOut);
    return f;
}

static QImage::Format DirectFormat(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf15bit: return QImage::Format_RGB555;
    case TPixelFormat::pf16bit: return QImage::Format_RGB16;
    case TPixelFormat::pf24bit: return QImage::Format_BGR888;
    case TPixelFormat::pfDevice:
    case TPixelFormat::pf32bit:
    case TPixelFormat::pfCustom: return QImage::Format_RGB32;
    default: return QImage::Format_Invalid;
    }
}

QImage PaintableImage(TBitmap& bitmap) {
    if (bitmap.Width() == 0 || bitmap.Height() == 0) return QImage();
    if (DirectFormat(bitmap.PixelFormat()) == QImage::Format_Invalid)
        bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    return QImage(bitmap.ScanLine(0), bitmap.Width(), bitmap.Height(), bitmap.BytesPerLine(),
                  DirectFormat(bitmap.PixelFormat()));
}

static QList<QRgb> ColorTable(const TBitmap& bitmap) {
    QList<QRgb> table;
    for (const TRGBQuad& q : bitmap.Palette()) table.push_back(qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue));
    return table;
}

QImage SourceImage(const TBitmap& bitmap) {
    if (bitmap.Width() == 0 || bitmap.Height() == 0) return QImage();
    const uchar* bits = bitmap.ScanLine(0);
    QImage::Format direct = DirectFormat(bitmap.PixelFormat());
    if (direct != QImage::Format_Invalid)
        return QImage(bits, bitmap.Width(), bitmap.Height(), bitmap.BytesPerLine(), direct);
    if (bitmap.PixelFormat() == TPixelFormat::pf8bit || bitmap.PixelFormat() == TPixelFormat::pf1bit) {
        QImage image(bits, bitmap.Width(), bitmap.Height(), bitmap.BytesPerLine(),
                     bitmap.PixelFormat() == TPixelFormat::pf8bit ? QImage::Format_Indexed8 : QImage::Format_Mono);
        image.setColorTable(ColorTable(bitmap));
        return image;
    }
    // 4 bits: spread to one byte a pixel.
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_Indexed8);
    image.setColorTable(ColorTable(bitmap));
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* src = bitmap.ScanLine(y);
        uchar* dst = image.scanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) dst[x] = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
    }
    return image;
}

QImage KeyedImage(const TBitmap& bitmap, TColor keyColor) {
    QImage image = SourceImage(bitmap).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(GetRValue(keyColor), GetGValue(keyColor), GetBValue(keyColor));
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] | 0xFF000000u) == key) row[x] = 0;
    }
    return image;
}

QImage RenderGraphic(const TGraphic& graphic) {
    TBitmap canvasBitmap(graphic.Width(), graphic.Height(), TPixelFormat::pf32bit);
    graphic.Draw(canvasBitmap.Canvas(), Rect(0, 0, graphic.Width(), graphic.Height()));
    return SourceImage(canvasBitmap).copy();
}

void PaintOnCanvas(TCanvas& canvas, const std::function<void(QPainter&)>& draw) { canvas.Paint(draw); }

TBitmap BitmapFromQImage(const QImage& image) {
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    TBitmap bitmap(rgb.width(), rgb.height(), TPixelFormat::pf32bit);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(bitmap.ScanLine(y), rgb.constScanLine(y), static_cast<size_t>(rgb.width()) * 4);
    return bitmap;
}

}  // namespace lumvex
