#include "imageops/Overwrite.h"

#include "platform/SysUtils.h"
#include "platform/services/Dialogs.h"

namespace lumvex {

TOverwriteAction AskOverwrite(const std::string& path, const std::string& question, TOverwriteMode& mode) {
    if (mode == TOverwriteMode::OverwriteAll || !FileExists(path)) return TOverwriteAction::Write;
    if (mode == TOverwriteMode::SkipExisting) return TOverwriteAction::PassOver;
    switch (MessageDlg(question, mtWarning, mbYesNoCancel | mbNoToAll | mbYesToAll)) {
    case mrYes: return TOverwriteAction::Write;
    case mrNo: return TOverwriteAction::PassOver;
    case mrNoToAll: mode = TOverwriteMode::SkipExisting; return TOverwriteAction::PassOver;
    case mrYesToAll: mode = TOverwriteMode::OverwriteAll; return TOverwriteAction::Write;
    default: return TOverwriteAction::EndBatch;
    }
}

}  // namespace lumvex
