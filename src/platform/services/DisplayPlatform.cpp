#include "platform/services/DisplayPlatform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace lumvex {
namespace {

bool Set(const char* value) { return value && *value; }

}  // namespace

const char* const WaylandLimitsNote =
    "lumvex: running on Wayland, where a program cannot place its own windows: they do not move\n"
    "when their bars are dragged, the file window does not dock beside the main window, and the\n"
    "windows do not come back where they were left. Through XWayland all of this works: Lumvex\n"
    "uses it by itself when it is installed and QT_QPA_PLATFORM is not set.\n";

DisplayPlatformChoice ChooseDisplayPlatform(const char* qtPlatform, const char* waylandDisplay, const char* display,
                                            bool userArgument) {
    DisplayPlatformChoice choice;
    if (userArgument) return choice;
    if (Set(qtPlatform)) {
        choice.OnWayland = std::strncmp(qtPlatform, "wayland", 7) == 0;
        return choice;
    }
    if (Set(display)) {
        choice.Platform = "xcb";
    } else if (Set(waylandDisplay)) {
        choice.Platform = "wayland";
        choice.OnWayland = true;
    }
    return choice;
}

void ApplyDisplayPlatform(int& argc, char**& argv) {
    bool userArgument = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) userArgument = true;
    const DisplayPlatformChoice choice = ChooseDisplayPlatform(
        std::getenv("QT_QPA_PLATFORM"), std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"), userArgument);
    if (choice.OnWayland) std::fputs(WaylandLimitsNote, stderr);
    if (choice.Platform.empty()) return;

    // The toolkit keeps a reference to the command line for its whole life.
    static std::vector<char*> arguments;
    static std::string platform;
    platform = choice.Platform;
    arguments.assign(argv, argv + argc);
    arguments.push_back(const_cast<char*>("-platform"));
    arguments.push_back(platform.data());
    arguments.push_back(nullptr);
    argc = static_cast<int>(arguments.size()) - 1;
    argv = arguments.data();
}

}  // namespace lumvex
