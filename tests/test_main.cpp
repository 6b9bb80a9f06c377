// Runs the suites with a toolkit application on Qt's offscreen platform, so
// window tests need no display.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "Program.h"
#include "platform/services/Application.h"

namespace {

// Every test starts without windows and from the viewer's first state.
class WindowsPerTest : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override { lumvex::DestroyWindows(); }
};

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The settings store of the tests lives in a folder of their own, never
    // in the user's configuration.
    std::string registry;
    char pattern[] = "/tmp/lumvex-test-registry-XXXXXX";
    if (!getenv("LUMVEX_REGISTRY_DIR") && mkdtemp(pattern)) {
        registry = pattern;
        setenv("LUMVEX_REGISTRY_DIR", pattern, 1);
    }
    // Nor do the desktop's file associations that the options write.
    std::string desktop;
    char desktopPattern[] = "/tmp/lumvex-test-desktop-XXXXXX";
    if (mkdtemp(desktopPattern)) {
        desktop = desktopPattern;
        setenv("XDG_DATA_HOME", (desktop + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (desktop + "/config").c_str(), 1);
    }
    testing::InitGoogleTest(&argc, argv);
    lumvex::Application.Initialize(argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new WindowsPerTest);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    if (!registry.empty()) std::filesystem::remove_all(registry, ignored);
    if (!desktop.empty()) std::filesystem::remove_all(desktop, ignored);
    return result;
}
