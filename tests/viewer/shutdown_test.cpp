// The two ways the program ends each store the settings once: the close
// command saves and removes the window without the platform's close, the
// platform's close runs FormClose.
#include <gtest/gtest.h>

#include "ViewerSupport.h"

using namespace lumvex;
using namespace lumvex::test;

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
