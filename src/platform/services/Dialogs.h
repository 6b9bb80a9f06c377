#pragma once
// Message boxes and the colour, file-open and folder dialogs. A test installs
// ScriptedDialogs: answers are queued in advance and every question asked is
// recorded; while one exists, no real dialog opens.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"

namespace lumvex {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons of a message box (bits).
enum TMsgDlgBtn : unsigned {
    mbYes = 1,
    mbNo = 2,
    mbOK = 4,
    mbCancel = 8,
    mbAbort = 16,
    mbRetry = 32,
    mbIgnore = 64,
    mbAll = 128,
    mbNoToAll = 256,
    mbYesToAll = 512,
};
inline constexpr unsigned mbYesNoCancel = mbYes | mbNo | mbCancel;
inline constexpr unsigned mbOKCancel = mbOK | mbCancel;

// The answer of a dialog.
enum TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

// Asks the question with the buttons given; closing the box counts as Cancel
// (or No when there is no Cancel button).
TModalResult MessageDlg(const std::string& message, TMsgDlgType type, unsigned buttons);
void ShowMessage(const std::string& message);

class TColorDialog {
public:
    TColor Color = clBlack;
    // Shows the chooser starting at Color; true and the chosen Color on OK.
    bool Execute();
};

class TOpenDialog {
public:
    std::string Title;
    std::string InitialDir;
    std::string Filter;  // "shown|mask|shown|mask"
    std::string FileName;
    // Programs here seldom have an extension: with this set, the choices
    // that ask for "*.exe" also list executable files without an extension.
    bool ExecutablesWithoutExtension = false;
    // Shows the chooser; true and the chosen FileName on OK.
    bool Execute();
};

// A folder chooser: true and the chosen folder on OK.
bool SelectFolder(const std::string& title, const std::string& startFolder, std::string& folder);

class ScriptedDialogs {
public:
    struct Question {
        std::string Message;
        TMsgDlgType Type;
        unsigned Buttons;
    };

    ScriptedDialogs();   // installs itself
    ~ScriptedDialogs();  // restores the real dialogs
    // The one installed, or nullptr (other dialog seams defer to it).
    static ScriptedDialogs* Active();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Answers in the order they will be asked. An empty queue answers
    // mrCancel / "cancelled".
    std::deque<TModalResult> MessageAnswers;
    std::deque<std::optional<TColor>> ColorAnswers;
    std::deque<std::optional<std::string>> OpenAnswers;
    std::deque<std::optional<std::string>> FolderAnswers;

    // What was asked.
    std::vector<Question> Questions;
    std::vector<std::string> Messages;      // ShowMessage texts
    std::vector<TColor> ColorsOffered;      // the starting colours of the colour dialogs
    std::vector<std::string> OpenTitles;
    std::vector<std::string> FolderTitles;
};

}  // namespace lumvex
