#include "imageops/PictureFiles.h"

namespace lumvex {

TBitmap PictureBitmap(const TGraphic& picture) {
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(&picture)) return jpeg->Bitmap();
    TBitmap bitmap;
    bitmap.Assign(picture);
    return bitmap;
}

TBitmap LoadAsBitmap(TImage& holder, const std::string& path, TJPEGColors colors) {
    holder.Picture().LoadFromFile(path);
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(holder.Picture().Graphic())) jpeg->SetColors(colors);
    TBitmap bitmap = PictureBitmap(*holder.Picture().Graphic());
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    return bitmap;
}

void WriteJpeg(const TBitmap& bitmap, const std::string& path, int quality, const TGraphic* source) {
    TJPEGImage writer;
    writer.SetCompressionQuality(quality);
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(source))
        writer.AssignKeepingMetadata(bitmap, *jpeg);
    else
        writer.Assign(bitmap);
    writer.SaveToFile(path);
}

void WriteBmp(const TBitmap& bitmap, const std::string& path, TPixelFormat format) {
    TBitmap written = bitmap;
    written.SetPixelFormat(format);
    written.SaveToFile(path);
}

void WriteTransformed(const TBitmap& bitmap, const std::string& path, TFileKind kind) {
    if (kind == TFileKind::fkBmp)
        WriteBmp(bitmap, path, TPixelFormat::pf24bit);
    else
        WriteJpeg(bitmap, path);
}

}  // namespace lumvex
