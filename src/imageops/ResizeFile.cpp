#include "imageops/ResizeFile.h"

#include "imageops/CopyNaming.h"
#include "imageops/PictureFiles.h"
#include "platform/SysUtils.h"

namespace lumvex {

TResizeWork::TResizeWork() : Scaled(0, 0, TPixelFormat::pf32bit) { Writer.SetCompressionQuality(DefaultJpegQuality); }

std::string ResizeExtension(const std::string& path) {
    const std::string name = LowerCase(ExtractFileName(path));
    const auto dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(dot, 10);
}

void ResizeFile(const std::string& path, const TScaleChoice& choice, bool overwrite, TResizeWork& work,
                TImage& holder) {
    const std::string extension = ResizeExtension(path);
    if (extension != ".bmp" && extension != ".jpg" && extension != ".jpeg") return;
    // The picture's own kind decides how the result is written, not the name.
    const TRewritable picture = LoadForRewrite(holder, path);
    if (picture.Format == TRewriteFormat::None) return;
    const std::string output = overwrite ? path : CopyName(path);
    const TScaledSize size = ScaledSize(picture.Bitmap.Width(), picture.Bitmap.Height(), choice);
    work.Scaled.SetSize(size.Width, size.Height);
    StretchBitmap(picture.Bitmap, work.Scaled);
    if (picture.Format == TRewriteFormat::Bmp) {
        work.Scaled.SaveToFile(output);
    } else {
        work.Writer.Assign(work.Scaled);
        work.Writer.SaveToFile(output);
    }
}

}  // namespace lumvex
