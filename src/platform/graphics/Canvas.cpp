#include "platform/graphics/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstring>

#include "platform/SysUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/QtBridge.h"

namespace lumvex {

TCanvas::TCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
TCanvas::~TCanvas() = default;

void TCanvas::Paint(const std::function<void(QPainter&)>& draw) {
    if (!bitmap_ || bitmap_->Empty()) return;
    QImage image = PaintableImage(*bitmap_);
    {
        QPainter painter(&image);
        draw(painter);
    }
    bitmap_->Modified();
}

static QPen ToQPen(const TPen& pen) {
    if (pen.Style == TPenStyle::psClear) return QPen(Qt::NoPen);
    QPen p(ToQColor(pen.Color));
    p.setWidth(std::max(1, pen.Width));
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    if (pen.Style == TPenStyle::psDot) p.setStyle(Qt::DotLine);
    if (pen.Style == TPenStyle::psDash) p.setStyle(Qt::DashLine);
    if (pen.Style == TPenStyle::psDashDot) p.setStyle(Qt::DashDotLine);
    if (pen.Style == TPenStyle::psDashDotDot) p.setStyle(Qt::DashDotDotLine);
    return p;
}

static QBrush ToQBrush(const TBrush& brush) {
    return brush.Style == TBrushStyle::bsClear ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush.Color));
}

static void ApplyPenMode(QPainter& p, TPenMode mode) {
    if (mode == TPenMode::pmXor) p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    if (mode == TPenMode::pmNot) p.setCompositionMode(QPainter::RasterOp_NotDestination);
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
    graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic& graphic) { graphic.Draw(*this, rect); }

void TCanvas::DrawTransparent(const TRect& rect, const TBitmap& bitmap, TColor keyColor) {
    if (bitmap.Empty() || rect.IsEmpty()) return;
    QImage keyed = KeyedImage(bitmap, keyColor);
    Paint([&](QPainter& p) { p.drawImage(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), keyed); });
}

// Combines rows byte by byte when both sides share one true-colour layout and
// no stretching is asked: the common case of copying pictures, kept off Qt.
static bool CopyDirect(TBitmap& dest, const TRect& d, const TBitmap& source, const TRect& s, TCopyMode mode) {
    if (d.Width() != s.Width() || d.Height() != s.Height()) return false;
    if (dest.PixelFormat() != source.PixelFormat() || dest.BitsPerPixel() < 15) return false;
    // Clip to both bitmaps.
    int dx = d.Left, dy = d.Top, sx = s.Left, sy = s.Top, w = d.Width(), h = d.Height();
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
    w = std::min({w, dest.Width() - dx, source.Width() - sx});
    h = std::min({h, dest.Height() - dy, source.Height() - sy});
    if (w <= 0 || h <= 0) return true;
    if (mode == TCopyMode::cmSrcCopy && dx == 0 && dy == 0 && sx == 0 && sy == 0 && w == dest.Width() &&
        h == dest.Height() && w == source.Width() && h == source.Height()) {
        dest.SharePixelsOf(source);  // a whole picture onto a bitmap of its size: no copy until written
        return true;
    }
    const int bytesPerPixel = dest.BitsPerPixel() / 8;
    const size_t n = static_cast<size_t>(w) * bytesPerPixel;
    for (int y = 0; y < h; ++y) {
        uint8_t* out = dest.ScanLine(dy + y) + static_cast<size_t>(dx) * bytesPerPixel;
        const uint8_t* in = source.ScanLine(sy + y) + static_cast<size_t>(sx) * bytesPerPixel;
        switch (mode) {
        case TCopyMode::cmSrcCopy: std::memmove(out, in, n); break;
        case TCopyMode::cmSrcInvert: for (size_t i = 0; i < n; ++i) out[i] ^= in[i]; break;
        case TCopyMode::cmSrcAnd: for (size_t i = 0; i < n; ++i) out[i] &= in[i]; break;
        case TCopyMode::cmSrcPaint: for (size_t i = 0; i < n; ++i) out[i] |= in[i]; break;
        case TCopyMode::cmNotSrcCopy: for (size_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(~in[i]); break;
        }
    }
    dest.Modified();
    return true;
}

static QPainter::CompositionMode ToComposition(TCopyMode mode) {
    switch (mode) {
    case TCopyMode::cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case TCopyMode::cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case TCopyMode::cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case TCopyMode::cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    default: return QPainter::CompositionMode_Source;
    }
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect) {
    if (source.Empty() || dest.IsEmpty() || sourceRect.IsEmpty()) return;
    if (bitmap_ && CopyDirect(*bitmap_, dest, source, sourceRect, CopyMode)) return;
    QImage image = SourceImage(source);
    if (CopyMode != TCopyMode::cmSrcCopy) image = image.convertToFormat(QImage::Format_RGB32);
    Paint([&](QPainter& p) {
        p.setCompositionMode(ToComposition(CopyMode));
        p.drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), image,
                    QRect(sourceRect.Left, sourceRect.Top, sourceRect.Width(), sourceRect.Height()));
    });
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
    if (!source.bitmap_) throw EInvalidGraphicOperation("Cannot copy from a control's canvas");
    CopyRect(dest, *source.bitmap_, sourceRect);
}

void TCanvas::FillRect(const TRect& rect) {
    if (Brush.Style == TBrushStyle::bsClear || rect.IsEmpty()) return;
    Paint([&](QPainter& p) {
        p.fillRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), ToQColor(Brush.Color));
    });
}

// Outlines are drawn inside the rectangle, one pen width from its right and bottom edges.
static QRect OutlineRect(const TRect& r, int penWidth) {
    return QRect(r.Left, r.Top, std::max(0, r.Width() - penWidth), std::max(0, r.Height() - penWidth));
}

void TCanvas::Rectangle(const TRect& rect) {
    Paint([&](QPainter& p) {
        ApplyPenMode(p, Pen.Mode);
        if (Brush.Style != TBrushStyle::bsClear)
            p.fillRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), ToQColor(Brush.Color));
        if (Pen.Style == TPenStyle::psClear) return;
        p.setPen(ToQPen(Pen));
        p.setBrush(Qt::NoBrush);
        p.drawRect(OutlineRect(rect, std::max(1, Pen.Width)));
    });
}

void TCanvas::Ellipse(const TRect& rect) {
    Paint([&](QPainter& p) {
        ApplyPenMode(p, Pen.Mode);
        p.setPen(ToQPen(Pen));
        p.setBrush(ToQBrush(Brush));
        p.drawEllipse(OutlineRect(rect, std::max(1, Pen.Width)));
    });
}

void TCanvas::Pie(const TRect& rect, double startDegrees, double spanDegrees) {
    Paint([&](QPainter& p) {
        ApplyPenMode(p, Pen.Mode);
        p.setPen(ToQPen(Pen));
        p.setBrush(ToQBrush(Brush));
        p.drawPie(OutlineRect(rect, std::max(1, Pen.Width)), static_cast<int>(startDegrees * 16),
                  static_cast<int>(spanDegrees * 16));
    });
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    QPolygon polygon;
    for (TPoint pt : points) polygon << QPoint(pt.X, pt.Y);
    Paint([&](QPainter& p) {
        ApplyPenMode(p, Pen.Mode);
        p.setPen(ToQPen(Pen));
        p.setBrush(ToQBrush(Brush));
        p.drawPolygon(polygon);
    });
}

void TCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TCanvas::LineTo(int x, int y) {
    TPoint from = penPos_;
    Paint([&](QPainter& p) {
        ApplyPenMode(p, Pen.Mode);
        p.setPen(ToQPen(Pen));
        p.drawLine(from.X, from.Y, x, y);
    });
    penPos_ = {x, y};
}

void TCanvas::TextOut(int x, int y, const std::string& text) { PaintText(x, y, text, nullptr); }

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    if (!rect.IsEmpty()) PaintText(x, y, text, &rect);
}

void TCanvas::PaintText(int x, int y, const std::string& text, const TRect* clip) {
    QString s = QString::fromStdString(text);
    QFont font = ToQFont(Font);
    Paint([&](QPainter& p) {
        if (clip) p.setClipRect(QRect(clip->Left, clip->Top, clip->Width(), clip->Height()));
        p.setFont(font);
        QFontMetrics metrics(font);
        if (Brush.Style != TBrushStyle::bsClear)
            p.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()), ToQColor(Brush.Color));
        p.setPen(ToQColor(Font.Color));
        p.drawText(x, y + metrics.ascent(), s);
    });
    penPos_ = {x + TextWidth(text), y};
}

void TCanvas::TextRectWrapped(const TRect& rect, const std::string& text) {
    QFont font = ToQFont(Font);
    Paint([&](QPainter& p) {
        p.setFont(font);
        p.setPen(ToQColor(Font.Color));
        p.drawText(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(text));
    });
}

int TCanvas::TextWidth(const std::string& text) const {
    return QFontMetrics(ToQFont(Font)).horizontalAdvance(QString::fromStdString(text));
}

int TCanvas::TextHeight(const std::string&) const { return QFontMetrics(ToQFont(Font)).height(); }

TColor TCanvas::Pixel(int x, int y) const { return bitmap_ ? bitmap_->Pixel(x, y) : clNone; }

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (!bitmap_) throw EInvalidGraphicOperation("Cannot set pixels on a control's canvas");
    bitmap_->SetPixel(x, y, color);
    bitmap_->Modified();
}

}  // namespace lumvex
