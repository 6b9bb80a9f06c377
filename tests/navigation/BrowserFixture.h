#pragma once
// The browser's window tests: the viewer started, a folder opened in the
// browser, and what its cells hold.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BackgroundWork.h"
#include "ViewerSupport.h"
#include "navigation/BrowserWindow.h"

namespace lumvex::test {

inline bool WaitForBuild() {
    return RunMessagesUntil([] { return !BrowserWindow->Building(); });
}

class Browser : public testing::Test {
protected:
    void SetUp() override { StartViewer(start.Path()); }
    // Shows the folder in the file window and opens the browser, 614 pixels wide.
    void Open(const TempDir& folder) { Open(folder.Path()); }
    void Open(const std::string& folder) {
        FileWindow->DirectoryListBox->SetDirectory(folder);
        FileWindow->FileListBox->SetItemIndex(0);
        FileWindow->FileListBoxChange();
        BrowserWindow->SetBounds(100, 50, 614, 403);
        MainWindow->ViewCommand(16);
    }
    void OpenAndWait(const TempDir& folder) { OpenAndWait(folder.Path()); }
    void OpenAndWait(const std::string& folder) {
        Open(folder);
        ASSERT_TRUE(WaitForBuild());
    }
    // One caption per file of the build; "<none>" for a cell not made yet.
    static std::vector<std::string> CaptionTexts() {
        std::vector<std::string> texts;
        const TCellGrid& cells = *BrowserWindow->Cells;
        for (int i = 0; i < static_cast<int>(BrowserWindow->CellPaths.size()); ++i)
            texts.push_back(i < cells.Count() ? cells.Cell(i).Caption : "<none>");
        return texts;
    }
    static const TGraphic* PictureOf(int cell) { return BrowserWindow->Cells->Cell(cell).Picture.get(); }
    static TColor PicturePixel(int cell, int x, int y) {
        return dynamic_cast<const TBitmap&>(*PictureOf(cell)).Pixel(x, y);
    }
    static TColor CellColor(int cell) { return BrowserWindow->Cells->Cell(cell).Color; }
    // A point of a cell in the grid's coordinates.
    static TPoint InCell(int cell, int x, int y) {
        const TRect bounds = BrowserWindow->Cells->CellBounds(cell);
        return TPoint{bounds.Left + x, bounds.Top + y};
    }
    TempDir start;
    TempDir dir;
};

}  // namespace lumvex::test
