// The file window: the picture named on the command line, docking, dragging
// and rolling up.
#include <gtest/gtest.h>

#include <memory>

#include "ViewerSupport.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class FileWindowTest : public testing::Test {
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
        FileWindow->FileListBox->SetItemIndex(0);
        FileWindow->FileListBoxChange();
    }
    std::unique_ptr<TempDir> start = std::make_unique<TempDir>();
    std::unique_ptr<TempDir> pictures = std::make_unique<TempDir>();
};

TEST_F(FileWindowTest, ShowsThePictureNamedOnTheCommandLine) {
    EXPECT_FALSE(Viewer.StartFilePending);
    EXPECT_EQ(FileWindow->DirectoryListBox->Directory(), pictures->Path());
    EXPECT_EQ(FileWindow->FileListBox->ItemIndex(), 1);
    EXPECT_EQ(FileWindow->FileName->Caption(), pictures->File("Photo.bmp"));
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - Photo.bmp");
    EXPECT_EQ(Viewer.PictureWidth, 50);
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 1);
    EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(1));
    EXPECT_FALSE(FileWindow->Visible());
}

TEST_F(FileWindowTest, FindsTheStartNameOnlyWithItsExactLetterCase) {
    RestartWith(pictures->File("photo.bmp"));
    EXPECT_FALSE(Viewer.StartFilePending);
    EXPECT_EQ(FileWindow->FileListBox->ItemIndex(), -1);
    EXPECT_EQ(FileWindow->FileName->Caption(), "");
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 0);
}

TEST_F(FileWindowTest, ShowsTheStartPictureWhenStartedFromAFolderWithoutPictures) {
    TempDir empty;
    FileWindow->DirectoryListBox->SetDirectory(empty.Path());
    ASSERT_EQ(FileWindow->FileListBox->Count(), 0);
    RestartWith(pictures->File("a.bmp"));  // the list has nothing to select
    EXPECT_FALSE(Viewer.StartFilePending);
    EXPECT_EQ(FileWindow->DirectoryListBox->Directory(), pictures->Path());
    EXPECT_EQ(FileWindow->FileListBox->ItemIndex(), 0);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - a.bmp");
    EXPECT_EQ(Viewer.PictureWidth, 30);
    // The next choice shows that file, not the start file again.
    FileWindow->FileListBox->SetItemIndex(1);
    FileWindow->FileListBoxChange();
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - Photo.bmp");
}

TEST_F(FileWindowTest, AMissingStartFolderReachesTheErrorBoxAndClearsTheFlag) {
    RecordedErrors errors;
    FileWindow->FileListBox->SetItemIndex(0);
    Viewer.CommandLinePicture = pictures->File("no such folder/x.bmp");
    Viewer.StartFilePending = true;
    Application.Dispatch([] { FileWindow->FileListBoxChange(); });
    EXPECT_EQ(errors.Messages.size(), 1u);
    EXPECT_FALSE(Viewer.StartFilePending);
    // Later choices work as usual.
    FileWindow->FileListBox->SetItemIndex(0);
    FileWindow->FileListBoxChange();
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - " + FileWindow->FileListBox->Items()[0]);
}

TEST_F(FileWindowTest, DocksOnTheRightOrOnTheLeftWhenTheRightHasNoRoom) {
    FileWindow->Undocked = true;
    MainWindow->SetBounds(100, 40, 632, 446);
    FileWindow->MorphButton2Click(nullptr);
    EXPECT_FALSE(FileWindow->Undocked);
    EXPECT_EQ(FileWindow->Left(), 732);
    EXPECT_EQ(FileWindow->Top(), 40);

    MainWindow->SetBounds(TestScreenWidth - 632, 40, 632, 446);
    FileWindow->Undocked = true;
    FileWindow->MorphButton2Click(nullptr);
    EXPECT_EQ(FileWindow->Left(), TestScreenWidth - 632 - FileWindow->Width());
    // Undocking leaves the window where it is.
    FileWindow->MorphButton2Click(nullptr);
    EXPECT_TRUE(FileWindow->Undocked);
    EXPECT_EQ(FileWindow->Left(), TestScreenWidth - 632 - FileWindow->Width());
    FileWindow->Undocked = false;
}

TEST_F(FileWindowTest, DraggingTheDockedWindowBringsTheMainWindowAlong) {
    MainWindow->SetBounds(100, 40, 632, 446);
    FileWindow->SetBounds(20, 60, FileWindow->Width(), FileWindow->Height());  // on the left before
    FileWindow->Undocked = false;
    FileWindow->BackImageMouseMove(FileWindow->BackImage, ssLeft, 10, 10);
    FileWindow->BackImageMouseMove(FileWindow->BackImage, ssLeft, 40, 15);
    EXPECT_EQ(FileWindow->Left(), 50);
    EXPECT_EQ(FileWindow->Top(), 65);
    EXPECT_EQ(MainWindow->Left() + MainWindow->Width(), FileWindow->Left());
    EXPECT_EQ(MainWindow->Top(), FileWindow->Top());
    FileWindow->BackImageMouseMove(FileWindow->BackImage, 0, 40, 15);

    // While the main window is as wide as the screen the file window moves alone.
    MainWindow->SetBounds(0, 0, TestScreenWidth, 500);
    FileWindow->BackImageMouseMove(FileWindow->BackImage, ssLeft, 10, 10);
    FileWindow->BackImageMouseMove(FileWindow->BackImage, ssLeft, 20, 10);
    EXPECT_EQ(MainWindow->Left(), 0);
    FileWindow->BackImageMouseMove(FileWindow->BackImage, 0, 20, 10);
    MainWindow->SetBounds(100, 40, 632, 446);
}

TEST_F(FileWindowTest, RollsUpToItsTitleBarAndBackToTheSavedHeight) {
    FileWindow->SetHeight(446);
    FileWindow->TopLabelDblClick(FileWindow->TopLabel);
    EXPECT_EQ(FileWindow->Height(), 18);
    FileWindow->TopLabelDblClick(FileWindow->TopImage);
    EXPECT_EQ(FileWindow->Height(), 446);
    // Made 18 high by something else: the last saved height comes back.
    FileWindow->SetHeight(18);
    FileWindow->TopLabelDblClick(FileWindow->TopLabel);
    EXPECT_EQ(FileWindow->Height(), 446);
}

TEST_F(FileWindowTest, CloseHidesAndKeepsTheSelection) {
    FileWindow->Show();
    const int index = FileWindow->FileListBox->ItemIndex();
    FileWindow->MorphButton1Click(FileWindow->MorphButton1);
    EXPECT_FALSE(FileWindow->Visible());
    EXPECT_EQ(FileWindow->FileListBox->ItemIndex(), index);
}

}  // namespace
