#include "imageops/FileTransforms.h"

#include "imageops/BusyCursor.h"
#include "imageops/PictureFiles.h"
#include "imageops/PixelTransforms.h"
#include "platform/graphics/JpegFileTransform.h"
#include "viewer/MainWindow.h"

namespace lumvex {

void ImageMirror(TImage& holder, bool Vertical) {
    const bool transparent = holder.Transparent();
    if (transparent) holder.SetTransparent(false);
    TBitmap& bitmap = holder.Picture().Bitmap();
    MirrorBitmap(bitmap, Vertical);
    bitmap.Modified();
    if (transparent) holder.SetTransparent(true);
    holder.Repaint();
}

bool TransformJpeg(const std::string& path, TFlipTurn transform) {
    TBusyCursor busy;
    return TransformJpegFile(path, transform);
}

void RotateFile(const std::string& FileName, bool Left, TImage& loader, TGauge& gauge) {
    const TFileKind kind = FileKind(FileName);
    if (kind == TFileKind::fkNone) return;
    if (TransformJpeg(FileName, Left ? TFlipTurn::TurnLeft : TFlipTurn::TurnRight)) return;
    TurnIntoFile(LoadAsBitmap(loader, FileName), Left, FileName, kind, gauge);
}

TBitmap TurnIntoFile(const TBitmap& source, bool Left, const std::string& path, TFileKind kind, TGauge& gauge) {
    TBitmap target;
    TBusyCursor busy;
    gauge.SetProgress(0);
    gauge.SetMaxValue(source.Height());
    QuarterTurn(source, target, Left);
    WriteTransformed(target, path, kind);
    gauge.SetProgress(0);
    return target;
}

void MirrorFile(const std::string& path, bool Vertical) {
    const TFileKind kind = FileKind(path);
    if (kind == TFileKind::fkNone) return;
    if (TransformJpeg(path, Vertical ? TFlipTurn::MirrorTopBottom : TFlipTurn::MirrorLeftRight)) return;
    TImage& work = *MainWindow->TImg;
    MainWindow->TImgFileName.clear();
    TBitmap& bitmap = work.Picture().Bitmap();
    bitmap = LoadAsBitmap(*MainWindow->TImg2, path);
    ImageMirror(work, Vertical);
    WriteTransformed(bitmap, path, kind);
}

}  // namespace lumvex
