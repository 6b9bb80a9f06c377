#include "platform/controls/Panel.h"

namespace lumvex {

TPanel::TPanel(TWinControl* parent) : TCustomControl(parent) {}

void TPanel::SetCaption(const std::string& caption) {
    caption_ = caption;
    Invalidate();
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
    bevelOuter_ = bevel;
    Invalidate();
}

void PaintPanelFace(TCanvas& canvas, const TRect& rect, TPanelBevel bevel) {
    canvas.FillRect(rect);
    if (bevel == bvNone) return;
    const TColor light = bevel == bvRaised ? 0xFFFFFF : 0x808080;
    const TColor dark = bevel == bvRaised ? 0x808080 : 0xFFFFFF;
    const int right = rect.Right - 1;
    const int bottom = rect.Bottom - 1;
    canvas.Pen.Color = light;
    canvas.MoveTo(rect.Left, bottom);
    canvas.LineTo(rect.Left, rect.Top);
    canvas.LineTo(right, rect.Top);
    canvas.Pen.Color = dark;
    canvas.LineTo(right, bottom);
    canvas.LineTo(rect.Left, bottom);
}

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    PaintPanelFace(canvas, ClientRect(), bevelOuter_);
    if (!caption_.empty()) {
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.TextOut((Width() - canvas.TextWidth(caption_)) / 2, (Height() - canvas.TextHeight(caption_)) / 2,
                       caption_);
    }
    TCustomControl::Paint();
}

}  // namespace lumvex
