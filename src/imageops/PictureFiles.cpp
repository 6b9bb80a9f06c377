#include "imageops/PictureFiles.h"

#include <fstream>
#include <typeinfo>

#include "platform/graphics/Jpeg.h"
#include "platform/graphics/LibraryImage.h"
#include "platform/graphics/Picture.h"

namespace lumvex {

// The exact class counts: a kind derived from TBitmap is not a BMP file.
TRewriteFormat RewriteFormat(const TGraphic& picture) {
    if (typeid(picture) == typeid(TJPEGImage)) return TRewriteFormat::Jpeg;
    if (typeid(picture) == typeid(TBitmap)) return TRewriteFormat::Bmp;
    return TRewriteFormat::None;
}

bool ConvertedIntoNewFileOnly(const TGraphic& picture) { return dynamic_cast<const TLibraryImage*>(&picture); }

namespace {

// Enough of a file's start for every picture kind's signature; nothing for a
// file that cannot be read, which the loader then reports.
std::string FileHead(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string head(4096, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    return head;
}

}  // namespace

std::unique_ptr<TGraphic> FilePictureKind(const std::string& path) {
    try {
        return TPicture::CreateForContent(FileHead(path), path);
    } catch (const EInvalidGraphic&) {
        return nullptr;  // no picture kind reads this file
    }
}

TRewriteFormat FileRewriteFormat(const std::string& path) {
    const std::unique_ptr<TGraphic> kind = FilePictureKind(path);
    return kind ? RewriteFormat(*kind) : TRewriteFormat::None;
}

TRewritable LoadForRewrite(TImage& holder, const std::string& path, TJPEGColors colors) {
    if (FileRewriteFormat(path) == TRewriteFormat::None) return {};
    holder.Picture().LoadFromFile(path);
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(holder.Picture().Graphic())) jpeg->SetColors(colors);
    const TGraphic& loaded = *holder.Picture().Graphic();
    TRewritable picture;
    picture.Format = RewriteFormat(loaded);
    if (picture.Format == TRewriteFormat::None) return {};
    picture.Bitmap = RewriteBitmap(loaded);
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

TBitmap RewriteBitmap(const TGraphic& picture) {
    TBitmap bitmap = PictureBitmap(picture);
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

void WriteTransformed(const TBitmap& bitmap, const std::string& path, TRewriteFormat format) {
    switch (format) {
    case TRewriteFormat::Jpeg: WriteJpeg(bitmap, path); break;
    case TRewriteFormat::Bmp: WriteBmp(bitmap, path, TPixelFormat::pf24bit); break;
    case TRewriteFormat::None: break;
    }
}

}  // namespace lumvex
