#include <filesystem>

#include "platform/services/Dialogs.h"
#include "platform/services/FolderDialog.h"

namespace lumvex {

namespace {

ScriptedFolderDialogs* installed = nullptr;

template <class T>
T TakeFront(std::deque<T>& queue, T none) {
    if (queue.empty()) return none;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

// The dialog as a script drives it: selections notify the owner, OK obeys
// the owner's enabling.
class ScriptedWindow : public FolderDialogWindow {
public:
    ScriptedWindow(ScriptedFolderDialogs::Run& run, const FolderDialogCallbacks& callbacks)
        : run_(run), callbacks_(callbacks) {}

    TRect Bounds() const override { return run_.Bounds; }
    void MoveTo(int left, int top) override {
        run_.Bounds = lumvex::Bounds(left, top, run_.Bounds.Width(), run_.Bounds.Height());
    }
    void SetStatusText(const std::string& text) override {
        if (run_.Options.StatusLine) run_.StatusText = text;
    }
    void SelectFolder(const std::string& path) override { Select(NormalFolderPath(path)); }
    bool OkEnabled() const override { return okEnabled_; }
    void SetOkEnabled(bool enabled) override { okEnabled_ = enabled; }

    bool Selected() const { return !run_.Selected.empty(); }
    void Select(const std::string& path) {
        if (Selected() && path == selection_) return;
        selection_ = path;
        run_.Selected.push_back(path);
        if (callbacks_.OnSelChanged) callbacks_.OnSelChanged(*this, path);
        run_.OkEnabled.push_back(okEnabled_);
    }
    std::optional<std::string> PressOk() const {
        if (!okEnabled_ || selection_.empty()) return std::nullopt;
        return selection_;
    }

private:
    ScriptedFolderDialogs::Run& run_;
    const FolderDialogCallbacks& callbacks_;
    std::string selection_;
    bool okEnabled_ = true;
};

ScriptedFolderDialogs::Run PlayScript(const ScriptedFolderDialogs::Script& script, const FolderDialogOptions& options,
                                      const FolderDialogCallbacks& callbacks, TRect openingBounds,
                                      const std::string& openingFolder) {
    ScriptedFolderDialogs::Run run;
    run.Options = options;
    run.OpenBounds = run.Bounds = openingBounds;
    ScriptedWindow window(run, callbacks);
    if (callbacks.OnOpen) callbacks.OnOpen(window);
    if (!window.Selected()) window.Select(NormalFolderPath(openingFolder));
    for (const std::string& path : script.Selections) window.Select(NormalFolderPath(path));
    if (script.PressOk) run.Result = window.PressOk();
    return run;
}

}  // namespace

std::string NormalFolderPath(const std::string& path) {
    if (path.empty()) return path;
    std::filesystem::path normal = std::filesystem::absolute(path).lexically_normal();
    std::string text = normal.string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

ScriptedFolderDialogs::ScriptedFolderDialogs() { installed = this; }
ScriptedFolderDialogs::~ScriptedFolderDialogs() { installed = nullptr; }

bool ScriptedFolderDialogs::Installed() { return installed || ScriptedDialogs::Active(); }

std::optional<std::string> ScriptedFolderDialogs::Play(const FolderDialogOptions& options,
                                                        const FolderDialogCallbacks& callbacks) {
    const Script cancel{{}, false};
    if (installed) {
        const Script script = TakeFront(installed->Scripts, cancel);
        installed->Runs.push_back(
            PlayScript(script, options, callbacks, installed->OpeningBounds, installed->OpeningFolder));
        return installed->Runs.back().Result;
    }
    ScriptedDialogs& dialogs = *ScriptedDialogs::Active();
    dialogs.FolderTitles.push_back(options.Title);
    const std::optional<std::string> answer = TakeFront(dialogs.FolderAnswers, std::optional<std::string>());
    const Script script = answer ? Script{{*answer}, true} : cancel;
    return PlayScript(script, options, callbacks, DefaultOpeningBounds, DefaultOpeningFolder).Result;
}

}  // namespace lumvex
