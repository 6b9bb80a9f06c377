// Loading a picture file onto the display picture, and the bars' texts.
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "components/MPGifImg.h"
#include "components/WebPAnimation.h"
#include "platform/SysUtils.h"
#include "platform/graphics/DisplayCopy.h"
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/LibraryImage.h"
#include "platform/graphics/Picture.h"
#include "platform/threads/WorkerPool.h"
#include "viewer/Prefetch.h"

namespace lumvex {

static bool Animated(const TGraphic* graphic) {
    return dynamic_cast<const TGIFImage*>(graphic) || dynamic_cast<const TWebPAnimation*>(graphic);
}

void TMainWindow::LoadImage(const std::string& fileName, TImage* target, TImage* work) {
    const bool loaded = FileExists(fileName);
    if (loaded) {
        target->SetWidth(0);
        target->SetHeight(0);
        target->Picture().Bitmap().SetSize(0, 0);  // also drops and stops a GIF held before
        target->SetCenter(false);
        target->SetStretch(false);
        target->SetAutoSize(true);
        Viewer.TiledBitmap = false;
        if (work == TImg) {
            HeldPicture.Forget();
            ReducedOnView.Drop();
        }
        // The kind is told by the file's content; a name with ".gif" and an
        // animation (GIF or WebP, whatever its name) go straight onto the
        // display, leaving the work holder as it was.
        TDecodedAhead ahead = work == TImg ? Prefetch.Take(fileName) : TDecodedAhead{};
        std::unique_ptr<TGraphic> decoded = std::move(ahead.Picture);
        if (!decoded) decoded = TPicture::LoadGraphic(fileName);
        if (LowerCase(fileName).find(".gif") != std::string::npos || Animated(decoded.get())) {
            target->Picture().SetGraphic(std::move(decoded));
            Viewer.PictureWidth = target->Width();
            Viewer.PictureHeight = target->Height();
        } else {
            const auto* jpeg = work == TImg ? dynamic_cast<const TJPEGImage*>(decoded.get()) : nullptr;
            work->Picture().SetGraphic(std::move(decoded));
            if (!jpeg || !ShowReducedFirst(*jpeg, ahead)) {
                // A JPEG is decoded when first drawn: a damaged one raises
                // before the display, emptied above, is sized for it.
                if (auto* held = dynamic_cast<const TJPEGImage*>(work->Picture().Graphic())) held->DIBNeeded();
                CopyToDisplay(*work->Picture().Graphic(), target->Picture().Bitmap());
            }
            if (work == TImg) HeldPicture.Remember(fileName);
            // The picture's own size, also while the display shows it reduced.
            Viewer.PictureWidth = work->Picture().Width();
            Viewer.PictureHeight = work->Picture().Height();
        }
        StartAnimation(target);
        GetFileInfo(fileName);
        // After the picture has been painted, not competing with it.
        if (work == TImg) QueueOnUiThread([] { if (MainWindow) MainWindow->PrefetchNeighbours(); });
    }
    // A reduced picture just loaded stands for the picture at its own size.
    const bool reducedLoaded = loaded && ReducedOnView.Showing();
    Viewer.ViewCenterX = (reducedLoaded ? Viewer.PictureWidth : target->Width()) / 2;
    Viewer.ViewCenterY = (reducedLoaded ? Viewer.PictureHeight : target->Height()) / 2;
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

template <class Animation>
static bool Start(TGraphic* graphic, bool tile) {
    auto* animation = dynamic_cast<Animation*>(graphic);
    if (!animation) return false;
    animation->SetAnimate(true);
    if (tile) animation->SetTile(true);
    animation->SetDelays(0);
    return true;
}

// A GIF or an animated WebP plays in the viewer; in tile mode it tiles its
// frames. After the first frame's own delay every frame shows for the
// shortest interval, 55 ms.
void TMainWindow::StartAnimation(TImage* target) {
    TGraphic* graphic = target->Picture().Graphic();
    Start<TGIFImage>(graphic, Viewer.FitMode == 3) || Start<TWebPAnimation>(graphic, Viewer.FitMode == 3);
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
    // The kinds read by their own libraries, whatever their names: 32 bits
    // with alpha, 24 without.
    if (auto* still = dynamic_cast<const TLibraryImage*>(held); still && HeldPicture.Holds(fileName))
        depth = still->HasAlpha() ? 32 : 24;
    if (auto* animation = dynamic_cast<const TWebPAnimation*>(Image->Picture().Graphic()))
        depth = animation->HasAlpha() ? 32 : 24;

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
