#include "components/BrwsFldr.h"

#include <optional>

#include "platform/SysUtils.h"

namespace lumvex {

namespace {

// Holds the dialog's handle for one callback; callbacks nest (selecting the
// start folder raises a selection change inside the opening callback).
class HandleScope {
public:
    HandleScope(FolderDialogWindow*& slot, FolderDialogWindow& window) : slot_(slot), previous_(slot) {
        slot_ = &window;
    }
    ~HandleScope() { slot_ = previous_; }
    HandleScope(const HandleScope&) = delete;
    HandleScope& operator=(const HandleScope&) = delete;

private:
    FolderDialogWindow*& slot_;
    FolderDialogWindow* previous_;
};

}  // namespace

bool TBrowseForFolder::Execute() {
    FolderDialogOptions options;
    options.Title = Title;
    options.StatusLine = !StatusText.empty() && !NewDialogStyle;
    options.EditBox = EditBox;
    options.Resizable = NewDialogStyle;
    FolderDialogCallbacks callbacks;
    callbacks.OnOpen = [this](FolderDialogWindow& window) { Opened(window); };
    callbacks.OnSelChanged = [this](FolderDialogWindow& window, const std::string& path) {
        SelectionChanged(window, path);
    };
    const std::optional<std::string> chosen = RunFolderDialog(options, callbacks);
    if (!chosen) return false;
    Path = *chosen;
    return true;
}

void TBrowseForFolder::Opened(FolderDialogWindow& window) {
    HandleScope scope(handle_, window);
    if (!StatusText.empty()) window.SetStatusText(StatusText);
    if (!Path.empty()) window.SelectFolder(Path);
    const TRect bounds = window.Bounds();
    int left = bounds.Left;
    int top = bounds.Top;
    if (OnSetPosition) OnSetPosition(this, left, top, bounds.Width(), bounds.Height());
    SetPosition(left, top, bounds.Width(), bounds.Height());
    if (left != bounds.Left || top != bounds.Top) window.MoveTo(left, top);
}

void TBrowseForFolder::SelectionChanged(FolderDialogWindow& window, const std::string& path) {
    HandleScope scope(handle_, window);
    bool enableOk = !path.empty() && DirectoryExists(path);
    if (OnSelChanged) OnSelChanged(this, path, enableOk);
    SelChanged(path, enableOk);
    window.SetOkEnabled(enableOk);
}

}  // namespace lumvex
