#pragma once
// The application object: the message loop, and the one dispatcher through
// which every event reaches its handler.
#include <exception>
#include <functional>
#include <string>

namespace lumvex {

class TApplication {
public:
    // Creates the toolkit's application object (once per process).
    void Initialize(int& argc, char** argv);
    bool Initialized() const;
    // Runs the message loop until Terminate; returns the exit code.
    int Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles pending events, so long work can let the window repaint.
    void ProcessMessages();

    // Runs an event handler; an exception it raises ends the handler and is
    // shown in the error box. Nothing escapes into the message loop.
    void Dispatch(const std::function<void()>& handler);
    void ShowException(const std::exception& error);

    // The error box; tests replace it to record the messages.
    std::function<void(const std::string& message)> ErrorBox;

    std::string Title = "Lumvex";

private:
    bool terminated_ = false;
};

extern TApplication Application;

}  // namespace lumvex
