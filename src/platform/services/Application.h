#pragma once
// The application object: the message loop, and the one dispatcher through
// which every event reaches its handler.
#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "platform/Classes.h"

namespace lumvex {

class TForm;

class TApplication {
public:
    // Creates the toolkit's application object (once per process).
    void Initialize(int& argc, char** argv);
    bool Initialized() const;
    // Runs the message loop until Terminate, then shows the errors still
    // waiting for it; returns the exit code.
    int Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles pending events, so long work can let the window repaint.
    void ProcessMessages();

    // Runs an event handler; an exception it raises ends the handler and is
    // shown in the error box. Nothing escapes into the message loop.
    void Dispatch(const std::function<void()>& handler);
    // Shows the error in the error box. Boxes never nest: while one is open,
    // further errors wait (an error like one already open or waiting is
    // dropped) and follow one at a time. An error raised while a window paints
    // or a timer ticks waits for the message loop, so no modal loop starts
    // inside a paint and a timer that fails on every tick runs on meanwhile.
    void ShowException(const std::exception& error);
    // Errors waiting for the open box or for the message loop.
    std::size_t PendingErrors() const { return pendingErrors_.size(); }

    // The error box; tests replace it to record the messages (RecordedErrors).
    std::function<void(const std::string& message)> ErrorBox;

    // The first form created; Run shows it.
    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form) { mainForm_ = form; }
    // All forms of the program leave the screen, and come back.
    void Minimize();
    void Restore();
    // One of the program's windows holds the keyboard focus.
    bool Active() const;
    // The program gains or loses the focus (from or to another program).
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    std::string Title = "Lumvex";
    // The running program's full path, set by Initialize.
    std::string ExeName;

private:
    void ShowPendingErrors();

    bool terminated_ = false;
    TForm* mainForm_ = nullptr;
    std::deque<std::string> pendingErrors_;
    std::string openError_;
    bool errorBoxOpen_ = false;
    bool errorsQueued_ = false;
};

extern TApplication Application;

// Records the error box's messages instead of showing them while it exists.
class RecordedErrors {
public:
    RecordedErrors();
    ~RecordedErrors();
    RecordedErrors(const RecordedErrors&) = delete;
    RecordedErrors& operator=(const RecordedErrors&) = delete;
    std::vector<std::string> Messages;

private:
    std::function<void(const std::string&)> previous_;
};

}  // namespace lumvex
