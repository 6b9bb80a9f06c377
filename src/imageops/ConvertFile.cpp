#include "imageops/ConvertFile.h"

#include <functional>

#include "imageops/PictureFiles.h"
#include "platform/SysUtils.h"

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

}  // namespace

TConvertResult ConvertFile(const std::string& folder, const std::string& name, TConvertTarget target, int quality,
                           TOverwriteMode& mode, TImage& loader) {
    if (target == TConvertTarget::None) return TConvertResult::PassedOver;
    const std::string source = IncludeTrailingPathDelimiter(folder) + name;
    // Only JPEG pictures become bitmaps: nothing else is read for it.
    if (target == TConvertTarget::ToBmp && FileRewriteFormat(source) != TRewriteFormat::Jpeg)
        return TConvertResult::PassedOver;
    const TRewritable picture = LoadForRewrite(loader, source);
    const auto dot = name.find('.');
    const std::string stemWithDot = dot == std::string::npos ? name : name.substr(0, dot + 1);
    const std::string outputStem = IncludeTrailingPathDelimiter(folder) + name.substr(0, dot);

    switch (picture.Format) {
    case TRewriteFormat::Jpeg:
        if (target == TConvertTarget::ToBmp)
            return WriteNew(outputStem + ".bmp", "A(z) " + stemWithDot + "bmp fájl már létezik.  Felülírja?", mode,
                            [&] { WriteBmp(picture.Bitmap, outputStem + ".bmp", TPixelFormat::pf24bit); });
        // Re-encoding at the chosen quality: the quality warning covered it.
        WriteJpeg(picture.Bitmap, source, quality);
        return TConvertResult::Done;
    case TRewriteFormat::Bmp:
        return WriteNew(outputStem + ".jpg", "A(z) " + stemWithDot + "jpg fájl már létezik.  Felülírja?", mode,
                        [&] { WriteJpeg(picture.Bitmap, outputStem + ".jpg", quality); });
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
