// Dimming the main and file windows while another window than the program's
// own four is active.
#include <gtest/gtest.h>

#include <memory>

#include "appearance/AboutWindow.h"
#include "ViewerSupport.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class Dim : public testing::Test {
protected:
    void StartWindows() {
        StartViewer(dir->Path());
        MainWindow->Timer.SetEnabled(false);  // the test counts the ticks itself
        for (int tick = 0; tick < 100; ++tick) MainWindow->FadeWorks.Tick();
        for (int tick = 0; tick < 50; ++tick) FileWindow->FadeWorks.Tick();
    }
    void SetUp() override {
        StartWindows();
        Viewer.FadeInactive = true;
        Viewer.ColorDialogOpen = false;
        Activate(MainWindow);
        MainWindow->DimInactiveWindows();
        ASSERT_FALSE(Viewer.Dimming);
    }
    static void Activate(TForm* form) {
        form->Activate();
        test_input::ProcessEventsFor(10);
    }
    static void Ticks(int count) {
        for (int i = 0; i < count; ++i) MainWindow->DimInactiveWindows();
    }
    std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
};

TEST_F(Dim, StaysOpaqueFor346TicksThenDimsStepByStepTo160) {
    TransformationsWindow->Show();
    Activate(AboutWindow);  // the about window does not count as the program's
    Ticks(346);
    EXPECT_TRUE(Viewer.Dimming);
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 255);
    Ticks(1);
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 254);
    EXPECT_EQ(FileWindow->AlphaBlendValue(), 254);
    Ticks(93);
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 161);
    EXPECT_TRUE(TransformationsWindow->Visible());
    Ticks(1);
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 160);
    EXPECT_FALSE(TransformationsWindow->Visible());
    Ticks(50);
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 160);

    Activate(MainWindow);
    Ticks(1);
    EXPECT_FALSE(Viewer.Dimming);
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 255);
    EXPECT_EQ(FileWindow->AlphaBlendValue(), 255);
    EXPECT_TRUE(TransformationsWindow->Visible());
    TransformationsWindow->Hide();
}

TEST_F(Dim, AToolWindowHiddenByTheUserStaysHidden) {
    TransformationsWindow->Hide();
    Activate(AboutWindow);
    Ticks(500);
    Activate(MainWindow);
    Ticks(1);
    EXPECT_FALSE(TransformationsWindow->Visible());
}

TEST_F(Dim, AnOpenColourDialogOrTheOptionOffKeepsTheWindowsOpaque) {
    Viewer.ColorDialogOpen = true;
    Activate(AboutWindow);
    Ticks(500);
    EXPECT_FALSE(Viewer.Dimming);
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 255);
    Viewer.ColorDialogOpen = false;
    Viewer.FadeInactive = false;
    Ticks(500);
    EXPECT_FALSE(Viewer.Dimming);
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 255);
}

}  // namespace
