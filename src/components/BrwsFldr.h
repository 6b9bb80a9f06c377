#pragma once
// A folder picker: asks the user for a folder in the desktop's folder browser
// and keeps the answer in Path, which is also where the next run opens.
#include <functional>
#include <string>

#include "platform/Classes.h"
#include "platform/services/FolderDialog.h"

namespace lumvex {

// path is the selected item's folder ("" for an item that is no folder);
// enableOk comes in as whether that folder exists and goes out as the OK
// button's state.
using TOnSelChanged = std::function<void(TObject* sender, const std::string& path, bool& enableOk)>;
// left and top come in as the dialog's screen position and go out as where
// it should stand.
using TOnSetPosition = std::function<void(TObject* sender, int& left, int& top, int width, int height)>;

class TBrowseForFolder : public TObject {
public:
    // The chosen folder after a successful run (no trailing separator except
    // for the root "/"); when not empty before a run, the folder the dialog
    // opens on.
    std::string Path;
    // The dialog's status line (not shown with NewDialogStyle); empty: none.
    std::string StatusText;
    // Shown above the folder tree; empty: none.
    std::string Title;
    // The resizable dialog.
    bool NewDialogStyle = false;
    // A field in which a folder name can be typed.
    bool EditBox = false;

    TOnSelChanged OnSelChanged;
    TOnSetPosition OnSetPosition;

    // Runs the dialog; true with the chosen folder in Path, false (Path
    // unchanged) when it was cancelled.
    bool Execute();

    // The open dialog while one of its callbacks runs, else nullptr.
    FolderDialogWindow* Handle() const { return handle_; }

protected:
    // Called after OnSelChanged and OnSetPosition with the same arguments.
    virtual void SelChanged(const std::string& /*path*/, bool& /*enableOk*/) {}
    virtual void SetPosition(int& /*left*/, int& /*top*/, int /*width*/, int /*height*/) {}

private:
    void Opened(FolderDialogWindow& window);
    void SelectionChanged(FolderDialogWindow& window, const std::string& path);

    FolderDialogWindow* handle_ = nullptr;
};

}  // namespace lumvex
