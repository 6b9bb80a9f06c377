#pragma once
// The thumbnail browser: the pictures of the file window's folder as
// captioned cells in a grid that wraps to the window's width. It takes the
// main window's place while it is open. The pictures are made in the
// background and the cells appear one after the other in list order while
// the gauge fills; one control draws them all, so a folder of ten thousand
// pictures fills as smoothly as one of ten.
#include <memory>
#include <string>
#include <vector>

#include "windowparts/WindowDrag.h"
#include "components/Gauges.h"
#include "components/MorphButton.h"
#include "navigation/Thumbnails.h"
#include "platform/controls/CellGrid.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Menus.h"
#include "platform/controls/Panel.h"
#include "platform/controls/ScrollBox.h"
#include "platform/threads/OrderedBatch.h"
#include "platform/threads/WorkerPool.h"

namespace lumvex {

class TBrowserWindow : public TForm {
public:
    TBrowserWindow();
    ~TBrowserWindow() override;

    TPanel* Panel1;
    TImage* TopImage;
    TLabel* TopLabel;
    TMorphButton* MorphButton1;  // close
    TScrollBox* ScrollBox1;
    TPanel* Panel2;
    TImage* BottomImage;
    TImage* sizer;
    TGauge* Gauge1;
    TLabel* BottomLabel;
    TPopupMenu PopupMenu;
    TMenuItem* Forgats1;
    TMenuItem* tmretezs1;
    TMenuItem* Kicsinytsahatodra1;
    TMenuItem* Konvertls1;
    TMenuItem* Fjlmveletek1;
    TMenuItem* Mozgats1;
    TMenuItem* Msols1;
    TMenuItem* Trls1;

    // The cells on ScrollBox1, one per file of the folder in list order,
    // each made when its picture arrives: its panel colour, caption and
    // picture. Cell i is the file CellPaths[i].
    TCellGrid* Cells;
    // The files of the build, in list order: a cell shows, marks, opens and
    // names its own file, whatever the lists hold since.
    std::vector<std::string> CellPaths;

    // The workers that decode the pictures (the program's pool unless set).
    TWorkerPool* Workers = &TWorkerPool::Shared();

    // Builds the cells of the file window's folder anew; a build in progress
    // is cancelled first.
    void Build();
    // The file lists were read anew: while the browser is shown, the build
    // in progress stops at once and the cells are built again from the new
    // lists once the running command is done.
    void ListsRead();
    // A build is running.
    bool Building() const;
    void CancelBuild();
    void FreeCells();
    // Puts the cells in rows that fit the width.
    void LayoutCells(int width);

    void CellClick(int cell);
    void CellDblClick(int cell);
    void CellMouseDown(int cell, TMouseButton button, TShiftState shift, int x, int y);
    void Mozgats1Click(TObject* sender);
    void Msols1Click(TObject* sender);
    void Trls1Click(TObject* sender);
    void FormResize();
    void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void sizerMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void MorphButton1Click(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);

private:
    void CreateControls();
    void CreateMenu();
    void AddCell(int index, TThumbnail* thumbnail);
    void FitCellRows();
    void BuildFinished();
    void RebuildAfterRead();
    // Lays the cells out for the visible width of the area.
    void LayoutToArea();
    void ReturnToViewer();
    void DockFileWindow();

    std::shared_ptr<TOrderedBatch<TThumbnail>> build_;
    bool rebuildQueued_ = false;
    bool fitQueued_ = false;
    WindowDrag drag_;
};

extern TBrowserWindow* BrowserWindow;

}  // namespace lumvex
