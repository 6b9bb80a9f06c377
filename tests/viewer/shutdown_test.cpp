// Closing ends the program on every path and stores the settings once: the
// close command saves and removes the window without the platform's close,
// the platform's close (the window manager's) runs FormClose, and the end of
// the session quits the application, which closes the windows. A save that
// fails is shown once and the program ends all the same.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "ViewerSupport.h"
#include "platform/SysUtils.h"
#include "platform/controls/Timer.h"
#include "platform/services/RegistryFile.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

TEST(Shutdown, TheCloseCommandEndsTheLoopWithoutThePlatformsClose) {
    TempDir dir;
    StartViewer(dir.Path());
    int platformCloses = 0;
    auto formClose = MainWindow->OnClose;
    MainWindow->OnClose = [&](TObject* sender, TCloseAction& action) {
        ++platformCloses;
        formClose(sender, action);
    };
    MainWindow->ViewCommand(1);
    EXPECT_TRUE(Application.Terminated());
    EXPECT_FALSE(MainWindow->HandleAllocated());
    EXPECT_EQ(platformCloses, 0);

    MainWindow->Show();
    MainWindow->Close();
    EXPECT_EQ(platformCloses, 1);
}

// The store's folder turned into a plain file: no store can be written
// there, whoever runs the test. The folder comes back afterwards.
class UnwritableStore {
public:
    UnwritableStore() : folder_(RegistryFolder()) {
        std::filesystem::remove_all(folder_);
        WriteFileAtomically(folder_, "not a folder");
    }
    ~UnwritableStore() {
        std::filesystem::remove(folder_);
        std::filesystem::create_directories(folder_);
    }
    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
};

// Runs the message loop with the started program and closes it from the
// loop, as the user or the desktop would; false when the loop had to be
// ended by force.
bool CloseWhileRunning(const std::function<void()>& close) {
    TTimer closing, watchdog;
    bool forced = false;
    closing.SetInterval(50);
    closing.OnTimer = [&](TObject*) {
        closing.SetEnabled(false);
        close();
    };
    watchdog.SetInterval(5000);
    watchdog.OnTimer = [&](TObject*) {
        watchdog.SetEnabled(false);
        forced = true;
        Application.Terminate();
    };
    Application.Run();
    return !forced;
}

TEST(Shutdown, WithAnUnwritableStoreEveryClosePathShowsTheFailureOnceAndEnds) {
    TempDir dir;
    WriteBmp(dir, "a.bmp", 40, 30, clBlue);
    const struct {
        const char* path;
        std::function<void()> close;
    } paths[] = {
        {"the close button", [] { MainWindow->MorphButton1Click(MainWindow->MorphButton1); }},
        {"the window manager's close", [] { MainWindow->Close(); }},
        {"the end of the session", [] { Application.Terminate(); }},
    };
    for (const auto& path : paths) {
        StartViewer(dir.Path());
        UnwritableStore store;
        RecordedErrors errors;
        EXPECT_TRUE(CloseWhileRunning(path.close)) << path.path << " left the program running";
        EXPECT_TRUE(Application.Terminated()) << path.path;
        EXPECT_FALSE(MainWindow->Visible()) << path.path;
        ASSERT_EQ(errors.Messages.size(), 1u) << path.path;
        EXPECT_NE(errors.Messages[0].find(store.Folder()), std::string::npos) << path.path << ": " << errors.Messages[0];
    }
}

}  // namespace
