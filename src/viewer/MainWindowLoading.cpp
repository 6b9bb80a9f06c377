// Loading a picture file onto the display picture, and the bars' texts.
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "components/MPGifImg.h"
#include "platform/SysUtils.h"
#include "platform/graphics/DisplayCopy.h"
#include "platform/graphics/Jpeg.h"
#include "platform/threads/WorkerPool.h"
#include "viewer/Prefetch.h"

namespace lumvex {

void TMainWindow::LoadImage(const std::string& fileName, TImage* target, TImage* work) {
    if (FileExists(fileName)) {
        target->SetWidth(0);
        target->SetHeight(0);
        target->Picture().Bitmap().SetSize(0, 0);  // also drops and stops a GIF held before
        target->SetCenter(false);
        target->SetStretch(false);
        target->SetAutoSize(true);
        Viewer.TiledBitmap = false;
        if (work == TImg) HeldPicture.Forget();
        if (LowerCase(fileName).find(".gif") != std::string::npos) {
            target->Picture().LoadFromFile(fileName);
        } else {
            std::unique_ptr<TGraphic> decoded = work == TImg ? Prefetch.Take(fileName) : nullptr;
            if (decoded)
                work->Picture().SetGraphic(std::move(decoded));
            else
                work->Picture().LoadFromFile(fileName);
            CopyToDisplay(*work->Picture().Graphic(), target->Picture().Bitmap());
            if (work == TImg) HeldPicture.Remember(fileName);
        }
        Viewer.PictureWidth = target->Width();
        Viewer.PictureHeight = target->Height();
        StartAnimation(target);
        GetFileInfo(fileName);
        // After the picture has been painted, not competing with it.
        if (work == TImg) QueueOnUiThread([] { if (MainWindow) MainWindow->PrefetchNeighbours(); });
    }
    Viewer.ViewCenterX = target->Width() / 2;
    Viewer.ViewCenterY = target->Height() / 2;
}

// The next and previous entries of the file list, wrapping around, are
// decoded ahead; every other picture decoded ahead is dropped.
void TMainWindow::PrefetchNeighbours() {
    if (!FileWindow) return;
    const TFileListBox& list = *FileWindow->FileListBox;
    const int index = list.ItemIndex(), count = list.Count();
    std::vector<std::string> neighbours;
    if (index >= 0 && count > 1) {
        const std::string folder = IncludeTrailingPathDelimiter(list.Directory());
        neighbours.push_back(folder + list.Items()[static_cast<std::size_t>((index + 1) % count)]);
        neighbours.push_back(folder + list.Items()[static_cast<std::size_t>((index + count - 1) % count)]);
    }
    Prefetch.KeepOnly(neighbours);
    for (const std::string& path : neighbours) Prefetch.Start(path);
}

// A GIF plays in the viewer; in tile mode it tiles its frames. After the first
// frame's own delay every frame shows for the shortest interval, 55 ms.
void TMainWindow::StartAnimation(TImage* target) {
    auto* gif = dynamic_cast<TGIFImage*>(target->Picture().Graphic());
    if (!gif) return;
    gif->SetAnimate(true);
    if (Viewer.FitMode == 3) gif->SetTile(true);
    gif->SetDelays(0);
}

// Sizes below 10 MiB read in whole kilobytes, larger ones in whole megabytes.
std::string SizeText(std::int64_t bytes) {
    if (bytes < 1024) return IntToStr(bytes) + "B";
    if (bytes < 10 * 1024 * 1024) return IntToStr(bytes / 1024) + "KB";
    return IntToStr(bytes / (1024 * 1024)) + "MB";
}

// The depth a bitmap's pixel format shows as; 0 for device and custom layouts.
static int BitmapDepth(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit: return 15;
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    case TPixelFormat::pf32bit: return 32;
    default: return 0;
    }
}

void TMainWindow::GetFileInfo(const std::string& fileName) {
    const std::int64_t size = FileSize(fileName);
    const std::string shortName = ExtractFileName(fileName);
    const std::string lower = LowerCase(shortName);
    int depth = 0;
    const TGraphic* held = TImg->Picture().Graphic();
    if (lower.find(".bmp") != std::string::npos)
        if (auto* bitmap = dynamic_cast<const TBitmap*>(held)) depth = BitmapDepth(bitmap->PixelFormat());
    if (lower.find(".jpg") != std::string::npos || lower.find(".jpeg") != std::string::npos)
        if (auto* jpeg = dynamic_cast<const TJPEGImage*>(held))
            depth = jpeg->PixelFormat() == TJPEGPixelFormat::jf24Bit ? 24 : 8;

    TopLabel->SetCaption(std::string("Lumvex - ").append(shortName));
    // Appended piece by piece: a literal added before a temporary string
    // trips a false overlap warning of the compiler in optimised builds.
    std::string info = " ";
    info += IntToStr(FileWindow->FileListBox->ItemIndex() + 1);
    info += "/";
    info += IntToStr(FileWindow->FileListBox->Count());
    info += " | ";
    info += SizeText(size);
    info += " | ";
    info += IntToStr(Viewer.PictureWidth);
    info += "x";
    info += IntToStr(Viewer.PictureHeight);
    if (depth != 0) {
        info += "x";
        info += IntToStr(depth);
        info += "bit";
    }
    BottomLabel->SetCaption(info);
}

}  // namespace lumvex
