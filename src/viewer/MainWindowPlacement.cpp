// Placing the display picture in the picture area: the fit modes, zoom and panning.
#include <cmath>

#include "viewer/MainWindow.h"
#include "viewer/ShownSize.h"
#include "components/MPGifImg.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/Screen.h"

namespace lumvex {
namespace {

// A real number to the nearest integer, halves to the even neighbour.
int Nearest(double x) { return static_cast<int>(std::nearbyint(x)); }

TGIFImage* HeldGIF(TImage* target) { return dynamic_cast<TGIFImage*>(target->Picture().Graphic()); }

void SetGIFTile(TImage* target, bool tile) {
    if (TGIFImage* gif = HeldGIF(target)) {
        gif->SetTile(tile);
        target->Invalidate();
    }
}

// Cuts a screen-sized tiling back to the picture itself (its top-left
// corner); true when there was a tiling to undo.
bool UndoTiling(TImage* target, TImage* work) {
    if (HeldGIF(target)) Viewer.TiledBitmap = false;
    if (!Viewer.TiledBitmap) return false;
    Viewer.TiledBitmap = false;
    target->Picture().Bitmap().SetSize(work->Picture().Width(), work->Picture().Height());
    return true;
}

void TileOverScreen(TImage* target, TImage* work) {
    const int screenWidth = Screen.Width(), screenHeight = Screen.Height();
    if (TGIFImage* gif = HeldGIF(target)) {
        target->SetStretch(true);
        gif->SetTile(true);
        return;
    }
    TBitmap& display = target->Picture().Bitmap();
    display.SetSize(screenWidth, screenHeight);
    const TGraphic* picture = work->Picture().Graphic();
    if (!picture || Viewer.PictureWidth <= 0 || Viewer.PictureHeight <= 0) return;
    for (int y = 0; y < screenHeight; y += Viewer.PictureHeight)
        for (int x = 0; x < screenWidth; x += Viewer.PictureWidth) display.Canvas().Draw(x, y, *picture);
}

}  // namespace

void TMainWindow::nyjtas1Click(TObject* sender) {
    auto* item = static_cast<TMenuItem*>(sender);
    Viewer.ZoomSteps = 0;
    item->SetChecked(true);
    Viewer.FitMode = static_cast<std::uint8_t>(item->Tag);
    ResizeImage(Image, TImg);
}

void TMainWindow::ResizeImage(TImage* target, TImage* work) {
    if (!ReducedOnView.Covers(StretchedSize(CurrentShowing(), Viewer.PictureWidth, Viewer.PictureHeight))) UseFullPicture();
    border->Hide();
    switch (Viewer.FitMode) {
    case 0:
        target->SetAutoSize(false);
        target->SetStretch(false);
        target->SetBounds(Viewer.AreaLeft + 1, Viewer.AreaTop + 1, Viewer.AreaWidth - 1, Viewer.AreaHeight - 1);
        target->SetCenter(true);
        UndoTiling(target, work);
        SetGIFTile(target, false);
        break;
    case 1:
        target->SetAutoSize(false);
        target->SetCenter(false);
        target->SetBounds(Viewer.AreaLeft + 1, Viewer.AreaTop + 1, Viewer.AreaWidth - 2, Viewer.AreaHeight - 2);
        UndoTiling(target, work);
        target->SetStretch(true);
        SetGIFTile(target, false);
        break;
    case 2: {
        target->SetAutoSize(false);
        target->SetCenter(false);
        target->SetStretch(true);
        if (UndoTiling(target, work)) {
            target->SetWidth(work->Width());
            target->SetHeight(work->Height());
        }
        if (const auto size = ProportionalSize(Viewer.PictureWidth, Viewer.PictureHeight, Viewer.AreaWidth, Viewer.AreaHeight))
            target->SetBounds(Viewer.AreaWidth / 2 - size->X / 2 + Viewer.AreaLeft, Viewer.AreaHeight / 2 - size->Y / 2 + Viewer.AreaTop,
                              size->X, size->Y);
        SetGIFTile(target, false);
        break;
    }
    case 3:
        if (!Viewer.TiledBitmap) {
            Viewer.TiledBitmap = true;
            target->SetAutoSize(false);
            target->SetCenter(false);
            target->SetStretch(false);
            target->SetBounds(Viewer.AreaLeft + 1, Viewer.AreaTop + 1, Screen.Width(), Screen.Height());
            TileOverScreen(target, work);
        }
        break;
    case 4:
        target->SetAutoSize(true);
        target->SetAutoSize(false);
        target->SetCenter(false);
        target->SetStretch(true);
        SetGIFTile(target, false);
        break;
    default: break;
    }

    const int steps = Viewer.ZoomSteps;
    Viewer.ZoomSteps = 0;
    for (int i = 0; i < -steps; ++i) Zoom(target, target, false);
    for (int i = 0; i < steps; ++i) Zoom(target, target, true);
    if (steps == 0) {
        border->SetBounds(target->Left() - 1, target->Top() - 1, target->Width() + 2, target->Height() + 2);
        border->Show();
    }
}

void TMainWindow::Zoom(TImage* target, TImage* work, bool zoomIn) {
    if (Viewer.FitMode != 4) {
        Viewer.FitMode = 4;
        ResizeImage(target, work);
    }
    if (zoomIn && Viewer.ZoomSteps < 10) {
        ++Viewer.ZoomSteps;
        target->SetBounds(target->Left(), target->Top(), Nearest(target->Width() * ZoomFactor),
                          Nearest(target->Height() * ZoomFactor));
        Viewer.ViewCenterX *= ZoomFactor;
        Viewer.ViewCenterY *= ZoomFactor;
    } else if (!zoomIn && Viewer.ZoomSteps > -5) {
        --Viewer.ZoomSteps;
        target->SetBounds(target->Left(), target->Top(), Nearest(target->Width() / ZoomFactor),
                          Nearest(target->Height() / ZoomFactor));
        Viewer.ViewCenterX /= ZoomFactor;
        Viewer.ViewCenterY /= ZoomFactor;
    }
    AlignToRect(target);
}

// Keeps the view centre where no gap opens between the picture and the
// area's edges (or centres a picture smaller than the area) on one axis,
// and returns the picture's position on it.
static int AlignAxis(double& center, int size, int areaSize, int areaStart) {
    const int h = areaSize / 2;
    if (areaSize > size) {
        center = size / 2;
    } else {
        if (h > center) center = h;
        if (h + size - areaSize < center) center = h + size - areaSize;
    }
    return Nearest(areaSize / 2.0 - center + areaStart);
}

void TMainWindow::AlignToRect(TImage* target) {
    const int left = AlignAxis(Viewer.ViewCenterX, target->Width(), Viewer.AreaWidth, Viewer.AreaLeft);
    const int top = AlignAxis(Viewer.ViewCenterY, target->Height(), Viewer.AreaHeight, Viewer.AreaTop);
    target->SetBounds(left, top, target->Width(), target->Height());
}

void TMainWindow::MoveImage(TImage* target) {
    if (Viewer.FitMode != 4) return;
    const double d = PanStep + Viewer.ZoomSteps * ZoomFactor * 4 + (Viewer.PictureWidth + Viewer.PictureHeight) / 100.0;
    if (Viewer.KeyHeld[VK_RIGHT]) Viewer.ViewCenterX += d;
    if (Viewer.KeyHeld[VK_DOWN]) Viewer.ViewCenterY += d;
    if (Viewer.KeyHeld[VK_LEFT]) Viewer.ViewCenterX -= d;
    if (Viewer.KeyHeld[VK_UP]) Viewer.ViewCenterY -= d;
    AlignToRect(target);
    border->SetBounds(target->Left() - 1, target->Top() - 1, target->Width() + 2, target->Height() + 2);
}

bool TMainWindow::PictureFits() const { return Image->Width() <= Viewer.AreaWidth && Image->Height() <= Viewer.AreaHeight; }

bool TMainWindow::ZoomStep(bool zoomIn) {
    const int before = Viewer.ZoomSteps;
    const std::uint8_t modeBefore = Viewer.FitMode;
    Zoom(Image, Image, zoomIn);
    return Viewer.ZoomSteps != before || Viewer.FitMode != modeBefore;
}

void TMainWindow::ZoomKey(bool zoomIn) {
    if (!Kzpen1->Checked() && (Image->Width() == Viewer.AreaWidth || Image->Height() == Viewer.AreaHeight)) {
        while (PictureFits())
            if (!ZoomStep(!zoomIn || Viewer.AreaWidth > TImg->Width())) break;
    }
    Zoom(Image, TImg, zoomIn);
}

}  // namespace lumvex
