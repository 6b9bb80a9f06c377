#include "components/Gauges.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace lumvex {

namespace {

constexpr int kMaxInt = std::numeric_limits<int>::max();

[[noreturn]] void RaiseOutOfRange(std::int64_t low, std::int64_t high) {
    throw EGaugeRangeError("Value must be between " + IntToStr(low) + " and " + IntToStr(high));
}

// The part of extent pixels that percent covers, never more than extent.
int FilledLength(int extent, int percent) {
    const std::int64_t length = std::int64_t(extent) * percent / 100;
    return static_cast<int>(std::clamp<std::int64_t>(length, 0, extent));
}

// Work bitmaps share one true-colour format, so combining them stays a
// byte-wise exclusive-or.
constexpr TPixelFormat kWorkFormat = TPixelFormat::pf24bit;

TBltBitmap WorkBitmapLike(const TBitmap& templ) {
    TBltBitmap bitmap(0, 0, kWorkFormat);
    bitmap.MakeLike(templ);
    return bitmap;
}

void FillWith(TCanvas& canvas, TColor color, const TRect& rect) {
    canvas.Brush = TBrush{color, TBrushStyle::bsSolid};
    canvas.FillRect(rect);
}

void XorOnto(TBitmap& target, const TBitmap& layer, const TRect& rect) {
    TCanvas& canvas = target.Canvas();
    canvas.CopyMode = TCopyMode::cmSrcInvert;
    canvas.CopyRect(rect, layer, rect);
    canvas.CopyMode = TCopyMode::cmSrcCopy;
}

}  // namespace

void TBltBitmap::MakeLike(const TBitmap& templ) {
    SetSize(templ.Width(), templ.Height());
    FillWith(Canvas(), WindowFrameColor, Rect(0, 0, Width(), Height()));
}

TGauge::TGauge(TWinControl* parent) : TCustomControl(parent) {
    if (parent) SetFont(parent->Font());
    SetBounds(0, 0, 100, 100);
}

void TGauge::SetMinValue(int value) {
    if (value == minValue_) return;
    if (value > maxValue_ && !loading_) RaiseOutOfRange(-kMaxInt, std::int64_t(maxValue_) - 1);
    minValue_ = value;
    if (progress_ < value) progress_ = value;
    Invalidate();
}

void TGauge::SetMaxValue(int value) {
    if (value == maxValue_) return;
    if (value < minValue_ && !loading_) RaiseOutOfRange(std::int64_t(minValue_) + 1, kMaxInt);
    maxValue_ = value;
    if (progress_ > value) progress_ = value;
    Invalidate();
}

void TGauge::SetProgress(int value) {
    // min after max, so a range left inverted by loading cannot misbehave.
    value = std::min(std::max(value, minValue_), maxValue_);
    if (value == progress_) return;
    const int before = PercentDone();
    progress_ = value;
    if (PercentDone() != before) Invalidate();
}

int TGauge::PercentDone() const {
    if (maxValue_ == minValue_) return 0;
    const std::int64_t done = std::int64_t(progress_) - minValue_;
    return static_cast<int>(done * 100 / (std::int64_t(maxValue_) - minValue_));
}

// Stores a changed look setting and repaints.
template <class T>
void TGauge::Change(T& field, T value) {
    if (field == value) return;
    field = value;
    Invalidate();
}

void TGauge::SetKind(TGaugeKind kind) { Change(kind_, kind); }
void TGauge::SetShowText(bool on) { Change(showText_, on); }
void TGauge::SetBorderStyle(TFormBorderStyle style) { Change(borderStyle_, style); }
void TGauge::SetForeColor(TColor color) { Change(foreColor_, color); }
void TGauge::SetBackColor(TColor color) { Change(backColor_, color); }

TRect TGauge::PaintRect() const {
    TRect rect = ClientRect();
    if (borderStyle_ != bsNone) rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    return rect;
}

TBitmap TGauge::PaintImage() const {
    TBitmap image(Width(), Height(), kWorkFormat);
    FillWith(image.Canvas(), clBlack, Rect(0, 0, Width(), Height()));
    const TRect rect = PaintRect();
    if (rect.IsEmpty()) return image;

    TBltBitmap kindImage = WorkBitmapLike(image);
    PaintKind(kindImage.Canvas(), rect);
    XorOnto(image, kindImage, Rect(0, 0, Width(), Height()));
    if (showText_) PaintText(image, rect);
    return image;
}

void TGauge::PaintKind(TCanvas& canvas, const TRect& rect) const {
    // Bar lengths count both edge pixels of the rectangle.
    const int width = rect.Right - rect.Left + 1;
    const int height = rect.Bottom - rect.Top + 1;
    const int percent = PercentDone();
    switch (kind_) {
    case gkText:
        FillWith(canvas, backColor_, rect);
        break;
    case gkHorizontalBar: {
        FillWith(canvas, backColor_, rect);
        const int bar = FilledLength(width, percent);
        if (bar > 0) FillWith(canvas, foreColor_, Rect(rect.Left, rect.Top, std::min(rect.Left + bar, rect.Right), rect.Bottom));
        break;
    }
    case gkVerticalBar: {
        FillWith(canvas, backColor_, rect);
        const int bar = FilledLength(height, percent);
        if (bar > 0) FillWith(canvas, foreColor_, Rect(rect.Left, std::max(rect.Bottom - bar, rect.Top), rect.Right, rect.Bottom));
        break;
    }
    case gkPie: {
        FillWith(canvas, Color(), rect);
        canvas.Pen = TPen{foreColor_};
        canvas.Brush = TBrush{backColor_, TBrushStyle::bsSolid};
        canvas.Ellipse(rect);
        if (percent > 0) {
            canvas.Brush.Color = foreColor_;
            // From twelve o'clock, clockwise.
            canvas.Pie(rect, 90, -3.6 * std::min(percent, 100));
        }
        break;
    }
    case gkNeedle: {
        FillWith(canvas, Color(), rect);
        // A half dial standing on the rectangle's bottom edge.
        const int radius = std::min(rect.Width() / 2, rect.Height() - 1);
        const int cx = rect.Left + rect.Width() / 2;
        const int cy = rect.Bottom - 1;
        canvas.Pen = TPen{foreColor_};
        canvas.Brush = TBrush{backColor_, TBrushStyle::bsSolid};
        canvas.Pie(Rect(cx - radius, cy - radius, cx + radius + 1, cy + radius + 1), 0, 180);
        const double angle = std::numbers::pi * (1.0 - std::clamp(percent, 0, 100) / 100.0);
        canvas.MoveTo(cx, cy);
        canvas.LineTo(cx + static_cast<int>(std::lround(radius * std::cos(angle))),
                      cy - static_cast<int>(std::lround(radius * std::sin(angle))));
        break;
    }
    }
}

void TGauge::PaintText(TBitmap& image, const TRect& rect) const {
    TBltBitmap textImage = WorkBitmapLike(image);
    TCanvas& canvas = textImage.Canvas();
    canvas.Font = Font();
    canvas.Font.Color = clWhite;
    canvas.Brush.Style = TBrushStyle::bsClear;
    const std::string text = IntToStr(PercentDone()) + "%";
    // Centred with the rectangle's size taken as right - left and bottom - top.
    const int x = (rect.Right - rect.Left + 1 - canvas.TextWidth(text)) / 2;
    const int y = (rect.Bottom - rect.Top + 1 - canvas.TextHeight(text)) / 2;
    canvas.TextOut(x, y, text);
    // Only the paint rectangle is combined: that is the text's clipping.
    XorOnto(image, textImage, rect);
}

void TGauge::Paint() {
    Canvas().Draw(0, 0, PaintImage());
    TCustomControl::Paint();  // raises OnPaint
}

}  // namespace lumvex
