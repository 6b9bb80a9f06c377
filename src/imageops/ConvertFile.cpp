#include "imageops/ConvertFile.h"

#include <functional>

#include "imageops/PictureFiles.h"
#include "imageops/PixelTransforms.h"
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
    const std::string lower = LowerCase(name);
    const std::string source = IncludeTrailingPathDelimiter(folder) + name;
    const auto dot = name.find('.');
    const std::string stem = name.substr(0, dot);
    const std::string stemWithDot = dot == std::string::npos ? name : name.substr(0, dot + 1);
    const std::string outputStem = IncludeTrailingPathDelimiter(folder) + stem;

    if (target == TConvertTarget::ToBmp) {
        if (!Contains(lower, ".jpg") && !Contains(lower, ".jpeg")) return TConvertResult::PassedOver;
        const TBitmap bitmap = LoadAsBitmap(loader, source);
        return WriteNew(outputStem + ".bmp", "A(z) " + stemWithDot + "bmp fájl már létezik.  Felülírja?", mode,
                        [&] { WriteBmp(bitmap, outputStem + ".bmp", TPixelFormat::pf24bit); });
    }
    if (target != TConvertTarget::ToJpg) return TConvertResult::PassedOver;

    TConvertResult result = TConvertResult::PassedOver;
    // Only a file that is a JPEG by its kind is re-encoded: "x.jpg.bmp" is a
    // bitmap and must not receive JPEG data.
    const TFileKind kind = FileKind(lower);
    if (kind == TFileKind::fkJpg || kind == TFileKind::fkJpeg) {
        const TBitmap bitmap = LoadAsBitmap(loader, source, TJPEGColors::jcStored);
        WriteJpeg(bitmap, source, quality, loader.Picture().Graphic());
        result = TConvertResult::Done;
    }
    if (Contains(lower, ".bmp")) {
        const TBitmap bitmap = LoadAsBitmap(loader, source);
        const TConvertResult converted =
            WriteNew(outputStem + ".jpg", "A(z) " + stemWithDot + "jpg fájl már létezik.  Felülírja?", mode,
                     [&] { WriteJpeg(bitmap, outputStem + ".jpg", quality); });
        if (converted != TConvertResult::PassedOver) result = converted;
    }
    return result;
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
