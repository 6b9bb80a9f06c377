#include "imageops/ConvertFile.h"

#include <functional>

#include "imageops/PictureFiles.h"
#include "platform/SysUtils.h"
#include "platform/graphics/LibraryImage.h"

namespace lumvex {

namespace {

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The outcome of writing one output whose name may be taken.
TConvertResult WriteNew(const std::string& output, const std::string& question, TOverwriteMode& mode,
                        const std::function<void()>& write) {
    switch (AskOverwrite(output, question, mode)) {
    case TOverwriteAction::EndBatch: return TConvertResult::EndBatch;
    case TOverwriteAction::PassOver: return TConvertResult::PassedOver;
    case TOverwriteAction::Write: break;
    }
    write();
    return TConvertResult::Done;
}

// The picture of a file that is converted into a new one. The JPEG or BMP
// file made holds no colour profile, so a picture read through its format's
// library comes in sRGB rather than the screen's colours.
TBitmap NewFilePicture(TGraphic& kind, const std::string& source, TImage& loader) {
    if (auto* still = dynamic_cast<TLibraryImage*>(&kind)) {
        CheckPictureFileSize(source);
        TDecodeRequest request;
        request.Colors = TColorTarget::SRGB;
        still->Load(ReadFileBytes(source), request);
        return RewriteBitmap(*still);
    }
    loader.Picture().LoadFromFile(source);
    return RewriteBitmap(*loader.Picture().Graphic());
}

}  // namespace

TConvertResult ConvertFile(const std::string& folder, const std::string& name, TConvertTarget target, int quality,
                           TOverwriteMode& mode, TImage& loader) {
    if (target == TConvertTarget::None) return TConvertResult::PassedOver;
    const std::string source = IncludeTrailingPathDelimiter(folder) + name;
    const auto dot = name.find('.');
    const std::string stemWithDot = dot == std::string::npos ? name : name.substr(0, dot + 1);
    const std::string outputStem = IncludeTrailingPathDelimiter(folder) + name.substr(0, dot);
    // A new file beside the source, named by the source's name up to its first dot.
    const auto newBmp = [&](const TBitmap& bitmap) {
        return WriteNew(outputStem + ".bmp", "A(z) " + stemWithDot + "bmp fájl már létezik.  Felülírja?", mode,
                        [&] { WriteBmp(bitmap, outputStem + ".bmp", TPixelFormat::pf24bit); });
    };
    const auto newJpeg = [&](const TBitmap& bitmap) {
        return WriteNew(outputStem + ".jpg", "A(z) " + stemWithDot + "jpg fájl már létezik.  Felülírja?", mode,
                        [&] { WriteJpeg(bitmap, outputStem + ".jpg", quality); });
    };
    const std::unique_ptr<TGraphic> kind = FilePictureKind(source);
    if (kind && ConvertedIntoNewFileOnly(*kind)) {
        const TBitmap bitmap = NewFilePicture(*kind, source, loader);
        return target == TConvertTarget::ToBmp ? newBmp(bitmap) : newJpeg(bitmap);
    }
    // Only JPEG pictures become bitmaps: nothing else is read for it.
    if (target == TConvertTarget::ToBmp && (!kind || RewriteFormat(*kind) != TRewriteFormat::Jpeg))
        return TConvertResult::PassedOver;
    // A JPEG picture re-encoded keeps its colour profile and so its colours;
    // a BMP file holds no profile, so it gets sRGB.
    const TRewritable picture =
        LoadForRewrite(loader, source, target == TConvertTarget::ToBmp ? TJPEGColors::jcSRGB : TJPEGColors::jcStored);
    switch (picture.Format) {
    case TRewriteFormat::Jpeg:
        if (target == TConvertTarget::ToBmp) return newBmp(picture.Bitmap);
        // Re-encoding at the chosen quality: the quality warning covered it.
        WriteJpeg(picture.Bitmap, source, quality, loader.Picture().Graphic());
        return TConvertResult::Done;
    case TRewriteFormat::Bmp:
        return newJpeg(picture.Bitmap);
    case TRewriteFormat::None: break;
    }
    return TConvertResult::PassedOver;
}

bool JpegQualityWarning(const std::vector<std::string>& names) {
    bool jpeg = false;
    for (const std::string& name : names) {
        const std::string lower = LowerCase(name);
        jpeg = jpeg || Contains(lower, "jpg") || Contains(lower, "jpeg");
    }
    if (!jpeg) return true;
    return MessageDlg("FIGYELEM!\rJpeg-ből Jpeg-be való konvertáláskor az eredeti kép minősége romolhat!\rFolytatja?",
                      mtWarning, mbYesNoCancel) == mrYes;
}

TModalResult ReplaceFilesWarning() {
    return MessageDlg("FIGYELEM!\rAz eredeti fájlokat felülírja?", mtWarning, mbYesNoCancel);
}

}  // namespace lumvex
