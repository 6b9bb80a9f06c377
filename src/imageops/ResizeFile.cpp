#include "imageops/ResizeFile.h"

#include "imageops/CopyNaming.h"
#include "imageops/PictureFiles.h"
#include "platform/SysUtils.h"

namespace lumvex {

TResizeWork::TResizeWork() : First(0, 0, TPixelFormat::pf32bit), Second(0, 0, TPixelFormat::pf32bit) {
    Writer.SetCompressionQuality(DefaultJpegQuality);
}

std::string ResizeExtension(const std::string& path) {
    const std::string name = LowerCase(ExtractFileName(path));
    const auto dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(dot, 10);
}

void ResizeFile(const std::string& path, const TScaleChoice& choice, bool overwrite, TResizeWork& work,
                TImage& holder) {
    const std::string extension = ResizeExtension(path);
    const bool bmp = extension == ".bmp";
    if (!bmp && extension != ".jpg" && extension != ".jpeg") return;
    holder.Picture().LoadFromFile(path);
    const std::string output = overwrite ? path : CopyName(path);
    if (bmp) {
        const TBitmap& picture = holder.Picture().Bitmap();
        const TScaledSize size = ScaledSize(picture.Width(), picture.Height(), choice);
        work.First.SetSize(size.Width, size.Height);
        StretchBitmap(picture, work.First);
        work.First.SaveToFile(output);
    } else {
        auto* jpeg = dynamic_cast<TJPEGImage*>(holder.Picture().Graphic());
        if (jpeg) jpeg->SetColors(TJPEGColors::jcStored);
        work.First = PictureBitmap(*holder.Picture().Graphic());
        work.First.SetPixelFormat(TPixelFormat::pf32bit);
        const TScaledSize size = ScaledSize(work.First.Width(), work.First.Height(), choice);
        work.Second.SetSize(size.Width, size.Height);
        StretchBitmap(work.First, work.Second);
        if (jpeg)
            work.Writer.AssignKeepingMetadata(work.Second, *jpeg);
        else
            work.Writer.Assign(work.Second);
        work.Writer.SaveToFile(output);
    }
}

}  // namespace lumvex
