// Turning the picture on view and writing it to the current file.
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/FileTransforms.h"
#include "imageops/PictureFiles.h"
#include "imageops/PixelTransforms.h"
#include "platform/SysUtils.h"

namespace lumvex {

void TMainWindow::RotateViewedPicture(bool Left, TGauge& gauge) {
    const std::string fileName = FileWindow->FileName->Caption();
    const TFileKind kind = FileKind(fileName);
    if (kind == TFileKind::fkNone) return;
    // A batch or a selection change in the transformations window can leave
    // TImg holding another picture than the current file's.
    if (TImgFileName != fileName) {
        TImg->Picture().LoadFromFile(fileName);
        TImgFileName = fileName;
        Viewer.PictureWidth = TImg->Picture().Width();
        Viewer.PictureHeight = TImg->Picture().Height();
    }
    TBitmap source = PictureBitmap(*TImg->Picture().Graphic());
    source.SetPixelFormat(TPixelFormat::pf24bit);
    TBitmap target;
    if (TransformJpeg(fileName, Left ? TFlipTurn::TurnLeft : TFlipTurn::TurnRight))
        QuarterTurn(source, target, Left);
    else
        target = TurnIntoFile(source, Left, fileName, kind, gauge);
    std::swap(Viewer.PictureWidth, Viewer.PictureHeight);
    TImg->Picture().Assign(&target);
    Image->Picture().Assign(&target);
}

}  // namespace lumvex
