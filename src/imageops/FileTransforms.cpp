#include "imageops/FileTransforms.h"

#include "imageops/BusyCursor.h"
#include "imageops/PixelTransforms.h"
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

bool RotateFile(const std::string& FileName, bool Left, TImage& loader, TGauge& gauge) {
    const TRewritable picture = LoadForRewrite(loader, FileName);
    if (picture.Format == TRewriteFormat::None) return false;
    TurnIntoFile(picture.Bitmap, Left, FileName, picture.Format, gauge);
    return true;
}

TBitmap TurnIntoFile(const TBitmap& source, bool Left, const std::string& path, TRewriteFormat format,
                     TGauge& gauge) {
    TBitmap target;
    TBusyCursor busy;
    gauge.SetProgress(0);
    gauge.SetMaxValue(source.Height());
    QuarterTurn(source, target, Left);
    WriteTransformed(target, path, format);
    gauge.SetProgress(0);
    return target;
}

bool MirrorFile(const std::string& path, bool Vertical) {
    TImage& work = *MainWindow->TImg;
    MainWindow->HeldPicture.Forget();
    const TRewritable picture = LoadForRewrite(*MainWindow->TImg2, path);
    if (picture.Format == TRewriteFormat::None) return false;
    TBitmap& bitmap = work.Picture().Bitmap();
    bitmap = picture.Bitmap;
    ImageMirror(work, Vertical);
    WriteTransformed(bitmap, path, picture.Format);
    return true;
}

}  // namespace lumvex
