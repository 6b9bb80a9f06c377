#pragma once
// A rectangle, square, rounded rectangle or ellipse drawn with a pen and a brush.
#include "platform/controls/Control.h"

namespace lumvex {

enum TShapeType { stRectangle, stSquare, stRoundRect, stEllipse, stCircle };

class TShape : public TCustomControl {
public:
    explicit TShape(TWinControl* parent);

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape);
    // Changes made through the references show at the next paint.
    TBrush& Brush();
    TPen& Pen();
    const TBrush& Brush() const { return brush_; }
    const TPen& Pen() const { return pen_; }

protected:
    void Paint() override;

private:
    TShapeType shape_ = stRectangle;
    TBrush brush_;
    TPen pen_;
};

}  // namespace lumvex
