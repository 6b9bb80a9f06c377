#include "imageops/PictureFiles.h"

#include <typeinfo>

#include "platform/graphics/Jpeg.h"
#include "platform/graphics/Picture.h"

namespace lumvex {

// The exact class counts: a kind derived from TBitmap is not a BMP file.
TRewriteFormat RewriteFormat(const TGraphic& picture) {
    if (typeid(picture) == typeid(TJPEGImage)) return TRewriteFormat::Jpeg;
    if (typeid(picture) == typeid(TBitmap)) return TRewriteFormat::Bmp;
    return TRewriteFormat::None;
}

TRewriteFormat FileRewriteFormat(const std::string& path) {
    try {
        return RewriteFormat(*TPicture::CreateForFile(path));
    } catch (const EInvalidGraphic&) {
        return TRewriteFormat::None;  // no picture kind reads this file
    }
}

TRewritable LoadForRewrite(TImage& holder, const std::string& path) {
    if (FileRewriteFormat(path) == TRewriteFormat::None) return {};
    holder.Picture().LoadFromFile(path);
    const TGraphic& loaded = *holder.Picture().Graphic();
    TRewritable picture;
    picture.Format = RewriteFormat(loaded);
    if (picture.Format == TRewriteFormat::None) return {};
    picture.Bitmap = PictureBitmap(loaded);
    picture.Bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    return picture;
}

std::unique_ptr<TGraphic> RewritablePicture(const TBitmap& bitmap, TRewriteFormat format) {
    if (format != TRewriteFormat::Jpeg) return bitmap.Clone();
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->Assign(bitmap);
    return jpeg;
}

TBitmap PictureBitmap(const TGraphic& picture) {
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(&picture)) return jpeg->Bitmap();
    TBitmap bitmap;
    bitmap.Assign(picture);
    return bitmap;
}

void WriteJpeg(const TBitmap& bitmap, const std::string& path, int quality) {
    TJPEGImage writer;
    writer.SetCompressionQuality(quality);
    writer.Assign(bitmap);
    writer.SaveToFile(path);
}

void WriteBmp(const TBitmap& bitmap, const std::string& path, TPixelFormat format) {
    TBitmap written = bitmap;
    written.SetPixelFormat(format);
    written.SaveToFile(path);
}

void WriteTransformed(const TBitmap& bitmap, const std::string& path, TRewriteFormat format) {
    switch (format) {
    case TRewriteFormat::Jpeg: WriteJpeg(bitmap, path); break;
    case TRewriteFormat::Bmp: WriteBmp(bitmap, path, TPixelFormat::pf24bit); break;
    case TRewriteFormat::None: break;
    }
}

}  // namespace lumvex
