#pragma once
// Which display system the windows run on. The windows place themselves (the
// file window docks beside the main window, places are restored at start,
// the bars move their window), which an X server allows and Wayland does
// not. So in a Wayland session with its X server (XWayland) they run through
// that X server, unless the user chose a platform in QT_QPA_PLATFORM.
#include <string>

namespace lumvex {

struct DisplayPlatformChoice {
    std::string Platform;  // the platform to ask the toolkit for; empty: the user's or the toolkit's own
    bool OnWayland = false;  // the windows will run on Wayland
};

// The choice for these environment values (a null or empty value counts as
// unset). userArgument: the command line names a platform itself (-platform).
DisplayPlatformChoice ChooseDisplayPlatform(const char* qtPlatform, const char* waylandDisplay, const char* display,
                                            bool userArgument = false);

// What does not work on Wayland, said once on the terminal.
extern const char* const WaylandLimitsNote;

// Applies the choice for this process's environment to the command line the
// toolkit is started with (argv is replaced by a copy that lives as long as
// the process), and says on stderr what does not work when the windows will
// run on Wayland. Call before the application is initialised.
void ApplyDisplayPlatform(int& argc, char**& argv);

}  // namespace lumvex
