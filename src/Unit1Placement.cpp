// Placing the display picture in the picture area: the fit modes, zoom and panning.
#include <cmath>

#include "Unit1.h"
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
    if (HeldGIF(target)) TiledBitmap = false;
    if (!TiledBitmap) return false;
    TiledBitmap = false;
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
    if (!picture || PictureWidth <= 0 || PictureHeight <= 0) return;
    for (int y = 0; y < screenHeight; y += PictureHeight)
        for (int x = 0; x < screenWidth; x += PictureWidth) display.Canvas().Draw(x, y, *picture);
}

}  // namespace

void TForm1::nyjtas1Click(TObject* sender) {
    auto* item = static_cast<TMenuItem*>(sender);
    ZoomSteps = 0;
    item->SetChecked(true);
    FitMode = static_cast<std::uint8_t>(item->Tag);
    ResizeImage(Image, TImg);
}

void TForm1::ResizeImage(TImage* target, TImage* work) {
    border->Hide();
    switch (FitMode) {
    case 0:
        target->SetAutoSize(false);
        target->SetStretch(false);
        target->SetBounds(AreaLeft + 1, AreaTop + 1, AreaWidth - 1, AreaHeight - 1);
        target->SetCenter(true);
        UndoTiling(target, work);
        SetGIFTile(target, false);
        break;
    case 1:
        target->SetAutoSize(false);
        target->SetCenter(false);
        target->SetBounds(AreaLeft + 1, AreaTop + 1, AreaWidth - 2, AreaHeight - 2);
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
        const double r = std::max(double(PictureWidth) / AreaWidth, double(PictureHeight) / AreaHeight);
        if (r != 0 && std::isfinite(r)) {
            const int width = Nearest(PictureWidth / r) - 2;
            const int height = Nearest(PictureHeight / r) - 2;
            target->SetBounds(AreaWidth / 2 - width / 2 + AreaLeft, AreaHeight / 2 - height / 2 + AreaTop, width,
                              height);
        }
        SetGIFTile(target, false);
        break;
    }
    case 3:
        if (!TiledBitmap) {
            TiledBitmap = true;
            target->SetAutoSize(false);
            target->SetCenter(false);
            target->SetStretch(false);
            target->SetBounds(AreaLeft + 1, AreaTop + 1, Screen.Width(), Screen.Height());
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

    const int steps = ZoomSteps;
    ZoomSteps = 0;
    for (int i = 0; i < -steps; ++i) Zoom(target, target, false);
    for (int i = 0; i < steps; ++i) Zoom(target, target, true);
    if (steps == 0) {
        border->SetBounds(target->Left() - 1, target->Top() - 1, target->Width() + 2, target->Height() + 2);
        border->Show();
    }
}

void TForm1::Zoom(TImage* target, TImage* work, bool zoomIn) {
    if (FitMode != 4) {
        FitMode = 4;
        ResizeImage(target, work);
    }
    if (zoomIn && ZoomSteps < 10) {
        ++ZoomSteps;
        target->SetBounds(target->Left(), target->Top(), Nearest(target->Width() * ZoomFactor),
                          Nearest(target->Height() * ZoomFactor));
        ViewCenterX *= ZoomFactor;
        ViewCenterY *= ZoomFactor;
    } else if (!zoomIn && ZoomSteps > -5) {
        --ZoomSteps;
        target->SetBounds(target->Left(), target->Top(), Nearest(target->Width() / ZoomFactor),
                          Nearest(target->Height() / ZoomFactor));
        ViewCenterX /= ZoomFactor;
        ViewCenterY /= ZoomFactor;
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

void TForm1::AlignToRect(TImage* target) {
    const int left = AlignAxis(ViewCenterX, target->Width(), AreaWidth, AreaLeft);
    const int top = AlignAxis(ViewCenterY, target->Height(), AreaHeight, AreaTop);
    target->SetBounds(left, top, target->Width(), target->Height());
}

void TForm1::MoveImage(TImage* target) {
    if (FitMode != 4) return;
    const double d = PanStep + ZoomSteps * ZoomFactor * 4 + (PictureWidth + PictureHeight) / 100.0;
    if (KeyHeld[VK_RIGHT]) ViewCenterX += d;
    if (KeyHeld[VK_DOWN]) ViewCenterY += d;
    if (KeyHeld[VK_LEFT]) ViewCenterX -= d;
    if (KeyHeld[VK_UP]) ViewCenterY -= d;
    AlignToRect(target);
    border->SetBounds(target->Left() - 1, target->Top() - 1, target->Width() + 2, target->Height() + 2);
}

bool TForm1::PictureFits() const { return Image->Width() <= AreaWidth && Image->Height() <= AreaHeight; }

bool TForm1::ZoomStep(bool zoomIn) {
    const int before = ZoomSteps;
    const std::uint8_t modeBefore = FitMode;
    Zoom(Image, Image, zoomIn);
    return ZoomSteps != before || FitMode != modeBefore;
}

void TForm1::ZoomInKey() {
    if (Kzpen1->Checked()) {
        Zoom(Image, TImg, true);
        return;
    }
    if (Image->Width() == AreaWidth || Image->Height() == AreaHeight) {
        while (PictureFits())
            if (!ZoomStep(!(AreaWidth <= TImg->Width()))) break;
    }
    Zoom(Image, TImg, true);
}

void TForm1::ZoomOutKey() {
    if (Kzpen1->Checked()) {
        Zoom(Image, TImg, false);
        return;
    }
    if (Image->Width() == AreaWidth || Image->Height() == AreaHeight) {
        while (PictureFits())
            if (!ZoomStep(true)) break;
    }
    Zoom(Image, TImg, false);
}

}  // namespace lumvex
