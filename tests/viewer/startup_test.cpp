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
    EXPECT_TRUE(Form1->Visible());
    EXPECT_FALSE(Form2->Visible());
    ASSERT_EQ(Form2->FileListBox->Count(), 3);  // a.jpg, B.bmp, zz-damaged.bmp
    EXPECT_EQ(Form2->FileListBox->ItemIndex(), 0);
    EXPECT_EQ(Form2->FileName->Caption(), dir->File("a.jpg"));
    EXPECT_EQ(Form1->TopLabel->Caption(), "Lumvex - a.jpg");
    EXPECT_EQ(Viewer.PictureWidth, 64);
    EXPECT_EQ(Viewer.PictureHeight, 48);
    const std::string size = SizeText(FileSize(dir->File("a.jpg")));
    EXPECT_EQ(Form1->BottomLabel->Caption(), " 1/3 | " + size + " | 64x48x24bit");
    EXPECT_EQ(Form3->FileListBox->SelCount(), 1);
    EXPECT_TRUE(Form3->FileListBox->Selected(0));
    EXPECT_EQ(Form1->Color(), clBlack);
}

TEST_F(Startup, FadesTheMainAndFileWindowsInWithTheStartFadeOption) {
    ASSERT_TRUE(Form4->CheckBox1->Checked());
    EXPECT_TRUE(Form1->FadeWorks.Fading());
    EXPECT_EQ(Form1->AlphaBlendValue(), 0);
    for (int tick = 1; tick < 100; ++tick) Form1->FadeWorks.Tick();
    EXPECT_EQ(Form1->AlphaBlendValue(), 252);
    Form1->FadeWorks.Tick();
    EXPECT_EQ(Form1->AlphaBlendValue(), 255);
    EXPECT_FALSE(Form1->FadeWorks.Fading());
    for (int tick = 0; tick < 50; ++tick) Form2->FadeWorks.Tick();
    EXPECT_EQ(Form2->AlphaBlendValue(), 255);
    // The fade changes only the opacity.
    EXPECT_FALSE(Form2->Visible());
}

TEST_F(Startup, LaysOutTheBarsForTheWindowWidth) {
    Form1->SetBounds(100, 100, 632, 446);
    Form1->FormResize();
    EXPECT_EQ(Form1->MorphButton1->Left(), 611);
    EXPECT_EQ(Form1->MorphButton3->Left(), 594);
    EXPECT_EQ(Form1->MorphButton4->Left(), 577);
    EXPECT_EQ(Form1->MorphButton5->Left(), 560);
    EXPECT_EQ(Form1->MorphButton6->Left(), 600);
    EXPECT_EQ(Form1->MorphButton15->Left(), 583);
    EXPECT_EQ(Form1->MorphButton7->Left(), 558);
    EXPECT_EQ(Form1->MorphButton14->Left(), 600 - 17 - 25 - 17 * 3 - 25 - 17 * 4);
    EXPECT_EQ(Form1->sizer->Left(), 613);
    EXPECT_EQ(Form1->sizer->Top(), 446 - 18);
    EXPECT_EQ(Form1->MorphButton6->Top(), 446 - 17);
    EXPECT_EQ(Form1->BottomLabel->Top(), 446 - 16);
    EXPECT_EQ(Viewer.AreaTop, 18);
    EXPECT_EQ(Viewer.AreaWidth, 632);
    EXPECT_EQ(Viewer.AreaHeight, 410);
    // The frame stands one pixel around the picture.
    EXPECT_EQ(Form1->border->Left(), Form1->Image->Left() - 1);
    EXPECT_EQ(Form1->border->Width(), Form1->Image->Width() + 2);
}

TEST_F(Startup, GivesTheFileWindowAtLeast400PixelsAndDocksItOnTheRight) {
    Form1->SetBounds(100, 50, 500, 300);
    Form1->FormResize();
    EXPECT_EQ(Form2->Height(), 400);
    EXPECT_EQ(Form2->FileListBox->Height(), 400 - 10 - 272);
    EXPECT_EQ(Form2->Left(), 600);
    EXPECT_EQ(Form2->Top(), 50);
    Form1->SetBounds(100, 50, 500, 600);
    Form1->FormResize();
    EXPECT_EQ(Form2->Height(), 600);
    EXPECT_EQ(Form2->FileListBox->Height(), 600 - 10 - 272);
}

TEST_F(Startup, LeavesTheFileWindowWhereItIsWhileTheWindowIsAsWideAsTheScreen) {
    Form2->SetBounds(20, 30, Form2->Width(), Form2->Height());
    Form1->SetBounds(0, 0, TestScreenWidth, 500);
    Form1->FormResize();
    EXPECT_EQ(Form2->Left(), 20);
    EXPECT_EQ(Form2->Top(), 30);
    Form1->SetBounds(100, 100, 632, 446);
}

TEST_F(Startup, WritesTheDepthOfBitmapsAndThePositionInTheFolder) {
    Form2->FileListBox->SetItemIndex(1);
    Form2->FileListBoxChange();
    EXPECT_EQ(Form1->TopLabel->Caption(), "Lumvex - B.bmp");
    EXPECT_EQ(Form1->BottomLabel->Caption(), " 2/3 | " + SizeText(FileSize(dir->File("B.bmp"))) + " | 40x30x8bit");
    // Exactly the shown file is marked.
    EXPECT_EQ(Form3->FileListBox->SelCount(), 1);
    EXPECT_TRUE(Form3->FileListBox->Selected(1));

    Form2->FileListBox->SetItemIndex(-1);
    Form1->GetFileInfo(dir->File("B.bmp"));
    EXPECT_EQ(Form1->BottomLabel->Caption().substr(0, 5), " 0/3 ");
}

TEST_F(Startup, AnIconShowsNoDepthAndItsClearPartsOnABlackBitmap) {
    TempDir icons;
    icons.Write("program.ico", LoadResourceBytes(resource::Icons[0]));
    Form2->DirectoryListBox->SetDirectory(icons.Path());
    Form2->FileListBox->SetItemIndex(0);
    Form2->FileListBoxChange();
    const auto* icon = dynamic_cast<const TIcon*>(Form1->TImg->Picture().Graphic());
    ASSERT_NE(icon, nullptr);
    const std::string info = Form1->BottomLabel->Caption();
    const std::string size = IntToStr(icon->Width()) + "x" + IntToStr(icon->Height());
    EXPECT_EQ(info.substr(info.size() - size.size() - 3), " | " + size);
    const TBitmap& display = Form1->Image->Picture().Bitmap();
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
    Form2->FileListBox->SetItemIndex(0);
    Form2->FileListBoxChange();
    const std::string top = Form1->TopLabel->Caption(), bottom = Form1->BottomLabel->Caption();
    Form1->LoadImage(dir->File("gone.jpg"), Form1->Image, Form1->TImg);
    EXPECT_EQ(Form1->Image->Picture().Width(), 64);
    EXPECT_EQ(Form1->TopLabel->Caption(), top);
    EXPECT_EQ(Form1->BottomLabel->Caption(), bottom);
}

TEST_F(Startup, ADamagedFileEmptiesThePictureAndShowsTheLoadersMessage) {
    Form2->FileListBox->SetItemIndex(0);
    Form2->FileListBoxChange();
    const std::string top = Form1->TopLabel->Caption(), bottom = Form1->BottomLabel->Caption();
    RecordedErrors errors;
    Form2->FileListBox->SetItemIndex(2);
    Application.Dispatch([] { Form2->FileListBoxChange(); });
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_FALSE(errors.Messages[0].empty());
    EXPECT_EQ(Form1->Image->Picture().Width(), 0);
    EXPECT_EQ(Form1->TopLabel->Caption(), top);
    EXPECT_EQ(Form1->BottomLabel->Caption(), bottom);
    // The marks stay as they were: the rest of the routine was skipped.
    EXPECT_TRUE(Form3->FileListBox->Selected(0));
    EXPECT_FALSE(Form3->FileListBox->Selected(2));
}

TEST_F(Startup, ChangingTheFolderEmptiesThePictureUntilAFileIsChosen) {
    TempDir other;
    WriteBmp(other, "x.bmp", 10, 10, clWhite);
    Form2->DirectoryListBox->SetDirectory(other.Path());
    EXPECT_EQ(Form2->FileName->Caption(), "");
    EXPECT_EQ(Form1->Image->Picture().Width(), 0);
    EXPECT_EQ(Form1->border->Width(), 0);
    EXPECT_EQ(Form3->FileListBox->Directory(), other.Path());
    EXPECT_EQ(Form3->FileListBox->Count(), 1);
    Form2->FileListBox->SetItemIndex(0);
    Form2->FileListBoxChange();
    EXPECT_EQ(Form2->FileName->Caption(), other.File("x.bmp"));
    EXPECT_EQ(Form1->TopLabel->Caption(), "Lumvex - x.bmp");
}

TEST_F(Startup, TheFilterAppliesToTheMarkedFilesListToo) {
    Form2->FilterComboBox->SetItemIndex(1);  // *.bmp, as the user chooses it
    Form2->FilterComboBoxChange();
    EXPECT_EQ(Form2->FileListBox->Count(), 2);
    EXPECT_EQ(Form3->FileListBox->Mask(), "*.bmp");
    EXPECT_EQ(Form3->FileListBox->Count(), 2);
    Form2->FilterComboBox->SetItemIndex(0);
    Form2->FilterComboBoxChange();
    EXPECT_EQ(Form3->FileListBox->Count(), 3);
}

}  // namespace
