// The display system the windows run on: through XWayland where a Wayland
// session has it, a platform the user chose is always kept, and Wayland alone
// is used, with a note, only where there is no X server.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/services/DisplayPlatform.h"

namespace lumvex {
namespace {

TEST(DisplayPlatform, AWaylandSessionWithXWaylandRunsThroughIt) {
    auto choice = ChooseDisplayPlatform(nullptr, "wayland-0", ":0");
    EXPECT_EQ(choice.Platform, "xcb");
    EXPECT_FALSE(choice.OnWayland);
    // An empty QT_QPA_PLATFORM chooses nothing.
    EXPECT_EQ(ChooseDisplayPlatform("", "wayland-0", ":0").Platform, "xcb");
    // A plain X session runs on X as well.
    EXPECT_EQ(ChooseDisplayPlatform(nullptr, nullptr, ":1").Platform, "xcb");
}

TEST(DisplayPlatform, ThePlatformTheUserChoseWins) {
    for (const char* chosen : {"wayland", "offscreen", "xcb", "wayland-egl", "vnc"}) {
        const auto choice = ChooseDisplayPlatform(chosen, "wayland-0", ":0");
        EXPECT_EQ(choice.Platform, "") << chosen << " is left to the toolkit as it is";
        EXPECT_EQ(choice.OnWayland, std::string(chosen).starts_with("wayland")) << chosen;
    }
    const auto argument = ChooseDisplayPlatform(nullptr, "wayland-0", ":0", true);
    EXPECT_EQ(argument.Platform, "");
    EXPECT_FALSE(argument.OnWayland);
}

TEST(DisplayPlatform, WithoutAnXServerWaylandIsUsedAndItsLimitsAreSaid) {
    for (const char* display : {static_cast<const char*>(nullptr), ""}) {
        const auto choice = ChooseDisplayPlatform(nullptr, "wayland-0", display);
        EXPECT_EQ(choice.Platform, "wayland");
        EXPECT_TRUE(choice.OnWayland);
    }
    const std::string note = WaylandLimitsNote;
    for (const char* limit : {"dock", "dragged", "where they were left", "XWayland"})
        EXPECT_NE(note.find(limit), std::string::npos) << limit;
    // No display at all: the toolkit's own choice (and its own message).
    EXPECT_EQ(ChooseDisplayPlatform(nullptr, nullptr, nullptr).Platform, "");
    EXPECT_EQ(ChooseDisplayPlatform(nullptr, "", "").Platform, "");
}

// The environment variables of a test, put back afterwards.
class Environment {
public:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? old : "", old != nullptr});
        if (value) setenv(name, value, 1); else unsetenv(name);
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            if (it->present) setenv(it->name.c_str(), it->value.c_str(), 1); else unsetenv(it->name.c_str());
    }

private:
    struct Saved {
        std::string name, value;
        bool present;
    };
    std::vector<Saved> saved_;
};

TEST(DisplayPlatform, TheChoiceReachesTheToolkitsCommandLineAndTheEnvironmentStaysAsItWas) {
    Environment environment;
    environment.Set("QT_QPA_PLATFORM", nullptr);
    environment.Set("WAYLAND_DISPLAY", "wayland-0");
    environment.Set("DISPLAY", ":0");
    char program[] = "lumvex", picture[] = "/tmp/a b.jpg";
    char* original[] = {program, picture, nullptr};
    int argc = 2;
    char** argv = original;
    ApplyDisplayPlatform(argc, argv);
    ASSERT_EQ(argc, 4);
    EXPECT_STREQ(argv[0], "lumvex");
    EXPECT_STREQ(argv[1], "/tmp/a b.jpg");
    EXPECT_STREQ(argv[2], "-platform");
    EXPECT_STREQ(argv[3], "xcb");
    EXPECT_EQ(argv[4], nullptr);
    // Programs the viewer starts (the editor, the browser) see the user's environment.
    EXPECT_EQ(std::getenv("QT_QPA_PLATFORM"), nullptr);

    // The user's platform: the command line is left alone.
    environment.Set("QT_QPA_PLATFORM", "offscreen");
    argc = 2;
    argv = original;
    ApplyDisplayPlatform(argc, argv);
    EXPECT_EQ(argc, 2);
    EXPECT_EQ(argv, original);
}

}  // namespace
}  // namespace lumvex
