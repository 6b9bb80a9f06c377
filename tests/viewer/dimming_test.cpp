// Dimming the main and file windows while another window than the program's
// own four is active.
#include <gtest/gtest.h>

#include <memory>

#include "appearance/Unit5.h"
#include "ViewerSupport.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class Dim : public testing::Test {
protected:
    void StartWindows() {
        StartViewer(dir->Path());
        Form1->Timer.SetEnabled(false);  // the test counts the ticks itself
        for (int tick = 0; tick < 100; ++tick) Form1->FadeWorks.Tick();
        for (int tick = 0; tick < 50; ++tick) Form2->FadeWorks.Tick();
    }
    void SetUp() override {
        StartWindows();
        Viewer.FadeInactive = true;
        Viewer.ColorDialogOpen = false;
        Activate(Form1);
        Form1->DimInactiveWindows();
        ASSERT_FALSE(Viewer.Dimming);
    }
    static void Activate(TForm* form) {
        form->Activate();
        test_input::ProcessEventsFor(10);
    }
    static void Ticks(int count) {
        for (int i = 0; i < count; ++i) Form1->DimInactiveWindows();
    }
    std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
};

TEST_F(Dim, StaysOpaqueFor346TicksThenDimsStepByStepTo160) {
    Form3->Show();
    Activate(Form5);  // the about window does not count as the program's
    Ticks(346);
    EXPECT_TRUE(Viewer.Dimming);
    EXPECT_EQ(Form1->AlphaBlendValue(), 255);
    Ticks(1);
    EXPECT_EQ(Form1->AlphaBlendValue(), 254);
    EXPECT_EQ(Form2->AlphaBlendValue(), 254);
    Ticks(93);
    EXPECT_EQ(Form1->AlphaBlendValue(), 161);
    EXPECT_TRUE(Form3->Visible());
    Ticks(1);
    EXPECT_EQ(Form1->AlphaBlendValue(), 160);
    EXPECT_FALSE(Form3->Visible());
    Ticks(50);
    EXPECT_EQ(Form1->AlphaBlendValue(), 160);

    Activate(Form1);
    Ticks(1);
    EXPECT_FALSE(Viewer.Dimming);
    EXPECT_EQ(Form1->AlphaBlendValue(), 255);
    EXPECT_EQ(Form2->AlphaBlendValue(), 255);
    EXPECT_TRUE(Form3->Visible());
    Form3->Hide();
}

TEST_F(Dim, AToolWindowHiddenByTheUserStaysHidden) {
    Form3->Hide();
    Activate(Form5);
    Ticks(500);
    Activate(Form1);
    Ticks(1);
    EXPECT_FALSE(Form3->Visible());
}

TEST_F(Dim, AnOpenColourDialogOrTheOptionOffKeepsTheWindowsOpaque) {
    Viewer.ColorDialogOpen = true;
    Activate(Form5);
    Ticks(500);
    EXPECT_FALSE(Viewer.Dimming);
    EXPECT_EQ(Form1->AlphaBlendValue(), 255);
    Viewer.ColorDialogOpen = false;
    Viewer.FadeInactive = false;
    Ticks(500);
    EXPECT_FALSE(Viewer.Dimming);
    EXPECT_EQ(Form1->AlphaBlendValue(), 255);
}

}  // namespace
