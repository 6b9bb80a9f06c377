#include "platform/controls/Shape.h"

#include <algorithm>

namespace lumvex {

TShape::TShape(TWinControl* parent) : TCustomControl(parent) {}

void TShape::SetShape(TShapeType shape) {
    shape_ = shape;
    Invalidate();
}

TBrush& TShape::Brush() {
    Invalidate();
    return brush_;
}

TPen& TShape::Pen() {
    Invalidate();
    return pen_;
}

void TShape::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Brush = brush_;
    canvas.Pen = pen_;
    TRect r = ClientRect();
    if (shape_ == stSquare || shape_ == stCircle) {
        int edge = std::min(r.Width(), r.Height());
        r = Bounds((r.Width() - edge) / 2, (r.Height() - edge) / 2, edge, edge);
    }
    if (shape_ == stEllipse || shape_ == stCircle)
        canvas.Ellipse(r);
    else
        canvas.Rectangle(r);
    TCustomControl::Paint();
}

}  // namespace lumvex
