#include "navigation/BrowserWindow.h"

#include <algorithm>

#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/TransformationsWindow.h"
#include "windowparts/WindowParts.h"
#include "platform/services/Resources.h"
#include "platform/services/Screen.h"

namespace lumvex {

TBrowserWindow* BrowserWindow = nullptr;

TBrowserWindow::TBrowserWindow() {
    BrowserWindow = this;
    DesignWindow(this, "Tallózás", Bounds(354, 105, 614, 403));
    CreateControls();
    CreateMenu();
    OnKeyDown = KeysTo(this);
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    OnResize = [this](TObject*) { FormResize(); };
    for (TFileListBox* list : {FileWindow->FileListBox, TransformationsWindow->FileListBox})
        list->OnRead = [this](TObject*) { ListsRead(); };
}

// A build in progress, or a list read, must not reach a window that is gone.
TBrowserWindow::~TBrowserWindow() {
    CancelBuild();
    rebuildQueued_ = false;
    if (FileWindow) FileWindow->FileListBox->OnRead = nullptr;
    if (TransformationsWindow) TransformationsWindow->FileListBox->OnRead = nullptr;
}

void TBrowserWindow::CreateControls() {
    auto drag = [this](TControl* control) {
        control->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
    };

    Panel1 = new TPanel(this);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetHeight(18);
    Panel1->SetAlign(alTop);
    TopImage = new TImage(Panel1);
    TopImage->SetAlign(alClient);
    TopImage->SetStretch(true);
    drag(TopImage);
    TopLabel = CreateTitle(Panel1, "Tallózás", 8, 2);
    drag(TopLabel);
    MorphButton1 = CreateImageButton(Panel1, 1, "tallózás ablak bezárása", 614 - 16 - 2, 1);
    MorphButton1->OnClick = [this](TObject* sender) { MorphButton1Click(sender); };

    Panel2 = new TPanel(this);
    Panel2->SetHeight(18);
    Panel2->SetAlign(alBottom);
    BottomImage = new TImage(Panel2);
    BottomImage->SetAlign(alClient);
    BottomImage->SetStretch(true);
    drag(BottomImage);
    sizer = new TImage(Panel2);
    sizer->SetBounds(614 - 16 - 2, 1, 16, 16);
    sizer->SetCursor(crSizeNWSE);
    sizer->SetStretch(true);
    sizer->SetTransparent(true);
    LoadResourcePicture(sizer->Picture(), resource::SizeGrip);
    sizer->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { sizerMouseMove(s, sh, x, y); };
    Gauge1 = new TGauge(Panel2);
    Gauge1->SetBounds(8, 2, 100, 12);
    BottomLabel = CreateTitle(Panel2, "Lumvex", 120, 2);
    drag(BottomLabel);

    ScrollBox1 = new TScrollBox(this);
    ScrollBox1->SetAlign(alClient);
    ScrollBox1->HorzScrollBar().SetVisible(false);
    // The rows wrap to the visible width, so nothing ever stands beside it.
    ScrollBox1->OnClientResize = [this](TObject*) { LayoutToArea(); };
    ScrollBox1->OnKeyDown = KeysTo(this);
    Cells = new TCellGrid(ScrollBox1, TGridGeometry{CellWidth, CellHeight, 5, 13});
    Cells->SetBounds(0, 0, 0, 0);  // as wide as the area once it is laid out
    Cells->OnCellClick = [this](int cell) { CellClick(cell); };
    Cells->OnCellDblClick = [this](int cell) { CellDblClick(cell); };
    Cells->OnCellMouseDown = [this](int cell, TMouseButton b, TShiftState sh, int x, int y) {
        CellMouseDown(cell, b, sh, x, y);
    };
}

// Only the file operations act; the other items are there to be seen.
void TBrowserWindow::CreateMenu() {
    TMenuItem& items = PopupMenu.Items();
    Forgats1 = items.Add("Forgatás, tükrözés");
    Forgats1->Add("Forgatás balra 90°-al");
    Forgats1->Add("Forgatás jobbra 90°-al");
    Forgats1->Add("-");
    Forgats1->Add("Tükrözés vízszintesen");
    Forgats1->Add("Tükrözés függőlegesen");
    tmretezs1 = items.Add("Átméretezés");
    tmretezs1->Add("Kicsinyítés a felére");
    tmretezs1->Add("Kicsinyítés a negyedére");
    Kicsinytsahatodra1 = tmretezs1->Add("Kicsinyítés a hatodára");
    Konvertls1 = items.Add("Konvertálás");
    Konvertls1->Add("Konvertálás bmp-re");
    Konvertls1->Add("Konvertálás jpg-re");
    Fjlmveletek1 = items.Add("Fájlműveletek");
    Mozgats1 = Fjlmveletek1->Add("Mozgatás...");
    Mozgats1->OnClick = [this](TObject* sender) { Mozgats1Click(sender); };
    Msols1 = Fjlmveletek1->Add("Másolás...");
    Msols1->OnClick = [this](TObject* sender) { Msols1Click(sender); };
    Trls1 = Fjlmveletek1->Add("Törlés");
    Trls1->OnClick = [this](TObject* sender) { Trls1Click(sender); };
}

void TBrowserWindow::FormResize() {
    MorphButton1->SetLeft(Panel1->Width() - Viewer.ButtonSize - 2);
    sizer->SetLeft(Panel2->Width() - Viewer.ButtonSize - 2);
    DockFileWindow();
    FileWindow->FitToHeight(Height());
    LayoutToArea();
}

// The file window stands beside the browser unless the main window covers
// the screen's width or height.
void TBrowserWindow::DockFileWindow() {
    if (MainWindow->Width() != Screen.Width() && MainWindow->Height() != Screen.Height())
        FileWindow->DockPlacement(Top(), Left(), Width());
}

void TBrowserWindow::FormMouseMove(TObject*, TShiftState shift, int x, int y) {
    if (drag_.MouseMove(*this, shift, x, y)) DockFileWindow();
}

void TBrowserWindow::sizerMouseMove(TObject*, TShiftState shift, int, int) {
    if (shift & ssLeft) ResizeToGrip(*this, *sizer, 300, 300);
}

void TBrowserWindow::MorphButton1Click(TObject*) {
    CancelBuild();
    FreeCells();
    Hide();
    ReturnToViewer();
}

// Closed by the platform: the cells stay until the next build.
void TBrowserWindow::FormClose(TObject*, TCloseAction&) {
    CancelBuild();
    ReturnToViewer();
}

// The main window comes back where the browser stood, and the file window
// as the main window last left it.
void TBrowserWindow::ReturnToViewer() {
    MainWindow->SetBounds(Left(), Top(), Width(), Height());
    MainWindow->Show();
    FileWindow->SetVisible(Viewer.FileWindowShown);
}

void TBrowserWindow::FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift) {
    MainWindow->FormKeyDown(sender, key, shift);
}

}  // namespace lumvex
