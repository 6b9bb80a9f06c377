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
#include "platform/services/ThumbnailCache.h"

namespace lumvex {
namespace {

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

// The picture of a cell, made on a worker: from the desktop's thumbnail
// cache when it holds the file as it is now, else loaded, and then kept
// there at the cache's own size for the next time. Icons are always loaded,
// as they are shown at their own size. The failure of a damaged file is kept
// too, so it is not decoded again each time; a file that could not be
// opened may be readable next time, and is not recorded.
TThumbnail CellPicture(const std::string& path, const TCancelToken& cancel, const TThumbnailCache& cache) {
    cancel.ThrowIfCancelled();
    if (IconName(path)) return MakeThumbnail(path, cancel);
    // Transparency over black, as a decoded picture's becomes in its cell.
    TCachedThumbnail cached = cache.LookUp(path, clBlack);
    switch (cached.Answer) {
        case TCacheAnswer::Found:
            return FitToCell(KeptCellSource(path, std::move(cached.Picture), cached.ImageWidth, cached.ImageHeight));
        case TCacheAnswer::Failed: return TThumbnail{};  // a failed cell, as when it fails now
        case TCacheAnswer::Uncached: return MakeThumbnail(path, cancel);
        case TCacheAnswer::Miss: break;
    }
    TCellSource source;
    try {
        source = LoadCellSource(path, cancel);
    } catch (const ECancelled&) {
        throw;
    } catch (const EFOpenError&) {
        throw;
    } catch (const Exception&) {
        cache.StoreFailure(path, cached.Stamp);
        throw;
    }
    cache.Store(path, cached.Stamp, source.Pixels, source.ImageWidth, source.ImageHeight);
    return FitToCell(std::move(source));
}

}  // namespace

void TBrowserWindow::Build() {
    rebuildQueued_ = false;
    CancelBuild();
    FreeCells();
    TFileListBox* list = FileWindow->FileListBox;
    const int count = list->Count();
    if (TransformationsWindow->FileListBox->Count() == 0) return;  // an empty folder shows an empty area
    Gauge1->SetProgress(0);
    Gauge1->SetMinValue(0);
    Gauge1->SetMaxValue(count - 1);

    // The cells take no mouse input until the last one is in; the area
    // scrolls meanwhile.
    Cells->SetEnabled(false);
    Cells->SetFont(CaptionFont());
    const std::string folder = IncludeTrailingPathDelimiter(FileWindow->DirectoryListBox->Directory());
    CellPaths.reserve(static_cast<std::size_t>(count));
    for (const std::string& name : list->Items()) CellPaths.push_back(folder + name);
    build_ = TOrderedBatch<TThumbnail>::Start(
        *Workers, count,
        [paths = CellPaths, cache = TThumbnailCache(TThumbnailCache::UserFolder())](int index,
                                                                                   const TCancelToken& cancel) {
            return CellPicture(paths[index], cancel, cache);
        },
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
    Cells->SetEnabled(true);
}

void TBrowserWindow::FreeCells() {
    Cells->Clear();
    CellPaths.clear();
}

// A cell as its picture arrives; a picture that could not be loaded leaves
// the cell empty but for its caption.
void TBrowserWindow::AddCell(int index, TThumbnail* thumbnail) {
    if (index != Cells->Count() || index >= static_cast<int>(CellPaths.size())) return;
    TGridCell cell;
    cell.Caption = ExtractFileName(CellPaths[static_cast<std::size_t>(index)]);
    cell.Color = Viewer.co1;
    if (thumbnail) {
        cell.Place = thumbnail->Place;
        cell.Picture = std::move(thumbnail->Picture);
    }
    // The cells of a hand-over grow the area once, after the last of them.
    Cells->AddUngrown(std::move(cell));
    if (!fitQueued_) {
        fitQueued_ = true;
        QueueOnUiThread([] {
            if (BrowserWindow) BrowserWindow->FitCellRows();
        });
    }
    Gauge1->SetProgress(index);
}

void TBrowserWindow::FitCellRows() {
    fitQueued_ = false;
    Cells->FitRows();
}

void TBrowserWindow::BuildFinished() {
    FitCellRows();
    build_.reset();
    Gauge1->SetProgress(Gauge1->MaxValue());
    Cells->SetEnabled(true);
    LayoutToArea();
}

void TBrowserWindow::LayoutToArea() { LayoutCells(ScrollBox1->ClientWidth()); }

void TBrowserWindow::LayoutCells(int width) { Cells->WrapTo(width); }

// A file that has left the marks list since the build cannot be marked.
void TBrowserWindow::CellClick(int cell) {
    if (cell < 0 || cell >= Cells->Count()) return;
    TFileListBox* marks = TransformationsWindow->FileListBox;
    const int i = EntryOf(*marks, CellPaths[static_cast<std::size_t>(cell)]);
    if (i < 0) return;
    marks->SetSelected(i, !marks->Selected(i));
    Cells->SetCellColor(cell, marks->Selected(i) ? Viewer.coSelect : Viewer.co1);
}

void TBrowserWindow::CellDblClick(int cell) {
    if (cell < 0 || cell >= Cells->Count()) return;
    const std::string path = CellPaths[static_cast<std::size_t>(cell)];
    FileWindow->FileListBox->SetItemIndex(EntryOf(*FileWindow->FileListBox, path));
    FileWindow->FileName->SetCaption(path);
    CancelBuild();
    Hide();
    ReturnToViewer();
    MainWindow->LoadImage(FileWindow->FileName->Caption(), MainWindow->Image, MainWindow->TImg);
    MainWindow->ResizeImage(MainWindow->Image, MainWindow->TImg);
}

void TBrowserWindow::CellMouseDown(int, TMouseButton button, TShiftState, int, int) {
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
