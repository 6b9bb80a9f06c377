#include "platform/controls/CellGrid.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "platform/controls/Panel.h"
#include "platform/controls/PaintSurface.h"
#include "platform/graphics/QtBridge.h"
#include "platform/services/Application.h"

namespace lumvex {

// The grid's widget: transparent between the cells, so the area beneath
// shows in the gaps.
class CellSurface : public QWidget {
public:
    const TCellGrid* grid = nullptr;

protected:
    // A disabled grid lets the mouse through to the area beneath, so the
    // wheel scrolls it still.
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) setAttribute(Qt::WA_TransparentForMouseEvents, !isEnabled());
        QWidget::changeEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        canvas_.Begin(painter);
        const QRect area = event->rect();
        Application.Dispatch(
            [&] { grid->PaintCells(canvas_, Bounds(area.x(), area.y(), area.width(), area.height())); });
        canvas_.End();
    }

private:
    WidgetCanvas canvas_;
};

namespace {
TRect Offset(const TRect& rect, int dx, int dy) {
    return Rect(rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy);
}

bool Meet(const TRect& a, const TRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}
}  // namespace

TCellGrid::TCellGrid(TWinControl* parent, const TGridGeometry& geometry)
    : TControl(parent, new CellSurface), geometry_(geometry) {
    static_cast<CellSurface*>(Widget())->grid = this;
    // Growing by a row repaints nothing already shown; a new width
    // repaints everything (WrapTo).
    Widget()->setAttribute(Qt::WA_StaticContents);
}

TCellGrid::~TCellGrid() { static_cast<CellSurface*>(Widget())->grid = nullptr; }

void TCellGrid::Add(TGridCell cell) {
    AddUngrown(std::move(cell));
    FitRows();
}

void TCellGrid::AddUngrown(TGridCell cell) {
    cells_.push_back(std::move(cell));
    const TRect at = CellBounds(Count() - 1);
    Widget()->update(at.Left, at.Top, at.Width(), at.Height());
}

void TCellGrid::FitRows() {
    if (RowsHeight(Width()) != Height()) SetBounds(Left(), Top(), Width(), RowsHeight(Width()));
}

void TCellGrid::Clear() {
    cells_.clear();
    pressed_ = pointer_ = -1;
    SetBounds(Left(), Top(), Width(), 0);
    Invalidate();
}

void TCellGrid::SetCellColor(int index, TColor color) {
    cells_.at(static_cast<std::size_t>(index)).Color = color;
    const TRect at = CellBounds(index);
    Widget()->update(at.Left, at.Top, at.Width(), at.Height());
}

void TCellGrid::WrapTo(int width) {
    if (width == Width()) return;
    SetBounds(Left(), Top(), width, RowsHeight(width));
    Invalidate();
}

int TCellGrid::PerRow() const { return PerRow(Width()); }

int TCellGrid::PerRow(int width) const {
    return std::max(1, (width - geometry_.Gap) / (geometry_.CellWidth + geometry_.Gap));
}

int TCellGrid::RowsHeight(int width) const {
    const int rows = (Count() + PerRow(width) - 1) / PerRow(width);
    return rows * (geometry_.CellHeight + geometry_.Gap);
}

TRect TCellGrid::CellBounds(int index) const {
    const int perRow = PerRow();
    return Bounds(geometry_.Gap + (index % perRow) * (geometry_.CellWidth + geometry_.Gap),
                  geometry_.Gap + (index / perRow) * (geometry_.CellHeight + geometry_.Gap), geometry_.CellWidth,
                  geometry_.CellHeight);
}

int TCellGrid::CellAt(int x, int y) const {
    const int pitchX = geometry_.CellWidth + geometry_.Gap, pitchY = geometry_.CellHeight + geometry_.Gap;
    if (x < geometry_.Gap || y < geometry_.Gap) return -1;
    const int column = (x - geometry_.Gap) / pitchX, row = (y - geometry_.Gap) / pitchY;
    if (column >= PerRow()) return -1;
    const int index = row * PerRow() + column;
    if (index >= Count() || !CellBounds(index).Contains(TPoint{x, y})) return -1;
    return index;
}

void TCellGrid::PaintCells(TCanvas& canvas, const TRect& area) const {
    if (cells_.empty()) return;
    const int pitchY = geometry_.CellHeight + geometry_.Gap;
    const int firstRow = std::max(0, (area.Top - geometry_.Gap) / pitchY);
    const int first = firstRow * PerRow();
    const int last = std::min(Count(), (area.Bottom / pitchY + 1) * PerRow());
    for (int i = first; i < last; ++i) {
        const TRect bounds = CellBounds(i);
        if (!Meet(bounds, area)) continue;
        const TGridCell& cell = cells_[static_cast<std::size_t>(i)];
        PaintOnCanvas(canvas, [&](QPainter& painter) {
            painter.setClipRect(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
            canvas.Brush = TBrush{cell.Color, TBrushStyle::bsSolid};
            canvas.Pen = TPen{};
            PaintPanelFace(canvas, bounds, bvRaised);
            canvas.Font = Font();
            canvas.Brush.Style = TBrushStyle::bsClear;
            const TRect strip = Rect(bounds.Left, bounds.Bottom - geometry_.CaptionHeight, bounds.Right, bounds.Bottom);
            canvas.TextRect(strip, strip.Left + (strip.Width() - canvas.TextWidth(cell.Caption)) / 2, strip.Top,
                            cell.Caption);
            if (cell.Picture && !cell.Picture->Empty() && !cell.Place.IsEmpty())
                cell.Picture->Draw(canvas, Offset(cell.Place, bounds.Left, bounds.Top));
        });
    }
}

void TCellGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TControl::MouseDown(button, shift, x, y);
    pointer_ = CellAt(x, y);
    if (button == mbLeft) pressed_ = Enabled() ? pointer_ : -1;
    if (!Enabled() || pointer_ < 0 || !OnCellMouseDown) return;
    const TRect at = CellBounds(pointer_);
    OnCellMouseDown(pointer_, button, shift, x - at.Left, y - at.Top);
}

void TCellGrid::MouseMove(TShiftState shift, int x, int y) {
    TControl::MouseMove(shift, x, y);
    pointer_ = CellAt(x, y);
}

void TCellGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TControl::MouseUp(button, shift, x, y);
    pointer_ = CellAt(x, y);
}

void TCellGrid::Click() {
    TControl::Click();
    if (pressed_ >= 0 && pressed_ == pointer_ && OnCellClick) OnCellClick(pressed_);
}

void TCellGrid::DblClick() {
    TControl::DblClick();
    if (Enabled() && pointer_ >= 0 && OnCellDblClick) OnCellDblClick(pointer_);
}

}  // namespace lumvex
