#pragma once
// The program as a whole: its six windows, created in order.
#include <string>

namespace lumvex {

// Starts decoding the command line's picture and reading its folder on the
// workers; neither needs the toolkit, so both run while the toolkit starts and
// the windows are built. A full decoding to follow a reduced one waits until
// the late windows are built, after the first paint.
void StartReadingPicture(const std::string& picture);

// Registers the picture kinds and the default artwork, then creates the
// windows hidden, the main window first: those the start-up step needs now,
// the transformations and about windows and the browser once the first
// picture is painted, or sooner if something reaches them (LateWindows). picture is the command
// line's picture ("" for none).
void CreateWindows(const std::string& picture);

// Destroys the windows, the last created first (a late window not built yet
// is not built any more), and puts the viewer's
// state back as at start, so that the windows can be created again.
void DestroyWindows();

// Creates the windows and runs the message loop until the main window closes.
// With a screenshot path, the main window (or the window named: "main",
// "files", "browser", "transformations", "options") is rendered there as a
// PNG once it has started, and the program ends.
int RunProgram(const std::string& picture, const std::string& screenshot, const std::string& window = "main");

// The windows a screenshot can show.
bool IsScreenshotWindow(const std::string& window);

}  // namespace lumvex
