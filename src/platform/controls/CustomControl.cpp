#include "platform/controls/Control.h"
#include "platform/controls/PaintSurface.h"

namespace lumvex {

TCustomControl::TCustomControl(TWinControl* parent) : TWinControl(parent, new PaintSurface) {
    static_cast<PaintSurface*>(Widget())->SetPaint([this](TCanvas& canvas) {
        const TControl& self = *this;
        canvas.Font = self.Font();
        canvas.Brush = TBrush{Color(), TBrushStyle::bsSolid};
        canvas.Pen = TPen{};
        Paint();
    });
}

TCustomControl::~TCustomControl() = default;

TCanvas& TCustomControl::Canvas() { return static_cast<PaintSurface*>(Widget())->Canvas(); }

void TCustomControl::Paint() {
    if (OnPaint) OnPaint(this);
}

}  // namespace lumvex
