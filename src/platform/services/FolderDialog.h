#pragma once
// A folder browser whose owner takes part while it runs: it is told once when
// the dialog opens and every time the selection changes, and may then move the
// dialog, set its status line, select a folder and enable or disable OK.
// A test installs ScriptedFolderDialogs: the selections and the final button
// are scripted, and every run is recorded; while one exists, no real dialog
// opens. Under ScriptedDialogs alone, each run takes the next of its
// FolderAnswers as the user's selection followed by OK (none left: Cancel).
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace lumvex {

struct FolderDialogOptions {
    std::string Title;  // shown above the folder tree; empty: none
    bool StatusLine = false;
    bool EditBox = false;    // a field in which a folder can be typed
    bool Resizable = false;
};

// The open dialog as its owner sees it during a callback.
class FolderDialogWindow {
public:
    virtual ~FolderDialogWindow() = default;
    // The dialog's rectangle on the screen.
    virtual TRect Bounds() const = 0;
    virtual void MoveTo(int left, int top) = 0;
    // Ignored when the dialog has no status line.
    virtual void SetStatusText(const std::string& text) = 0;
    // Selects a folder; the selection-change callback follows.
    virtual void SelectFolder(const std::string& path) = 0;
    virtual bool OkEnabled() const = 0;
    virtual void SetOkEnabled(bool enabled) = 0;
};

struct FolderDialogCallbacks {
    // Once, when the dialog has opened.
    std::function<void(FolderDialogWindow& window)> OnOpen;
    // After each change of the selection; path is the selected item's
    // file-system path, or empty for an item that has none.
    std::function<void(FolderDialogWindow& window, const std::string& path)> OnSelChanged;
};

// Runs the dialog modally; the chosen folder (without a trailing separator,
// except for the root "/") on OK, std::nullopt on Cancel. OK does nothing
// while it is disabled or while the selection has no file-system path. The
// callbacks run through Application.Dispatch.
std::optional<std::string> RunFolderDialog(const FolderDialogOptions& options,
                                           const FolderDialogCallbacks& callbacks);

// The path as the dialog returns it: absolute, clean, no trailing separator
// except for the root.
std::string NormalFolderPath(const std::string& path);

class ScriptedFolderDialogs {
public:
    // What the user does in one run: the items selected in turn (a path; an
    // empty string for an item that is no folder), then OK or Cancel. An OK
    // pressed while disabled does nothing, and the dialog is then cancelled.
    struct Script {
        std::vector<std::string> Selections;
        bool PressOk = true;
    };
    // What happened in one run.
    struct Run {
        FolderDialogOptions Options;
        std::string StatusText;
        TRect OpenBounds;                   // where the dialog opened
        TRect Bounds;                       // where it stood when it closed
        std::vector<std::string> Selected;  // every selection in turn
        std::vector<bool> OkEnabled;        // the OK button after each selection
        std::optional<std::string> Result;
    };

    ScriptedFolderDialogs();   // installs itself
    ~ScriptedFolderDialogs();  // restores the real dialog
    ScriptedFolderDialogs(const ScriptedFolderDialogs&) = delete;
    ScriptedFolderDialogs& operator=(const ScriptedFolderDialogs&) = delete;

    // The runs to come, in order; with none left, the dialog is cancelled.
    std::deque<Script> Scripts;
    std::vector<Run> Runs;
    // Where a scripted dialog opens, and what it selects unless its owner
    // selects a folder when it opens.
    inline static const TRect DefaultOpeningBounds{200, 150, 520, 550};
    inline static const std::string DefaultOpeningFolder = "/";
    TRect OpeningBounds = DefaultOpeningBounds;
    std::string OpeningFolder = DefaultOpeningFolder;

    // Platform-internal: whether a script (of either seam) stands in for the
    // real dialog, and playing the next one.
    static bool Installed();
    static std::optional<std::string> Play(const FolderDialogOptions& options,
                                           const FolderDialogCallbacks& callbacks);
};

}  // namespace lumvex
