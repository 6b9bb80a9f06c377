#include "platform/controls/PaintSurface.h"

#include "platform/services/Application.h"

namespace lumvex {

void WidgetCanvas::Paint(const std::function<void(QPainter&)>& draw) {
    if (!painter_) return;
    painter_->save();
    draw(*painter_);
    painter_->restore();
}

void PaintSurface::paintEvent(QPaintEvent*) {
    if (!paint_) return;
    QPainter painter(this);
    canvas_.Begin(painter);
    Application.Dispatch([&] { paint_(canvas_); });
    canvas_.End();
}

}  // namespace lumvex
