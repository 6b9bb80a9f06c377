// Runs the suites with a toolkit application on Qt's offscreen platform, so
// window tests need no display.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "Program.h"
#include "platform/services/Application.h"

namespace {

// Every test starts without windows, from the viewer's first state, and with
// an empty settings store and desktop folder.
class WindowsPerTest : public testing::EmptyTestEventListener {
public:
    explicit WindowsPerTest(std::vector<std::string> scratch) : scratch_(std::move(scratch)) {}

private:
    void OnTestEnd(const testing::TestInfo&) override {
        lumvex::DestroyWindows();
        std::error_code ignored;
        for (const std::string& folder : scratch_)
            for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
                std::filesystem::remove_all(entry.path(), ignored);
    }
    std::vector<std::string> scratch_;
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
    // Nor do the desktop's file associations that the options write, nor the
    // thumbnails the browser keeps.
    std::string desktop;
    char desktopPattern[] = "/tmp/lumvex-test-desktop-XXXXXX";
    if (mkdtemp(desktopPattern)) {
        desktop = desktopPattern;
        setenv("XDG_DATA_HOME", (desktop + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (desktop + "/config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (desktop + "/cache").c_str(), 1);
    }
    testing::InitGoogleTest(&argc, argv);
    lumvex::Application.Initialize(argc, argv);
    std::vector<std::string> scratch;
    for (const std::string& folder : {registry, desktop})
        if (!folder.empty()) scratch.push_back(folder);
    testing::UnitTest::GetInstance()->listeners().Append(new WindowsPerTest(scratch));
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    if (!registry.empty()) std::filesystem::remove_all(registry, ignored);
    if (!desktop.empty()) std::filesystem::remove_all(desktop, ignored);
    return result;
}
