// The program started without a picture on its command line, in a folder of
// pictures: start-up, layout, loading and the information line.
#include <gtest/gtest.h>

#include <memory>

#include "ViewerSupport.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Icon.h"
#include "platform/services/Resources.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class Startup : public testing::Test {
protected:
    void SetUp() override { StartWindows(); }
    void StartWindows() {
        WriteJpeg(*dir, "a.jpg", 64, 48, clRed);
        WriteBmp(*dir, "B.bmp", 40, 30, clBlue, TPixelFormat::pf8bit);
        dir->Write("notes.txt", "not a picture");
        dir->Write("zz-damaged.bmp", "BM this is no bitmap");
        StartViewer(dir->Path());
    }
    std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
};

TEST_F(Startup, ShowsAndMarksTheFirstPictureOfTheFolderWithTheFileWindowHidden) {
    EXPECT_TRUE(MainWindow->Visible());
    EXPECT_FALSE(FileWindow->Visible());
    ASSERT_EQ(FileWindow->FileListBox->Count(), 3);  // a.jpg, B.bmp, zz-damaged.bmp
    EXPECT_EQ(FileWindow->FileListBox->ItemIndex(), 0);
    EXPECT_EQ(FileWindow->FileName->Caption(), dir->File("a.jpg"));
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - a.jpg");
    EXPECT_EQ(Viewer.PictureWidth, 64);
    EXPECT_EQ(Viewer.PictureHeight, 48);
    const std::string size = SizeText(FileSize(dir->File("a.jpg")));
    EXPECT_EQ(MainWindow->BottomLabel->Caption(), " 1/3 | " + size + " | 64x48x24bit");
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 1);
    EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(0));
    EXPECT_EQ(MainWindow->Color(), clBlack);
}

TEST_F(Startup, FadesTheMainAndFileWindowsInWithTheStartFadeOption) {
    ASSERT_TRUE(OptionsWindow->CheckBox1->Checked());
    EXPECT_TRUE(MainWindow->FadeWorks.Fading());
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 0);
    for (int tick = 1; tick < 100; ++tick) MainWindow->FadeWorks.Tick();
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 252);
    MainWindow->FadeWorks.Tick();
    EXPECT_EQ(MainWindow->AlphaBlendValue(), 255);
    EXPECT_FALSE(MainWindow->FadeWorks.Fading());
    for (int tick = 0; tick < 50; ++tick) FileWindow->FadeWorks.Tick();
    EXPECT_EQ(FileWindow->AlphaBlendValue(), 255);
    // The fade changes only the opacity.
    EXPECT_FALSE(FileWindow->Visible());
}

TEST_F(Startup, LaysOutTheBarsForTheWindowWidth) {
    MainWindow->SetBounds(100, 100, 632, 446);
    MainWindow->FormResize();
    EXPECT_EQ(MainWindow->MorphButton1->Left(), 611);
    EXPECT_EQ(MainWindow->MorphButton3->Left(), 594);
    EXPECT_EQ(MainWindow->MorphButton4->Left(), 577);
    EXPECT_EQ(MainWindow->MorphButton5->Left(), 560);
    EXPECT_EQ(MainWindow->MorphButton6->Left(), 600);
    EXPECT_EQ(MainWindow->MorphButton15->Left(), 583);
    EXPECT_EQ(MainWindow->MorphButton7->Left(), 558);
    EXPECT_EQ(MainWindow->MorphButton14->Left(), 600 - 17 - 25 - 17 * 3 - 25 - 17 * 4);
    EXPECT_EQ(MainWindow->sizer->Left(), 613);
    EXPECT_EQ(MainWindow->sizer->Top(), 446 - 18);
    EXPECT_EQ(MainWindow->MorphButton6->Top(), 446 - 17);
    EXPECT_EQ(MainWindow->BottomLabel->Top(), 446 - 16);
    EXPECT_EQ(Viewer.AreaTop, 18);
    EXPECT_EQ(Viewer.AreaWidth, 632);
    EXPECT_EQ(Viewer.AreaHeight, 410);
    // The frame stands one pixel around the picture.
    EXPECT_EQ(MainWindow->border->Left(), MainWindow->Image->Left() - 1);
    EXPECT_EQ(MainWindow->border->Width(), MainWindow->Image->Width() + 2);
}

TEST_F(Startup, GivesTheFileWindowAtLeast400PixelsAndDocksItOnTheRight) {
    MainWindow->SetBounds(100, 50, 500, 300);
    MainWindow->FormResize();
    EXPECT_EQ(FileWindow->Height(), 400);
    EXPECT_EQ(FileWindow->FileListBox->Height(), 400 - 10 - 272);
    EXPECT_EQ(FileWindow->Left(), 600);
    EXPECT_EQ(FileWindow->Top(), 50);
    MainWindow->SetBounds(100, 50, 500, 600);
    MainWindow->FormResize();
    EXPECT_EQ(FileWindow->Height(), 600);
    EXPECT_EQ(FileWindow->FileListBox->Height(), 600 - 10 - 272);
}

TEST_F(Startup, LeavesTheFileWindowWhereItIsWhileTheWindowIsAsWideAsTheScreen) {
    FileWindow->SetBounds(20, 30, FileWindow->Width(), FileWindow->Height());
    MainWindow->SetBounds(0, 0, TestScreenWidth, 500);
    MainWindow->FormResize();
    EXPECT_EQ(FileWindow->Left(), 20);
    EXPECT_EQ(FileWindow->Top(), 30);
    MainWindow->SetBounds(100, 100, 632, 446);
}

TEST_F(Startup, WritesTheDepthOfBitmapsAndThePositionInTheFolder) {
    FileWindow->FileListBox->SetItemIndex(1);
    FileWindow->FileListBoxChange();
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - B.bmp");
    EXPECT_EQ(MainWindow->BottomLabel->Caption(), " 2/3 | " + SizeText(FileSize(dir->File("B.bmp"))) + " | 40x30x8bit");
    // Exactly the shown file is marked.
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 1);
    EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(1));

    FileWindow->FileListBox->SetItemIndex(-1);
    MainWindow->GetFileInfo(dir->File("B.bmp"));
    EXPECT_EQ(MainWindow->BottomLabel->Caption().substr(0, 5), " 0/3 ");
}

TEST_F(Startup, AnIconShowsNoDepthAndItsClearPartsOnABlackBitmap) {
    TempDir icons;
    icons.Write("program.ico", LoadResourceBytes(resource::Icons[0]));
    FileWindow->DirectoryListBox->SetDirectory(icons.Path());
    FileWindow->FileListBox->SetItemIndex(0);
    FileWindow->FileListBoxChange();
    const auto* icon = dynamic_cast<const TIcon*>(MainWindow->TImg->Picture().Graphic());
    ASSERT_NE(icon, nullptr);
    const std::string info = MainWindow->BottomLabel->Caption();
    const std::string size = IntToStr(icon->Width()) + "x" + IntToStr(icon->Height());
    EXPECT_EQ(info.substr(info.size() - size.size() - 3), " | " + size);
    const TBitmap& display = MainWindow->Image->Picture().Bitmap();
    for (int y = 0; y < icon->Height(); ++y)
        for (int x = 0; x < icon->Width(); ++x) {
            if (icon->Opaque(x, y)) continue;
            // Clear parts show the black beneath, at most tinged by a faint edge.
            const TColor c = display.Pixel(x, y);
            ASSERT_TRUE(GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128) << x << "," << y;
        }
}

TEST(SizeText, CountsBytesKilobytesAndMegabytes) {
    EXPECT_EQ(SizeText(0), "0B");
    EXPECT_EQ(SizeText(1000), "1000B");
    EXPECT_EQ(SizeText(1023), "1023B");
    EXPECT_EQ(SizeText(1024), "1KB");
    EXPECT_EQ(SizeText(131199), "128KB");
    EXPECT_EQ(SizeText(131200), "128KB");
    EXPECT_EQ(SizeText(250000), "244KB");
    EXPECT_EQ(SizeText(10 * 1024 * 1024 - 1), "10239KB");
    EXPECT_EQ(SizeText(10 * 1024 * 1024), "10MB");
}

TEST_F(Startup, AMissingFileKeepsThePictureAndTheTexts) {
    FileWindow->FileListBox->SetItemIndex(0);
    FileWindow->FileListBoxChange();
    const std::string top = MainWindow->TopLabel->Caption(), bottom = MainWindow->BottomLabel->Caption();
    MainWindow->LoadImage(dir->File("gone.jpg"), MainWindow->Image, MainWindow->TImg);
    EXPECT_EQ(MainWindow->Image->Picture().Width(), 64);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), top);
    EXPECT_EQ(MainWindow->BottomLabel->Caption(), bottom);
}

TEST_F(Startup, ADamagedFileEmptiesThePictureAndShowsTheLoadersMessage) {
    FileWindow->FileListBox->SetItemIndex(0);
    FileWindow->FileListBoxChange();
    const std::string top = MainWindow->TopLabel->Caption(), bottom = MainWindow->BottomLabel->Caption();
    RecordedErrors errors;
    FileWindow->FileListBox->SetItemIndex(2);
    Application.Dispatch([] { FileWindow->FileListBoxChange(); });
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_FALSE(errors.Messages[0].empty());
    EXPECT_EQ(MainWindow->Image->Picture().Width(), 0);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), top);
    EXPECT_EQ(MainWindow->BottomLabel->Caption(), bottom);
    // The marks stay as they were: the rest of the routine was skipped.
    EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(0));
    EXPECT_FALSE(TransformationsWindow->FileListBox->Selected(2));
}

TEST_F(Startup, ChangingTheFolderEmptiesThePictureUntilAFileIsChosen) {
    TempDir other;
    WriteBmp(other, "x.bmp", 10, 10, clWhite);
    FileWindow->DirectoryListBox->SetDirectory(other.Path());
    EXPECT_EQ(FileWindow->FileName->Caption(), "");
    EXPECT_EQ(MainWindow->Image->Picture().Width(), 0);
    EXPECT_EQ(MainWindow->border->Width(), 0);
    EXPECT_EQ(TransformationsWindow->FileListBox->Directory(), other.Path());
    EXPECT_EQ(TransformationsWindow->FileListBox->Count(), 1);
    FileWindow->FileListBox->SetItemIndex(0);
    FileWindow->FileListBoxChange();
    EXPECT_EQ(FileWindow->FileName->Caption(), other.File("x.bmp"));
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - x.bmp");
}

TEST_F(Startup, TheFilterAppliesToTheMarkedFilesListToo) {
    FileWindow->FilterComboBox->SetItemIndex(1);  // *.bmp, as the user chooses it
    FileWindow->FilterComboBoxChange();
    EXPECT_EQ(FileWindow->FileListBox->Count(), 2);
    EXPECT_EQ(TransformationsWindow->FileListBox->Mask(), "*.bmp");
    EXPECT_EQ(TransformationsWindow->FileListBox->Count(), 2);
    FileWindow->FilterComboBox->SetItemIndex(0);
    FileWindow->FilterComboBoxChange();
    EXPECT_EQ(TransformationsWindow->FileListBox->Count(), 3);
}

}  // namespace
