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

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    canvas.FillRect(ClientRect());
    if (bevelOuter_ != bvNone) {
        const TColor light = bevelOuter_ == bvRaised ? 0xFFFFFF : 0x808080;
        const TColor dark = bevelOuter_ == bvRaised ? 0x808080 : 0xFFFFFF;
        const int w = Width() - 1;
        const int h = Height() - 1;
        canvas.Pen.Color = light;
        canvas.MoveTo(0, h);
        canvas.LineTo(0, 0);
        canvas.LineTo(w, 0);
        canvas.Pen.Color = dark;
        canvas.LineTo(w, h);
        canvas.LineTo(0, h);
    }
    if (!caption_.empty()) {
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.TextOut((Width() - canvas.TextWidth(caption_)) / 2, (Height() - canvas.TextHeight(caption_)) / 2,
                       caption_);
    }
    TCustomControl::Paint();
}

}  // namespace lumvex
