#pragma once
// Private to the platform layer: a widget that paints through a callback with
// a canvas over the widget, for the controls that draw themselves.
#include <QPainter>
#include <QWidget>
#include <functional>

#include "platform/graphics/Canvas.h"

namespace lumvex {

// A canvas that draws on a widget, valid while the widget paints.
class WidgetCanvas : public TCanvas {
public:
    WidgetCanvas() : TCanvas(nullptr) {}
    void Begin(QPainter& painter) { painter_ = &painter; }
    void End() { painter_ = nullptr; }

protected:
    void Paint(const std::function<void(QPainter&)>& draw) override;

private:
    QPainter* painter_ = nullptr;
};

class PaintSurface : public QWidget {
public:
    explicit PaintSurface(std::function<void(TCanvas&)> paint = {}) : paint_(std::move(paint)) {}
    void SetPaint(std::function<void(TCanvas&)> paint) { paint_ = std::move(paint); }
    WidgetCanvas& Canvas() { return canvas_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(TCanvas&)> paint_;
    WidgetCanvas canvas_;
};

}  // namespace lumvex
