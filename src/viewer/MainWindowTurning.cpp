// Turning the picture on view and writing it to the current file.
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/FileTransforms.h"
#include "imageops/PictureFiles.h"
#include "imageops/PixelTransforms.h"
#include "platform/SysUtils.h"

namespace lumvex {

void TMainWindow::RotateViewedPicture(bool Left, TGauge& gauge) {
    UseFullPicture();
    const std::string fileName = FileWindow->FileName->Caption();
    // A batch, a selection change in the transformations window or another
    // program can leave TImg holding another picture than the file's own.
    TRewritable picture;
    if (HeldPicture.Holds(fileName)) {
        picture.Format = RewriteFormat(*TImg->Picture().Graphic());
        if (picture.Format == TRewriteFormat::None) return;
        picture.Bitmap = RewriteBitmap(*TImg->Picture().Graphic());
    } else {
        HeldPicture.Forget();
        // A file that is gone raises the loader's error: it is not made anew.
        picture = LoadForRewrite(*TImg, fileName);
        if (picture.Format == TRewriteFormat::None) return;
        HeldPicture.Remember(fileName);
        Viewer.PictureWidth = picture.Bitmap.Width();
        Viewer.PictureHeight = picture.Bitmap.Height();
    }
    TBitmap target;
    if (TransformJpeg(fileName, Left ? TFlipTurn::TurnLeft : TFlipTurn::TurnRight))
        QuarterTurn(picture.Bitmap, target, Left);
    else
        target = TurnIntoFile(picture.Bitmap, Left, fileName, picture.Format, gauge);
    std::swap(Viewer.PictureWidth, Viewer.PictureHeight);
    TImg->Picture().SetGraphic(RewritablePicture(target, picture.Format));
    HeldPicture.Remember(fileName);
    Image->Picture().Assign(&target);
}

}  // namespace lumvex
