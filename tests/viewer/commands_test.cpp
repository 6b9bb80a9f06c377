// The main window's commands, keys and mouse, driven by real key and mouse
// events where the user would use them.
#include <gtest/gtest.h>

#include <memory>

#include "ViewerSupport.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/Shell.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class Commands : public testing::Test {
protected:
    void StartWindows() {
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WriteBmp(*dir, name, 40, 30, clGreen);
        StartViewer(dir->Path());
    }
    void SetUp() override {
        StartWindows();
        Form1->SetBounds(100, 50, 632, 446);
        Form1->Activate();
        test_input::ProcessEventsFor(20);
        Form1->ClearMarks();
        Show(0);
    }
    static void Show(int index) {
        Form2->FileListBox->SetItemIndex(index);
        Form2->FileListBoxChange();
    }
    static int Current() { return Form2->FileListBox->ItemIndex(); }
    std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
};

TEST_F(Commands, SpaceAndBackspaceStepThroughTheFolderWithWrapAround) {
    ASSERT_TRUE(Form1->Active());
    test_input::SendKey(*Form1, VK_SPACE);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(Form1->TopLabel->Caption(), "Lumvex - b.bmp");
    test_input::SendKey(*Form1, VK_SPACE);
    test_input::SendKey(*Form1, VK_SPACE);
    EXPECT_EQ(Current(), 0);
    test_input::SendKey(*Form1, VK_BACK);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(Form1->TopLabel->Caption(), "Lumvex - c.bmp");
    // With the overlay empty each shown file becomes the only mark.
    EXPECT_EQ(Form3->FileListBox->SelCount(), 1);
    EXPECT_TRUE(Form3->FileListBox->Selected(2));
}

TEST_F(Commands, SteppingKeepsTheMarksWhileTheOverlayShowsThem) {
    test_input::SendKey(*Form1, VK_INSERT);  // unmarks a.bmp, marked when shown
    EXPECT_EQ(Form3->FileListBox->SelCount(), 0);
    EXPECT_FALSE(Form1->SelectLabel->Visible());
    test_input::SendKey(*Form1, VK_INSERT);
    test_input::SendKey(*Form1, VK_SPACE);
    test_input::SendKey(*Form1, VK_INSERT);
    EXPECT_EQ(Form1->SelectLabel->Caption(), "a.bmp; b.bmp; ");
    EXPECT_TRUE(Form1->SelectLabel->Visible());
    EXPECT_EQ(Form3->fileindex->Caption(), "2");
    test_input::SendKey(*Form1, VK_SPACE);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(Form3->FileListBox->SelCount(), 2);
    EXPECT_FALSE(Form3->FileListBox->Selected(2));
    test_input::SendKey(*Form1, VK_HOME);
    EXPECT_EQ(Form3->FileListBox->SelCount(), 0);
    EXPECT_FALSE(Form1->SelectLabel->Visible());
}

TEST_F(Commands, TheOverlayWrapsToTheWindowWidth) {
    Form1->SetBounds(100, 50, 300, 446);
    for (int i = 0; i < 3; ++i) Form3->FileListBox->SetSelected(i, true);
    Form1->SetSelectLabel();
    TBitmap measure(1, 1);
    measure.Canvas().Font = Form1->Font();
    const int textWidth = measure.Canvas().TextWidth(Form1->SelectLabel->Caption());
    if (textWidth > 284) {
        EXPECT_EQ(Form1->SelectLabel->Width(), 284);
        const int lineHeight = measure.Canvas().TextHeight("a");
        EXPECT_EQ(Form1->SelectLabel->Height(), lineHeight * (textWidth / 284 + 2) + 4);
    }
    EXPECT_EQ(Form1->SelectLabel2->BoundsRect().Width(), Form1->SelectLabel->Width());
    EXPECT_EQ(Form1->SelectLabel5->Caption(), Form1->SelectLabel->Caption());
}

TEST_F(Commands, EnterFromTheFileWindowHidesItAndSpaceThereDoesNotStep) {
    Form1->ViewCommand(7);
    ASSERT_TRUE(Form2->Visible());
    EXPECT_TRUE(Viewer.FileWindowShown);
    Form2->Activate();
    test_input::ProcessEventsFor(20);
    test_input::SendKey(*Form2->FileListBox, VK_SPACE);
    EXPECT_EQ(Current(), 0);
    test_input::SendKey(*Form2->FileListBox, VK_RETURN);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_FALSE(Viewer.FileWindowShown);
}

TEST_F(Commands, AnArrowHeldInAnotherWindowStaysHeldUntilReleasedInTheMainWindow) {
    std::uint16_t key = VK_RIGHT;
    Form2->FormKeyDown(Form2->FileListBox, key, 0);
    EXPECT_TRUE(Viewer.KeyHeld[VK_RIGHT]);
    test_input::SendKeyDown(*Form1, VK_RIGHT);
    test_input::SendKeyUp(*Form1, VK_RIGHT);
    EXPECT_FALSE(Viewer.KeyHeld[VK_RIGHT]);
}

TEST_F(Commands, NumpadPlusAndMinusZoom) {
    Form1->nyjtas1Click(Form1->Kzpen1);
    test_input::SendKey(*Form1, VK_ADD);
    EXPECT_EQ(Viewer.FitMode, 4);
    EXPECT_EQ(Viewer.ZoomSteps, 1);
    test_input::SendKey(*Form1, VK_SUBTRACT);
    test_input::SendKey(*Form1, VK_SUBTRACT);
    EXPECT_EQ(Viewer.ZoomSteps, -1);
    Form1->nyjtas1Click(Form1->nyjtas1);
}

TEST_F(Commands, FullScreenHidesTheBarsAndRestoresTheNormalBounds) {
    Form1->SetWindowState(wsMaximized);
    test_input::SendKey(*Form1, 'F');
    EXPECT_TRUE(Viewer.FullScreen);
    EXPECT_EQ(Form1->BoundsRect(), Bounds(0, 0, TestScreenWidth, TestScreenHeight));
    EXPECT_FALSE(Form1->TopImage->Visible());
    EXPECT_FALSE(Form1->MorphButton7->Visible());
    EXPECT_EQ(Viewer.AreaTop, 0);
    EXPECT_EQ(Viewer.AreaHeight, TestScreenHeight);
    EXPECT_EQ(Form1->FormStyle(), fsStayOnTop);
    // Dragging in full screen does nothing.
    Form1->ImageMouseMove(Form1->Image, ssLeft, 5, 5);
    Form1->ImageMouseMove(Form1->Image, ssLeft, 50, 50);
    EXPECT_EQ(Form1->Left(), 0);
    test_input::SendDblClick(*Form1->Image, 10, 10);
    EXPECT_FALSE(Viewer.FullScreen);
    EXPECT_EQ(Form1->BoundsRect(), Bounds(100, 50, 632, 446));
    EXPECT_TRUE(Form1->TopImage->Visible());
    EXPECT_EQ(Viewer.AreaHeight, 410);
    EXPECT_EQ(Form1->FormStyle(), fsStayOnTop);
}

TEST_F(Commands, DraggingMovesTheWindowAndTheDockedFileWindow) {
    Form2->Undocked = false;
    test_input::SendMouseMove(*Form1->TopImage, 30, 5, ssLeft);
    test_input::SendMouseMove(*Form1->TopImage, 50, 15, ssLeft);
    EXPECT_EQ(Form1->Left(), 120);
    EXPECT_EQ(Form1->Top(), 60);
    EXPECT_EQ(Form2->Left(), 120 + 632);
    EXPECT_EQ(Form2->Top(), 60);
    test_input::SendMouseMove(*Form1->TopImage, 50, 15, 0);
    EXPECT_FALSE(Viewer.Drag.Dragging());
    // A maximised window is not dragged.
    Form1->SetWindowState(wsMaximized);
    Form1->ImageMouseMove(Form1->Image, ssLeft, 5, 5);
    Form1->ImageMouseMove(Form1->Image, ssLeft, 50, 50);
    EXPECT_FALSE(Viewer.Drag.Dragging());
    Form1->SetWindowState(wsNormal);
}

TEST_F(Commands, TheSizeGripKeepsAtLeast100By37) {
    Mouse.SetTestCursorPos(TPoint{110, 60});
    Form1->Shape1MouseMove(Form1->sizer, ssLeft, 0, 0);
    EXPECT_EQ(Form1->Width(), 100);
    EXPECT_EQ(Form1->Height(), 37);
    Mouse.SetTestCursorPos(TPoint{100 + 700, 50 + 500});
    Form1->Shape1MouseMove(Form1->sizer, ssLeft, 0, 0);
    EXPECT_EQ(Form1->Width(), 708);
    EXPECT_EQ(Form1->Height(), 508);
    Form1->Shape1MouseUp(Form1->sizer, mbLeft, 0, 0, 0);
    EXPECT_EQ(Form2->Height(), 508);
    Mouse.SetTestCursorPos(std::nullopt);
}

TEST_F(Commands, BackgroundSwitchesBetweenBlackAndWhite) {
    Form4->CheckBox3->SetChecked(true);
    Form1->ViewCommand(15);
    EXPECT_EQ(Form1->Color(), clWhite);
    EXPECT_EQ(Form1->border->Pen().Color, clBlack);
    EXPECT_FALSE(Form1->BackLogo->Visible());
    Form1->ViewCommand(15);
    EXPECT_EQ(Form1->Color(), clBlack);
    EXPECT_EQ(Form1->border->Pen().Color, clWhite);
    EXPECT_FALSE(Form4->CheckBox3->Checked());
}

TEST_F(Commands, TheEditorGetsThePathAsOneArgumentInTheProgramsFolder) {
    ScriptedShell shell;
    Form4->Edit1->SetText("/opt/tools/painter");
    ASSERT_TRUE(Form1->Active());
    test_input::SendKey(*Form1, 'E');
    ASSERT_EQ(shell.Calls.size(), 1u);
    EXPECT_EQ(shell.Calls[0].Verb, "Open");
    EXPECT_EQ(shell.Calls[0].Program, "painter");
    EXPECT_EQ(shell.Calls[0].Folder, "/opt/tools/");
    EXPECT_EQ(shell.Calls[0].Arguments, std::vector<std::string>{dir->File("a.bmp")});
    Form4->Edit1->SetText("mspaint");
}

TEST_F(Commands, AnEditorThatCannotStartIsReportedByName) {
    ScriptedShell shell;
    shell.Succeeds = false;
    RecordedErrors errors;
    ASSERT_TRUE(Form1->Active());
    test_input::SendKey(*Form1, 'E');
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find("\"mspaint\""), std::string::npos) << errors.Messages[0];
}

TEST_F(Commands, TitleBarDoubleClickAndUnknownNumbersDoNothing) {
    const TRect before = Form1->BoundsRect();
    test_input::SendDblClick(*Form1->TopLabel);
    Form1->ViewCommand(5);
    Form1->ViewCommand(42);
    EXPECT_EQ(Form1->BoundsRect(), before);
    EXPECT_FALSE(Viewer.FullScreen);
    EXPECT_EQ(Form1->WindowState(), wsNormal);
}

TEST_F(Commands, OtherWindowsPassTheirKeysOn) {
    const bool shown = Form3->Visible();
    std::uint16_t key = VK_DECIMAL;
    Form4->FormKeyDown(Form4, key, 0);
    EXPECT_NE(Form3->Visible(), shown);
    Form3->FormKeyDown(Form3, key, 0);
    EXPECT_EQ(Form3->Visible(), shown);
}

}  // namespace
