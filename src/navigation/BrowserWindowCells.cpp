// The browser's cells: the background build, the grid, marking and opening
// by mouse, and the file operations of the cell menu.
#include <algorithm>

#include "navigation/BrowserWindow.h"
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/TransformationsWindow.h"
#include "platform/SysUtils.h"
#include "platform/threads/WorkerPool.h"
#include "platform/services/Screen.h"

namespace lumvex {
namespace {

constexpr int CellGap = 5;

// Cells stand 5 pixels from the area's edges and apart; a row holds as many
// as fit in the width, at least one.
TPoint CellPosition(int index, int width) {
    const int perRow = std::max(1, (width - CellGap) / (CellWidth + CellGap));
    return TPoint{CellGap + (index % perRow) * (CellWidth + CellGap),
                  CellGap + (index / perRow) * (CellHeight + CellGap)};
}

TFont CaptionFont() {
    TFont font;
    font.Name = "Small Fonts";
    font.Size = 7;
    font.Color = Viewer.coText;
    return font;
}

// The entry of a file in a list of its folder, or -1.
int EntryOf(const TFileListBox& list, const std::string& path) {
    if (IncludeTrailingPathDelimiter(list.Directory()) != ExtractFilePath(path)) return -1;
    const auto& items = list.Items();
    const auto found = std::find(items.begin(), items.end(), ExtractFileName(path));
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

}  // namespace

void TBrowserWindow::Build() {
    rebuildQueued_ = false;
    CancelBuild();
    FreeCells();
    TFileListBox* list = FileWindow->FileListBox;
    const int count = list->Count();
    Cells.assign(count, nullptr);
    Captions.assign(count, nullptr);
    Thumbnails.assign(count, nullptr);
    if (TransformationsWindow->FileListBox->Count() == 0) return;  // an empty folder shows an empty area
    Gauge1->SetProgress(0);
    Gauge1->SetMinValue(0);
    Gauge1->SetMaxValue(count - 1);

    ScrollBox1->SetEnabled(false);
    const std::string folder = IncludeTrailingPathDelimiter(FileWindow->DirectoryListBox->Directory());
    for (const std::string& name : list->Items()) CellPaths.push_back(folder + name);
    build_ = TOrderedBatch<TThumbnail>::Start(
        *Workers, count,
        [paths = CellPaths](int index, const TCancelToken& cancel) { return MakeThumbnail(paths[index], cancel); },
        [this](int index, TThumbnail* thumbnail) { AddCell(index, thumbnail); }, [this] { BuildFinished(); });
}

bool TBrowserWindow::Building() const { return build_ != nullptr; }

// Called from inside whatever re-read the lists: the rebuild waits until it
// is done, and one rebuild serves every list read meanwhile.
void TBrowserWindow::ListsRead() {
    if (!Visible()) return;
    CancelBuild();
    if (rebuildQueued_) return;
    rebuildQueued_ = true;
    QueueOnUiThread([] {
        if (BrowserWindow) BrowserWindow->RebuildAfterRead();
    });
}

void TBrowserWindow::RebuildAfterRead() {
    if (!rebuildQueued_) return;  // built since
    rebuildQueued_ = false;
    if (Visible()) Build();
}

void TBrowserWindow::CancelBuild() {
    if (!build_) return;
    build_->Cancel();
    build_.reset();
    ScrollBox1->SetEnabled(true);
}

void TBrowserWindow::FreeCells() {
    for (TPanel* cell : Cells) delete cell;  // its caption and image with it
    Cells.clear();
    Captions.clear();
    Thumbnails.clear();
    CellPaths.clear();
}

// A cell as its picture arrives; a picture that could not be loaded leaves
// the cell empty but for its caption.
void TBrowserWindow::AddCell(int index, TThumbnail* thumbnail) {
    if (index >= static_cast<int>(Cells.size())) return;
    auto bind = [this](TControl* control) {
        control->OnClick = [this](TObject* sender) { CellClick(sender); };
        control->OnDblClick = [this](TObject* sender) { CellDblClick(sender); };
        control->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            CellMouseDown(s, b, sh, x, y);
        };
    };
    auto* cell = new TPanel(ScrollBox1);
    cell->Hide();
    const TPoint at = CellPosition(index, ScrollBox1->ClientWidth());
    cell->SetBounds(at.X, at.Y, CellWidth, CellHeight);
    cell->SetColor(Viewer.co1);

    auto* caption = new TLabel(cell);
    caption->SetAutoSize(false);
    caption->SetFont(CaptionFont());
    caption->SetHeight(13);
    caption->SetAlign(alBottom);
    caption->SetAlignment(taCenter);
    caption->SetTransparent(true);
    caption->SetCaption(ExtractFileName(CellPaths[static_cast<std::size_t>(index)]));

    auto* image = new TImage(cell);
    image->SetStretch(true);
    if (thumbnail) {
        image->SetBounds(thumbnail->Place.Left, thumbnail->Place.Top, thumbnail->Place.Width(),
                         thumbnail->Place.Height());
        if (thumbnail->Picture) image->Picture().SetGraphic(std::move(thumbnail->Picture));
    } else {
        image->SetBounds(0, 0, 0, 0);
    }
    for (TControl* control : {static_cast<TControl*>(cell), static_cast<TControl*>(caption),
                              static_cast<TControl*>(image)}) {
        bind(control);
        control->Tag = index;
    }
    Cells[index] = cell;
    Captions[index] = caption;
    Thumbnails[index] = image;
    cell->Show();
    Gauge1->SetProgress(index);
}

void TBrowserWindow::BuildFinished() {
    build_.reset();
    Gauge1->SetProgress(Gauge1->MaxValue());
    ScrollBox1->SetEnabled(true);
    LayoutToArea();
}

void TBrowserWindow::LayoutToArea() { LayoutCells(ScrollBox1->ClientWidth()); }

void TBrowserWindow::LayoutCells(int width) {
    for (int i = 0; i < static_cast<int>(Cells.size()); ++i) {
        if (!Cells[i]) continue;
        const TPoint at = CellPosition(i, width);
        Cells[i]->SetBounds(at.X, at.Y, Cells[i]->Width(), Cells[i]->Height());
    }
}

// A file that has left the marks list since the build cannot be marked.
void TBrowserWindow::CellClick(TObject* sender) {
    const int cell = sender->Tag;
    if (cell < 0 || cell >= static_cast<int>(CellPaths.size())) return;
    TFileListBox* marks = TransformationsWindow->FileListBox;
    const int i = EntryOf(*marks, CellPaths[static_cast<std::size_t>(cell)]);
    if (i < 0) return;
    marks->SetSelected(i, !marks->Selected(i));
    if (Cells[static_cast<std::size_t>(cell)])
        Cells[static_cast<std::size_t>(cell)]->SetColor(marks->Selected(i) ? Viewer.coSelect : Viewer.co1);
}

void TBrowserWindow::CellDblClick(TObject* sender) {
    const int cell = sender->Tag;
    if (cell < 0 || cell >= static_cast<int>(CellPaths.size())) return;
    const std::string path = CellPaths[static_cast<std::size_t>(cell)];
    FileWindow->FileListBox->SetItemIndex(EntryOf(*FileWindow->FileListBox, path));
    FileWindow->FileName->SetCaption(path);
    CancelBuild();
    Hide();
    ReturnToViewer();
    MainWindow->LoadImage(FileWindow->FileName->Caption(), MainWindow->Image, MainWindow->TImg);
    MainWindow->ResizeImage(MainWindow->Image, MainWindow->TImg);
}

void TBrowserWindow::CellMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
    if (button != mbRight) return;
    const TPoint at = Mouse.CursorPos();
    PopupMenu.Popup(at.X, at.Y);
}

// The transformations window's move or copy of the marked files, with its
// folder picker, questions and messages.
void TBrowserWindow::Mozgats1Click(TObject*) {
    TransformationsWindow->MoveCopyBatch(true);
    Build();
}

void TBrowserWindow::Msols1Click(TObject*) {
    TransformationsWindow->MoveCopyBatch(false);
    Build();
}

void TBrowserWindow::Trls1Click(TObject*) {
    if (MainWindow->DeleteMarkedFiles()) Build();
}

}  // namespace lumvex
