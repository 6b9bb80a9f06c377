// The file window: the picture named on the command line, docking, dragging
// and rolling up.
#include <gtest/gtest.h>

#include <memory>

#include "ViewerSupport.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class FileWindow : public testing::Test {
protected:
    void SetUp() override { StartWindows(); }
    void StartWindows() {
        WriteBmp(*start, "first.bmp", 20, 20, clRed);
        WriteBmp(*pictures, "a.bmp", 30, 20, clGreen);
        WriteBmp(*pictures, "Photo.bmp", 50, 40, clBlue);
        StartViewer(start->Path(), pictures->File("Photo.bmp"));
    }
    // Starts over as the program does with another command line.
    static void RestartWith(const std::string& picture) {
        Viewer.CommandLinePicture = picture;
        Viewer.StartFilePending = true;
        Form2->FileListBox->SetItemIndex(0);
        Form2->FileListBoxChange();
    }
    std::unique_ptr<TempDir> start = std::make_unique<TempDir>();
    std::unique_ptr<TempDir> pictures = std::make_unique<TempDir>();
};

TEST_F(FileWindow, ShowsThePictureNamedOnTheCommandLine) {
    EXPECT_FALSE(Viewer.StartFilePending);
    EXPECT_EQ(Form2->DirectoryListBox->Directory(), pictures->Path());
    EXPECT_EQ(Form2->FileListBox->ItemIndex(), 1);
    EXPECT_EQ(Form2->FileName->Caption(), pictures->File("Photo.bmp"));
    EXPECT_EQ(Form1->TopLabel->Caption(), "Lumvex - Photo.bmp");
    EXPECT_EQ(Viewer.PictureWidth, 50);
    EXPECT_EQ(Form3->FileListBox->SelCount(), 1);
    EXPECT_TRUE(Form3->FileListBox->Selected(1));
    EXPECT_FALSE(Form2->Visible());
}

TEST_F(FileWindow, FindsTheStartNameOnlyWithItsExactLetterCase) {
    RestartWith(pictures->File("photo.bmp"));
    EXPECT_FALSE(Viewer.StartFilePending);
    EXPECT_EQ(Form2->FileListBox->ItemIndex(), -1);
    EXPECT_EQ(Form2->FileName->Caption(), "");
    EXPECT_EQ(Form3->FileListBox->SelCount(), 0);
}

TEST_F(FileWindow, ShowsTheStartPictureWhenStartedFromAFolderWithoutPictures) {
    TempDir empty;
    Form2->DirectoryListBox->SetDirectory(empty.Path());
    ASSERT_EQ(Form2->FileListBox->Count(), 0);
    RestartWith(pictures->File("a.bmp"));  // the list has nothing to select
    EXPECT_FALSE(Viewer.StartFilePending);
    EXPECT_EQ(Form2->DirectoryListBox->Directory(), pictures->Path());
    EXPECT_EQ(Form2->FileListBox->ItemIndex(), 0);
    EXPECT_EQ(Form1->TopLabel->Caption(), "Lumvex - a.bmp");
    EXPECT_EQ(Viewer.PictureWidth, 30);
    // The next choice shows that file, not the start file again.
    Form2->FileListBox->SetItemIndex(1);
    Form2->FileListBoxChange();
    EXPECT_EQ(Form1->TopLabel->Caption(), "Lumvex - Photo.bmp");
}

TEST_F(FileWindow, AMissingStartFolderReachesTheErrorBoxAndClearsTheFlag) {
    RecordedErrors errors;
    Form2->FileListBox->SetItemIndex(0);
    Viewer.CommandLinePicture = pictures->File("no such folder/x.bmp");
    Viewer.StartFilePending = true;
    Application.Dispatch([] { Form2->FileListBoxChange(); });
    EXPECT_EQ(errors.Messages.size(), 1u);
    EXPECT_FALSE(Viewer.StartFilePending);
    // Later choices work as usual.
    Form2->FileListBox->SetItemIndex(0);
    Form2->FileListBoxChange();
    EXPECT_EQ(Form1->TopLabel->Caption(), "Lumvex - " + Form2->FileListBox->Items()[0]);
}

TEST_F(FileWindow, DocksOnTheRightOrOnTheLeftWhenTheRightHasNoRoom) {
    Form2->Undocked = true;
    Form1->SetBounds(100, 40, 632, 446);
    Form2->MorphButton2Click(nullptr);
    EXPECT_FALSE(Form2->Undocked);
    EXPECT_EQ(Form2->Left(), 732);
    EXPECT_EQ(Form2->Top(), 40);

    Form1->SetBounds(TestScreenWidth - 632, 40, 632, 446);
    Form2->Undocked = true;
    Form2->MorphButton2Click(nullptr);
    EXPECT_EQ(Form2->Left(), TestScreenWidth - 632 - Form2->Width());
    // Undocking leaves the window where it is.
    Form2->MorphButton2Click(nullptr);
    EXPECT_TRUE(Form2->Undocked);
    EXPECT_EQ(Form2->Left(), TestScreenWidth - 632 - Form2->Width());
    Form2->Undocked = false;
}

TEST_F(FileWindow, DraggingTheDockedWindowBringsTheMainWindowAlong) {
    Form1->SetBounds(100, 40, 632, 446);
    Form2->SetBounds(20, 60, Form2->Width(), Form2->Height());  // on the left before
    Form2->Undocked = false;
    Form2->BackImageMouseMove(Form2->BackImage, ssLeft, 10, 10);
    Form2->BackImageMouseMove(Form2->BackImage, ssLeft, 40, 15);
    EXPECT_EQ(Form2->Left(), 50);
    EXPECT_EQ(Form2->Top(), 65);
    EXPECT_EQ(Form1->Left() + Form1->Width(), Form2->Left());
    EXPECT_EQ(Form1->Top(), Form2->Top());
    Form2->BackImageMouseMove(Form2->BackImage, 0, 40, 15);

    // While the main window is as wide as the screen the file window moves alone.
    Form1->SetBounds(0, 0, TestScreenWidth, 500);
    Form2->BackImageMouseMove(Form2->BackImage, ssLeft, 10, 10);
    Form2->BackImageMouseMove(Form2->BackImage, ssLeft, 20, 10);
    EXPECT_EQ(Form1->Left(), 0);
    Form2->BackImageMouseMove(Form2->BackImage, 0, 20, 10);
    Form1->SetBounds(100, 40, 632, 446);
}

TEST_F(FileWindow, RollsUpToItsTitleBarAndBackToTheSavedHeight) {
    Form2->SetHeight(446);
    Form2->TopLabelDblClick(Form2->TopLabel);
    EXPECT_EQ(Form2->Height(), 18);
    Form2->TopLabelDblClick(Form2->TopImage);
    EXPECT_EQ(Form2->Height(), 446);
    // Made 18 high by something else: the last saved height comes back.
    Form2->SetHeight(18);
    Form2->TopLabelDblClick(Form2->TopLabel);
    EXPECT_EQ(Form2->Height(), 446);
}

TEST_F(FileWindow, CloseHidesAndKeepsTheSelection) {
    Form2->Show();
    const int index = Form2->FileListBox->ItemIndex();
    Form2->MorphButton1Click(Form2->MorphButton1);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_EQ(Form2->FileListBox->ItemIndex(), index);
}

}  // namespace
