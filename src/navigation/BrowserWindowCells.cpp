// The browser's cells: the background build, the grid, marking and opening
// by mouse, and the file operations of the cell menu.
#include <algorithm>

#include "navigation/BrowserWindow.h"
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/TransformationsWindow.h"
#include "platform/SysUtils.h"
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

}  // namespace

void TBrowserWindow::Build() {
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
    std::vector<std::string> paths;
    for (const std::string& name : list->Items()) paths.push_back(folder + name);
    build_ = TOrderedBatch<TThumbnail>::Start(
        *Workers, count,
        [paths = std::move(paths)](int index, const TCancelToken& cancel) {
            return MakeThumbnail(paths[index], cancel);
        },
        [this](int index, TThumbnail* thumbnail) { AddCell(index, thumbnail); }, [this] { BuildFinished(); });
}

bool TBrowserWindow::Building() const { return build_ != nullptr; }

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
    const TPoint at = CellPosition(index, ScrollBox1->Width());
    cell->SetBounds(at.X, at.Y, CellWidth, CellHeight);
    cell->SetColor(Viewer.co1);

    auto* caption = new TLabel(cell);
    caption->SetAutoSize(false);
    caption->SetFont(CaptionFont());
    caption->SetHeight(13);
    caption->SetAlign(alBottom);
    caption->SetAlignment(taCenter);
    caption->SetTransparent(true);
    caption->SetCaption(FileWindow->FileListBox->Items()[index]);

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
    LayoutCells(ScrollBox1->Width());
}

void TBrowserWindow::LayoutCells(int width) {
    for (int i = 0; i < static_cast<int>(Cells.size()); ++i) {
        if (!Cells[i]) continue;
        const TPoint at = CellPosition(i, width);
        Cells[i]->SetBounds(at.X, at.Y, Cells[i]->Width(), Cells[i]->Height());
    }
}

void TBrowserWindow::CellClick(TObject* sender) {
    const int i = sender->Tag;
    TFileListBox* marks = TransformationsWindow->FileListBox;
    if (i < 0 || i >= marks->Count()) throw EListError("List index out of bounds (" + IntToStr(i) + ")");
    marks->SetSelected(i, !marks->Selected(i));
    if (i < static_cast<int>(Cells.size()) && Cells[i])
        Cells[i]->SetColor(marks->Selected(i) ? Viewer.coSelect : Viewer.co1);
}

void TBrowserWindow::CellDblClick(TObject* sender) {
    FileWindow->FileListBox->SetItemIndex(sender->Tag);
    FileWindow->FileName->SetCaption(FileWindow->FileListBox->FileName());
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
