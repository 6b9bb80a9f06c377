// The grid of cells drawn by one control: where the cells stand at a width,
// what each cell shows, and which cell the mouse acts on.
#include "platform/controls/CellGrid.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/controls/Form.h"
#include "platform/graphics/Bitmap.h"
#include "platform/services/TestInput.h"

namespace lumvex {
namespace {

constexpr TColor Area = 0x203040;
constexpr TColor CellColor = 0x10C010;

std::unique_ptr<TBitmap> Solid(int w, int h, TColor color) {
    auto bitmap = std::make_unique<TBitmap>(w, h, TPixelFormat::pf24bit);
    bitmap->Canvas().Brush.Color = color;
    bitmap->Canvas().FillRect(Bounds(0, 0, w, h));
    return bitmap;
}

// 80 x 90 cells, 5 apart, a 13-pixel caption strip, on a form of the area's colour.
class CellGridTest : public testing::Test {
protected:
    CellGridTest() {
        form.SetBorderStyle(bsNone);
        form.SetBounds(0, 0, 300, 300);
        form.SetColor(Area);
        grid = new TCellGrid(&form, TGridGeometry{80, 90, 5, 13});
        grid->SetBounds(0, 0, 0, 0);
        grid->WrapTo(260);  // three to a row
        form.Show();
        grid->OnCellClick = [this](int cell) { events.push_back("click " + std::to_string(cell)); };
        grid->OnCellDblClick = [this](int cell) { events.push_back("double " + std::to_string(cell)); };
        grid->OnCellMouseDown = [this](int cell, TMouseButton button, TShiftState, int x, int y) {
            if (button == mbRight)
                events.push_back("right " + std::to_string(cell) + " at " + std::to_string(x) + "," + std::to_string(y));
        };
    }
    void AddCells(int count) {
        for (int i = 0; i < count; ++i) {
            TGridCell cell;
            cell.Caption = "c" + std::to_string(i);
            cell.Color = CellColor;
            cell.Place = Bounds(4, 9, 72, 56);
            cell.Picture = Solid(72, 56, clRed);
            grid->Add(std::move(cell));
        }
    }
    TColor ShownAt(int x, int y) { return form.GetFormImage().Pixel(x, y); }

    TForm form;
    TCellGrid* grid;
    std::vector<std::string> events;
};

TEST_F(CellGridTest, CellsStandInRowsThatWrapToTheWidthAndTheGridIsAsHighAsItsRows) {
    EXPECT_EQ(grid->Height(), 0);
    AddCells(4);
    EXPECT_EQ(grid->PerRow(), 3);
    EXPECT_EQ(grid->CellBounds(0), Bounds(5, 5, 80, 90));
    EXPECT_EQ(grid->CellBounds(2), Bounds(175, 5, 80, 90));
    EXPECT_EQ(grid->CellBounds(3), Bounds(5, 100, 80, 90));
    EXPECT_EQ(grid->Height(), 190);  // down to the last row's bottom edge
    AddCells(2);
    EXPECT_EQ(grid->Height(), 190);  // the second row filled up

    grid->WrapTo(600);  // seven would fit, six cells stand in one row
    EXPECT_EQ(grid->Width(), 600);
    EXPECT_EQ(grid->CellBounds(5), Bounds(430, 5, 80, 90));
    EXPECT_EQ(grid->Height(), 95);
    grid->WrapTo(40);  // narrower than a cell: still one to a row
    EXPECT_EQ(grid->PerRow(), 1);
    EXPECT_EQ(grid->CellBounds(5), Bounds(5, 480, 80, 90));
    EXPECT_EQ(grid->Height(), 570);

    grid->Clear();
    EXPECT_EQ(grid->Count(), 0);
    EXPECT_EQ(grid->Height(), 0);

    // Cells added in a run grow the grid once, when asked.
    for (int i = 0; i < 5; ++i) grid->AddUngrown(TGridCell{});
    EXPECT_EQ(grid->Height(), 0);
    grid->FitRows();
    EXPECT_EQ(grid->Height(), 475);
}

TEST_F(CellGridTest, TheCellUnderAPointIsNoneInTheGapsAndPastTheLastCell) {
    AddCells(4);
    EXPECT_EQ(grid->CellAt(5, 5), 0);
    EXPECT_EQ(grid->CellAt(84, 94), 0);
    EXPECT_EQ(grid->CellAt(85, 50), -1);  // between two cells
    EXPECT_EQ(grid->CellAt(50, 96), -1);  // between two rows
    EXPECT_EQ(grid->CellAt(2, 50), -1);   // the margin
    EXPECT_EQ(grid->CellAt(256, 50), -1);  // right of the last cell of a row
    EXPECT_EQ(grid->CellAt(10, 150), 3);
    EXPECT_EQ(grid->CellAt(100, 150), -1);  // where a fifth cell would stand
}

TEST_F(CellGridTest, EachCellShowsItsPanelPictureAndCaptionAndTheAreaShowsInTheGaps) {
    AddCells(2);
    TGridCell odd;
    odd.Caption = "odd";
    odd.Color = CellColor;
    odd.Place = Bounds(-20, 20, 200, 10);  // wider than its cell
    odd.Picture = Solid(200, 10, clBlue);
    grid->Add(std::move(odd));
    grid->SetCellColor(1, clYellow);

    const TBitmap shown = form.GetFormImage();
    EXPECT_EQ(shown.Pixel(5, 5), clWhite);             // the raised bevel: light top left
    EXPECT_EQ(shown.Pixel(84, 50), TColor(0x808080));  // and dark bottom right
    EXPECT_EQ(shown.Pixel(40, 94), TColor(0x808080));
    EXPECT_EQ(shown.Pixel(7, 7), CellColor);
    EXPECT_EQ(shown.Pixel(5 + 4, 5 + 9), clRed);  // the picture at its place
    EXPECT_EQ(shown.Pixel(5 + 75, 5 + 64), clRed);
    EXPECT_EQ(shown.Pixel(5 + 76, 5 + 64), CellColor);
    EXPECT_EQ(shown.Pixel(92, 7), clYellow);
    EXPECT_EQ(shown.Pixel(87, 50), Area);  // the gap between cells
    EXPECT_EQ(shown.Pixel(50, 200), Area);  // below the rows
    // A picture larger than its cell stays inside it.
    EXPECT_EQ(shown.Pixel(175 + 1, 5 + 25), clBlue);
    EXPECT_EQ(shown.Pixel(175 + 78, 5 + 25), clBlue);
    EXPECT_EQ(shown.Pixel(172, 5 + 25), Area);
    EXPECT_EQ(shown.Pixel(258, 5 + 25), Area);

    // The caption, in the control's font colour, along the bottom edge.
    auto captionPixels = [&](const TBitmap& image, int left) {
        int count = 0;
        for (int y = 5 + 77; y < 5 + 89; ++y)
            for (int x = left + 1; x < left + 79; ++x) count += image.Pixel(x, y) != CellColor;
        return count;
    };
    EXPECT_GT(captionPixels(shown, 5), 0);
    TFont font = grid->Font();
    font.Color = CellColor;
    grid->SetFont(font);
    EXPECT_EQ(captionPixels(form.GetFormImage(), 5), 0);
}

TEST_F(CellGridTest, AClickActsOnTheCellPressedAndReleasedAnywhereInIt) {
    AddCells(4);
    test_input::SendClick(*grid, 40, 40);   // the picture
    test_input::SendClick(*grid, 100, 88);  // the caption of the second
    test_input::SendClick(*grid, 175, 5);   // the third's bevel
    test_input::SendClick(*grid, 87, 40);   // a gap
    test_input::SendClick(*grid, 100, 150);  // past the last cell
    EXPECT_EQ(events, (std::vector<std::string>{"click 0", "click 1", "click 2"}));

    events.clear();
    test_input::SendMouseDown(*grid, mbLeft, 40, 40);
    test_input::SendMouseMove(*grid, 40, 150, ssLeft);
    test_input::SendMouseUp(*grid, mbLeft, 40, 150);  // released on another cell
    test_input::SendDblClick(*grid, 20, 120);
    test_input::SendMouseDown(*grid, mbRight, 30, 130);
    test_input::SendMouseUp(*grid, mbRight, 30, 130);
    EXPECT_EQ(events, (std::vector<std::string>{"click 3", "double 3", "right 3 at 25,30"}));
}

TEST_F(CellGridTest, ADisabledGridTakesNoMouseInput) {
    AddCells(2);
    grid->SetEnabled(false);
    test_input::SendClick(*grid, 40, 40);
    test_input::SendDblClick(*grid, 40, 40);
    test_input::SendMouseDown(*grid, mbRight, 40, 40);
    EXPECT_TRUE(events.empty());
    grid->SetEnabled(true);
    test_input::SendClick(*grid, 40, 40);
    EXPECT_EQ(events, std::vector<std::string>{"click 0"});
}

}  // namespace
}  // namespace lumvex
