#pragma once
// Equal cells in rows that wrap to the control's width, all drawn by the
// control itself: each cell a raised panel in its own colour with its picture
// at its place and its caption centred along its bottom edge in the control's
// font. The control is as high as its rows. Where each cell stands follows
// from its index and the width, so growing the grid, or re-flowing it to a
// new width, touches no other cell; only the cells in the part that needs
// painting are drawn, so ten thousand cells in a scrolling area cost no more
// to show than a screenful.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Control.h"
#include "platform/graphics/Graphic.h"

namespace lumvex {

struct TGridCell {
    std::string Caption;
    std::unique_ptr<TGraphic> Picture;  // nullptr: the cell shows its caption only
    TRect Place;                        // the picture's bounds in the cell
    TColor Color = clSilver;
};

struct TGridGeometry {
    int CellWidth = 0;
    int CellHeight = 0;
    int Gap = 0;            // from the control's left and top edges, and between cells
    int CaptionHeight = 0;  // the caption's strip along the cell's bottom edge
};

using TCellEvent = std::function<void(int cell)>;
// x and y are the mouse's position in the cell.
using TCellMouseEvent = std::function<void(int cell, TMouseButton button, TShiftState shift, int x, int y)>;

class TCellGrid : public TControl {
public:
    TCellGrid(TWinControl* parent, const TGridGeometry& geometry);
    ~TCellGrid() override;

    int Count() const { return static_cast<int>(cells_.size()); }
    const TGridCell& Cell(int index) const { return cells_.at(static_cast<std::size_t>(index)); }
    // Appends a cell, shown at once.
    void Add(TGridCell cell);
    // Appends a cell that shows once FitRows has grown the grid to it:
    // cells added in a run cost one resize (and its scroll area's layout).
    void AddUngrown(TGridCell cell);
    // Takes the height of the rows its cells fill.
    void FitRows();
    void Clear();
    void SetCellColor(int index, TColor color);

    // Takes the width, and the height of the rows its cells fill at that width.
    void WrapTo(int width);
    // As many cells as fit in the width stand in a row, at least one.
    int PerRow() const;
    TRect CellBounds(int index) const;
    // The cell at a point of the control, or -1 (a gap, or past the last cell).
    int CellAt(int x, int y) const;

    // The cell under the mouse. A click is a left press and release on the
    // same cell; a double click follows the click of its first press. A
    // disabled grid takes no mouse input: it goes to the control beneath
    // (a scrolling area scrolls on).
    TCellEvent OnCellClick;
    TCellEvent OnCellDblClick;
    TCellMouseEvent OnCellMouseDown;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Click() override;
    void DblClick() override;

private:
    friend class CellSurface;
    // Draws the cells that meet area (in the control's coordinates).
    void PaintCells(TCanvas& canvas, const TRect& area) const;
    int PerRow(int width) const;
    // The height of the rows at a width, down to the last cells' bottom edge.
    int RowsHeight(int width) const;

    const TGridGeometry geometry_;
    std::vector<TGridCell> cells_;
    int pressed_ = -1;  // the cell of the last left press
    int pointer_ = -1;  // the cell under the mouse when it last moved or pressed
};

}  // namespace lumvex
