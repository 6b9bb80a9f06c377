#include "platform/controls/Bevel.h"

namespace lumvex {

namespace {
constexpr TColor kShadow = 0x808080;
constexpr TColor kHighlight = 0xFFFFFF;
}  // namespace

TBevel::TBevel(TWinControl* parent) : TCustomControl(parent) {}

void TBevel::SetShape(TBevelShape shape) {
    shape_ = shape;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
    style_ = style;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas& canvas = Canvas();
    const TColor first = style_ == bsLowered ? kShadow : kHighlight;
    const TColor second = style_ == bsLowered ? kHighlight : kShadow;
    const int w = Width() - 1;
    const int h = Height() - 1;
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        canvas.Pen.Color = color;
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    switch (shape_) {
    case bsBox:
        line(first, 0, h, 0, 0);
        line(first, 0, 0, w, 0);
        line(second, w, 0, w, h);
        line(second, w, h, 0, h);
        break;
    case bsFrame:
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.Pen.Color = first;
        canvas.Rectangle(Bounds(0, 0, w, h));
        canvas.Pen.Color = second;
        canvas.Rectangle(Bounds(1, 1, w, h));
        break;
    case bsTopLine:
        line(first, 0, 0, w, 0);
        line(second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(first, 0, h - 1, w, h - 1);
        line(second, 0, h, w, h);
        break;
    case bsLeftLine:
        line(first, 0, 0, 0, h);
        line(second, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(first, w - 1, 0, w - 1, h);
        line(second, w, 0, w, h);
        break;
    case bsSpacer: break;
    }
    TCustomControl::Paint();
}

}  // namespace lumvex
