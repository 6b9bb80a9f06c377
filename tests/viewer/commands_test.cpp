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
        MainWindow->SetBounds(100, 50, 632, 446);
        MainWindow->Activate();
        test_input::ProcessEventsFor(20);
        MainWindow->ClearMarks();
        Show(0);
    }
    static void Show(int index) {
        FileWindow->FileListBox->SetItemIndex(index);
        FileWindow->FileListBoxChange();
    }
    static int Current() { return FileWindow->FileListBox->ItemIndex(); }
    std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
};

TEST_F(Commands, SpaceAndBackspaceStepThroughTheFolderWithWrapAround) {
    ASSERT_TRUE(MainWindow->Active());
    test_input::SendKey(*MainWindow, VK_SPACE);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - b.bmp");
    test_input::SendKey(*MainWindow, VK_SPACE);
    test_input::SendKey(*MainWindow, VK_SPACE);
    EXPECT_EQ(Current(), 0);
    test_input::SendKey(*MainWindow, VK_BACK);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - c.bmp");
    // With the overlay empty each shown file becomes the only mark.
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 1);
    EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(2));
}

TEST_F(Commands, SteppingKeepsTheMarksWhileTheOverlayShowsThem) {
    test_input::SendKey(*MainWindow, VK_INSERT);  // unmarks a.bmp, marked when shown
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 0);
    EXPECT_FALSE(MainWindow->SelectLabel->Visible());
    test_input::SendKey(*MainWindow, VK_INSERT);
    test_input::SendKey(*MainWindow, VK_SPACE);
    test_input::SendKey(*MainWindow, VK_INSERT);
    EXPECT_EQ(MainWindow->SelectLabel->Caption(), "a.bmp; b.bmp; ");
    EXPECT_TRUE(MainWindow->SelectLabel->Visible());
    EXPECT_EQ(TransformationsWindow->fileindex->Caption(), "2");
    test_input::SendKey(*MainWindow, VK_SPACE);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 2);
    EXPECT_FALSE(TransformationsWindow->FileListBox->Selected(2));
    test_input::SendKey(*MainWindow, VK_HOME);
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 0);
    EXPECT_FALSE(MainWindow->SelectLabel->Visible());
}

TEST_F(Commands, TheOverlayWrapsToTheWindowWidth) {
    MainWindow->SetBounds(100, 50, 300, 446);
    for (int i = 0; i < 3; ++i) TransformationsWindow->FileListBox->SetSelected(i, true);
    MainWindow->SetSelectLabel();
    TBitmap measure(1, 1);
    measure.Canvas().Font = MainWindow->Font();
    const int textWidth = measure.Canvas().TextWidth(MainWindow->SelectLabel->Caption());
    if (textWidth > 284) {
        EXPECT_EQ(MainWindow->SelectLabel->Width(), 284);
        const int lineHeight = measure.Canvas().TextHeight("a");
        EXPECT_EQ(MainWindow->SelectLabel->Height(), lineHeight * (textWidth / 284 + 2) + 4);
    }
    EXPECT_EQ(MainWindow->SelectLabel2->BoundsRect().Width(), MainWindow->SelectLabel->Width());
    EXPECT_EQ(MainWindow->SelectLabel5->Caption(), MainWindow->SelectLabel->Caption());
}

TEST_F(Commands, EnterFromTheFileWindowHidesItAndSpaceThereDoesNotStep) {
    MainWindow->ViewCommand(7);
    ASSERT_TRUE(FileWindow->Visible());
    EXPECT_TRUE(Viewer.FileWindowShown);
    FileWindow->Activate();
    test_input::ProcessEventsFor(20);
    test_input::SendKey(*FileWindow->FileListBox, VK_SPACE);
    EXPECT_EQ(Current(), 0);
    test_input::SendKey(*FileWindow->FileListBox, VK_RETURN);
    EXPECT_FALSE(FileWindow->Visible());
    EXPECT_FALSE(Viewer.FileWindowShown);
}

TEST_F(Commands, AnArrowHeldInAnotherWindowStaysHeldUntilReleasedInTheMainWindow) {
    std::uint16_t key = VK_RIGHT;
    FileWindow->FormKeyDown(FileWindow->FileListBox, key, 0);
    EXPECT_TRUE(Viewer.KeyHeld[VK_RIGHT]);
    test_input::SendKeyDown(*MainWindow, VK_RIGHT);
    test_input::SendKeyUp(*MainWindow, VK_RIGHT);
    EXPECT_FALSE(Viewer.KeyHeld[VK_RIGHT]);
}

TEST_F(Commands, NumpadPlusAndMinusZoom) {
    MainWindow->nyjtas1Click(MainWindow->Kzpen1);
    test_input::SendKey(*MainWindow, VK_ADD);
    EXPECT_EQ(Viewer.FitMode, 4);
    EXPECT_EQ(Viewer.ZoomSteps, 1);
    test_input::SendKey(*MainWindow, VK_SUBTRACT);
    test_input::SendKey(*MainWindow, VK_SUBTRACT);
    EXPECT_EQ(Viewer.ZoomSteps, -1);
    MainWindow->nyjtas1Click(MainWindow->nyjtas1);
}

TEST_F(Commands, FullScreenHidesTheBarsAndRestoresTheNormalBounds) {
    MainWindow->SetWindowState(wsMaximized);
    test_input::SendKey(*MainWindow, 'F');
    EXPECT_TRUE(Viewer.FullScreen);
    EXPECT_EQ(MainWindow->BoundsRect(), Bounds(0, 0, TestScreenWidth, TestScreenHeight));
    EXPECT_FALSE(MainWindow->TopImage->Visible());
    EXPECT_FALSE(MainWindow->MorphButton7->Visible());
    EXPECT_EQ(Viewer.AreaTop, 0);
    EXPECT_EQ(Viewer.AreaHeight, TestScreenHeight);
    EXPECT_EQ(MainWindow->FormStyle(), fsStayOnTop);
    // Dragging in full screen does nothing.
    MainWindow->ImageMouseMove(MainWindow->Image, ssLeft, 5, 5);
    MainWindow->ImageMouseMove(MainWindow->Image, ssLeft, 50, 50);
    EXPECT_EQ(MainWindow->Left(), 0);
    test_input::SendDblClick(*MainWindow->Image, 10, 10);
    EXPECT_FALSE(Viewer.FullScreen);
    EXPECT_EQ(MainWindow->BoundsRect(), Bounds(100, 50, 632, 446));
    EXPECT_TRUE(MainWindow->TopImage->Visible());
    EXPECT_EQ(Viewer.AreaHeight, 410);
    EXPECT_EQ(MainWindow->FormStyle(), fsStayOnTop);
}

TEST_F(Commands, DraggingMovesTheWindowAndTheDockedFileWindow) {
    FileWindow->Undocked = false;
    test_input::SendMouseMove(*MainWindow->TopImage, 30, 5, ssLeft);
    test_input::SendMouseMove(*MainWindow->TopImage, 50, 15, ssLeft);
    EXPECT_EQ(MainWindow->Left(), 120);
    EXPECT_EQ(MainWindow->Top(), 60);
    EXPECT_EQ(FileWindow->Left(), 120 + 632);
    EXPECT_EQ(FileWindow->Top(), 60);
    test_input::SendMouseMove(*MainWindow->TopImage, 50, 15, 0);
    EXPECT_FALSE(Viewer.Drag.Dragging());
    // A maximised window is not dragged.
    MainWindow->SetWindowState(wsMaximized);
    MainWindow->ImageMouseMove(MainWindow->Image, ssLeft, 5, 5);
    MainWindow->ImageMouseMove(MainWindow->Image, ssLeft, 50, 50);
    EXPECT_FALSE(Viewer.Drag.Dragging());
    MainWindow->SetWindowState(wsNormal);
}

TEST_F(Commands, TheSizeGripKeepsAtLeast100By37) {
    Mouse.SetTestCursorPos(TPoint{110, 60});
    MainWindow->Shape1MouseMove(MainWindow->sizer, ssLeft, 0, 0);
    EXPECT_EQ(MainWindow->Width(), 100);
    EXPECT_EQ(MainWindow->Height(), 37);
    Mouse.SetTestCursorPos(TPoint{100 + 700, 50 + 500});
    MainWindow->Shape1MouseMove(MainWindow->sizer, ssLeft, 0, 0);
    EXPECT_EQ(MainWindow->Width(), 708);
    EXPECT_EQ(MainWindow->Height(), 508);
    MainWindow->Shape1MouseUp(MainWindow->sizer, mbLeft, 0, 0, 0);
    EXPECT_EQ(FileWindow->Height(), 508);
    Mouse.SetTestCursorPos(std::nullopt);
}

TEST_F(Commands, BackgroundSwitchesBetweenBlackAndWhite) {
    OptionsWindow->CheckBox3->SetChecked(true);
    MainWindow->ViewCommand(15);
    EXPECT_EQ(MainWindow->Color(), clWhite);
    EXPECT_EQ(MainWindow->border->Pen().Color, clBlack);
    EXPECT_FALSE(MainWindow->BackLogo->Visible());
    MainWindow->ViewCommand(15);
    EXPECT_EQ(MainWindow->Color(), clBlack);
    EXPECT_EQ(MainWindow->border->Pen().Color, clWhite);
    EXPECT_FALSE(OptionsWindow->CheckBox3->Checked());
}

TEST_F(Commands, TheEditorGetsThePathAsOneArgumentInTheProgramsFolder) {
    ScriptedShell shell;
    OptionsWindow->Edit1->SetText("/opt/tools/painter");
    ASSERT_TRUE(MainWindow->Active());
    test_input::SendKey(*MainWindow, 'E');
    ASSERT_EQ(shell.Calls.size(), 1u);
    EXPECT_EQ(shell.Calls[0].Verb, "Open");
    EXPECT_EQ(shell.Calls[0].Program, "painter");
    EXPECT_EQ(shell.Calls[0].Folder, "/opt/tools/");
    EXPECT_EQ(shell.Calls[0].Arguments, std::vector<std::string>{dir->File("a.bmp")});
    OptionsWindow->Edit1->SetText("mspaint");
}

TEST_F(Commands, AnEditorThatCannotStartIsReportedByName) {
    ScriptedShell shell;
    shell.Succeeds = false;
    RecordedErrors errors;
    ASSERT_TRUE(MainWindow->Active());
    test_input::SendKey(*MainWindow, 'E');
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find("\"mspaint\""), std::string::npos) << errors.Messages[0];
}

TEST_F(Commands, TitleBarDoubleClickAndUnknownNumbersDoNothing) {
    const TRect before = MainWindow->BoundsRect();
    test_input::SendDblClick(*MainWindow->TopLabel);
    MainWindow->ViewCommand(5);
    MainWindow->ViewCommand(42);
    EXPECT_EQ(MainWindow->BoundsRect(), before);
    EXPECT_FALSE(Viewer.FullScreen);
    EXPECT_EQ(MainWindow->WindowState(), wsNormal);
}

TEST_F(Commands, OtherWindowsPassTheirKeysOn) {
    const bool shown = TransformationsWindow->Visible();
    std::uint16_t key = VK_DECIMAL;
    OptionsWindow->FormKeyDown(OptionsWindow, key, 0);
    EXPECT_NE(TransformationsWindow->Visible(), shown);
    TransformationsWindow->FormKeyDown(TransformationsWindow, key, 0);
    EXPECT_EQ(TransformationsWindow->Visible(), shown);
}

}  // namespace
