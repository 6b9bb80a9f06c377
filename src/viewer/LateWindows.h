#pragma once
// The windows that nothing needs before the first picture is on screen (the
// transformations window, the about window and the thumbnail browser) are
// built after the first paint. Whatever reaches one of them before then has
// them built first, or leaves its work to be done on them once they are.
#include <functional>

namespace lumvex {

// What builds the late windows (set by the program as it creates the windows;
// an empty function as it destroys them). Work left waiting is dropped.
void SetLateWindowsBuilder(std::function<void()> build);

// Builds the late windows unless they are built (or being built), then does
// the work left for them, in the order it was left.
void BuildLateWindows();

// Does work at once when the late windows are built, else right after they are.
void WhenLateWindowsBuilt(std::function<void()> work);

}  // namespace lumvex
