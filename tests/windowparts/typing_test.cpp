// What is typed into a text box of any window stays in the box: the keys
// that the windows pass on to the main window never fire from there, while
// the same keys outside a text box still act as before.
#include <gtest/gtest.h>

#include "ViewerSupport.h"
#include "navigation/FileWindow.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;
using namespace lumvex::test_input;

namespace {

class Typing : public OnePictureFolderTest {
protected:
    void SetUp() override {
        StartWindows();
        for (int command : {7, 8, 9}) MainWindow->ViewCommand(command);  // the file, options and transformations windows
        ASSERT_TRUE(FileWindow->Visible() && OptionsWindow->Visible() && TransformationsWindow->Visible());
    }
    static void ExpectAllShown(const char* after) {
        EXPECT_TRUE(FileWindow->Visible()) << after;
        EXPECT_TRUE(OptionsWindow->Visible()) << after;
        EXPECT_TRUE(TransformationsWindow->Visible()) << after;
    }
};

TEST_F(Typing, APathTypedIntoTheEditorFieldLandsWholeAndTheWindowStays) {
    OptionsWindow->Edit1->SetText("");
    TypeText(*OptionsWindow->Edit1, "/usr/bin/gimp");
    SendKey(*OptionsWindow->Edit1, VK_RETURN);
    EXPECT_EQ(OptionsWindow->Edit1->Text(), "/usr/bin/gimp");
    ExpectAllShown("typing a path");
    // A mistake mended with Backspace, and the scheme box typed into.
    TypeText(*OptionsWindow->Edit1, "b");
    SendKey(*OptionsWindow->Edit1, VK_BACK);
    OptionsWindow->ComboBox1->SetText("");
    TypeText(*OptionsWindow->ComboBox1, "kék b");
    EXPECT_EQ(OptionsWindow->Edit1->Text(), "/usr/bin/gimp");
    EXPECT_EQ(OptionsWindow->ComboBox1->Text(), "kék b");
    ExpectAllShown("typing a scheme");
}

TEST_F(Typing, SizesTargetsAndFiltersTypedInTheOtherWindowsStayThere) {
    TransformationsWindow->SpinEditW->SetText("");
    TypeText(*TransformationsWindow->SpinEditW, "12");
    SendKey(*TransformationsWindow->SpinEditW, VK_DECIMAL);
    SendKey(*TransformationsWindow->SpinEditW, VK_BACK);
    SendKey(*TransformationsWindow->SpinEditW, VK_RETURN);
    EXPECT_EQ(TransformationsWindow->SpinEditW->Text(), "12");
    // The released keys still keep the height in proportion to the width.
    EXPECT_EQ(TransformationsWindow->SpinEditH->Text(), IntToStr(12 * 30 / 40));
    TransformationsWindow->ComboBox1->SetText("");
    TypeText(*TransformationsWindow->ComboBox1, "bmp-re");
    SendKey(*TransformationsWindow->ComboBox1, VK_RETURN);
    EXPECT_EQ(TransformationsWindow->ComboBox1->Text(), "bmp-re");
    EXPECT_FALSE(TransformationsWindow->TrackBar1->Enabled());
    TypeText(*FileWindow->FilterComboBox, "*b");
    SendKey(*FileWindow->FilterComboBox, VK_NUMPAD0);
    ExpectAllShown("typing sizes, a target and a filter");
}

TEST_F(Typing, KeysOutsideTextBoxesStillActFromEveryWindow) {
    SendKey(*OptionsWindow->CheckBox3, 'B');
    EXPECT_FALSE(OptionsWindow->Visible());
    SendKey(*TransformationsWindow->CheckBox1, VK_DECIMAL);
    EXPECT_FALSE(TransformationsWindow->Visible());
    SendKey(*FileWindow->FileListBox, VK_RETURN);
    EXPECT_FALSE(FileWindow->Visible());
    // An arrow moves the caret in a box, and is still recorded as held.
    SendKeyDown(*OptionsWindow->Edit1, VK_LEFT);
    EXPECT_TRUE(Viewer.KeyHeld[VK_LEFT]);
}

}  // namespace
