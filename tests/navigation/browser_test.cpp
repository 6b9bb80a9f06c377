// The thumbnail browser: the cells and their grid, marking, opening, the
// file operations of the cell menu, the background build and its
// cancellation, and numpad 0.
#include <gtest/gtest.h>

#include "BackgroundWork.h"
#include "GifWriter.h"
#include "ViewerSupport.h"
#include "navigation/Unit6.h"
#include "platform/SysUtils.h"
#include "platform/services/Dialogs.h"
#include "platform/services/KeyCodes.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

bool WaitForBuild() {
    return RunMessagesUntil([] { return !Form6->Building(); });
}

class Browser : public testing::Test {
protected:
    void SetUp() override { StartViewer(start.Path()); }
    // Shows the folder in the file window and opens the browser, 614 pixels wide.
    void Open(const TempDir& folder) {
        Form2->DirectoryListBox->SetDirectory(folder.Path());
        Form2->FileListBox->SetItemIndex(0);
        Form2->FileListBoxChange();
        Form6->SetBounds(100, 50, 614, 403);
        Form1->ViewCommand(16);
    }
    void OpenAndWait(const TempDir& folder) {
        Open(folder);
        ASSERT_TRUE(WaitForBuild());
    }
    static std::vector<std::string> CaptionTexts() {
        std::vector<std::string> texts;
        for (TLabel* caption : Form6->Captions) texts.push_back(caption ? caption->Caption() : "<none>");
        return texts;
    }
    TempDir start;
    TempDir dir;
};

TEST(ThumbnailPlace, ScalesByTheLongerSideLessEightAndFour) {
    EXPECT_EQ(ThumbnailPlace(800, 600), Bounds(4, 9, 72, 56));
    EXPECT_EQ(ThumbnailPlace(600, 800), Bounds(18, 4, 44, 66));
    EXPECT_EQ(ThumbnailPlace(40, 20), Bounds(4, 19, 72, 36));  // small pictures are enlarged
    EXPECT_EQ(ThumbnailPlace(0, 0), TRect{});
    EXPECT_EQ(IconPlace(32, 32), Bounds(24, 21, 32, 32));
}

TEST_F(Browser, BuildsACellPerFileInListOrderWithPicturesPlacedByTheRatioRule) {
    WriteJpeg(dir, "a.jpg", 800, 600, clRed);
    WriteBmp(dir, "b.bmp", 600, 800, clBlue);
    WriteBmp(dir, "c.bmp", 40, 20, clGreen);
    OpenAndWait(dir);
    EXPECT_TRUE(Form6->Visible());
    EXPECT_FALSE(Form1->Visible());
    EXPECT_TRUE(Form2->Visible());
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"a.jpg", "b.bmp", "c.bmp"}));
    EXPECT_EQ(Form6->Thumbnails[0]->BoundsRect(), Bounds(4, 9, 72, 56));
    EXPECT_EQ(Form6->Thumbnails[1]->BoundsRect(), Bounds(18, 4, 44, 66));
    EXPECT_EQ(Form6->Thumbnails[2]->BoundsRect().Width(), 72);
    EXPECT_EQ(Form6->Thumbnails[2]->BoundsRect().Height(), 36);
    // The thumbnail holds no more pixels than it shows.
    EXPECT_EQ(Form6->Thumbnails[1]->Picture().Width(), 44);
    EXPECT_EQ(Form6->Thumbnails[1]->Picture().Bitmap().Pixel(20, 30), clBlue);
    for (TPanel* cell : Form6->Cells) {
        EXPECT_TRUE(cell->Visible());
        EXPECT_EQ(cell->Width(), 80);
        EXPECT_EQ(cell->Height(), 90);
        EXPECT_EQ(cell->Color(), Viewer.co1);
    }
    EXPECT_EQ(Form6->Gauge1->MaxValue(), 2);
    EXPECT_EQ(Form6->Gauge1->Progress(), 2);
    EXPECT_TRUE(Form6->ScrollBox1->Enabled());
}

TEST_F(Browser, SevenCellsStandInARowOf614PixelsAndTheGridReflowsOnResize) {
    for (int i = 0; i < 9; ++i) WriteBmp(dir, "p" + IntToStr(i) + ".bmp", 8, 8, clRed);
    OpenAndWait(dir);
    ASSERT_EQ(Form6->ScrollBox1->Width(), 614);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(Form6->Cells[i]->BoundsRect(), Bounds(5 + 85 * i, 5, 80, 90)) << i;
    EXPECT_EQ(Form6->Cells[7]->BoundsRect(), Bounds(5, 100, 80, 90));
    EXPECT_EQ(Form6->Cells[8]->BoundsRect(), Bounds(90, 100, 80, 90));

    Form6->SetBounds(Form6->Left(), Form6->Top(), 300, 403);  // three to a row
    EXPECT_EQ(Form6->Cells[2]->BoundsRect(), Bounds(175, 5, 80, 90));
    EXPECT_EQ(Form6->Cells[3]->BoundsRect(), Bounds(5, 100, 80, 90));
    EXPECT_EQ(Form6->Cells[8]->BoundsRect(), Bounds(175, 195, 80, 90));
    Form6->SetBounds(Form6->Left(), Form6->Top(), 900, 403);  // ten would fit
    EXPECT_EQ(Form6->Cells[8]->BoundsRect(), Bounds(685, 5, 80, 90));
    // The file window stands beside the browser, as high as it.
    EXPECT_EQ(Form2->Left(), Form6->Left() + 900);
    EXPECT_EQ(Form2->Top(), Form6->Top());
    EXPECT_EQ(Form6->MorphButton1->Left(), 900 - Viewer.ButtonSize - 2);
}

TEST_F(Browser, DraggingAndTheSizeGripKeepTheFileWindowBeside) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    OpenAndWait(dir);
    Form6->FormMouseMove(Form6->TopLabel, ssLeft, 10, 10);
    Form6->FormMouseMove(Form6->TopLabel, ssLeft, 30, 25);
    Form6->FormMouseMove(Form6->TopLabel, 0, 30, 25);
    EXPECT_EQ(Form6->Left(), 120);
    EXPECT_EQ(Form6->Top(), 65);
    EXPECT_EQ(Form2->Left(), 120 + 614);
    EXPECT_EQ(Form2->Top(), 65);

    Mouse.SetTestCursorPos(TPoint{200, 150});  // far above and left of the corner
    Form6->sizerMouseMove(Form6->sizer, ssLeft, 0, 0);
    EXPECT_EQ(Form6->Width(), 300);
    EXPECT_EQ(Form6->Height(), 300);
    EXPECT_EQ(Form2->Height(), 400);  // the file window is never lower than 400
    Mouse.SetTestCursorPos(TPoint{120 + 700, 65 + 500});
    Form6->sizerMouseMove(Form6->sizer, ssLeft, 0, 0);
    Mouse.SetTestCursorPos(std::nullopt);
    EXPECT_EQ(Form6->Width(), 708);
    EXPECT_EQ(Form6->Height(), 508);
    EXPECT_EQ(Form2->Height(), 508);
    EXPECT_EQ(Form2->Left(), 120 + 708);
}

TEST_F(Browser, AMarkedFileStartsUnmarkedAndTheFirstClickUnmarksIt) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    WriteBmp(dir, "b.bmp", 8, 8, clRed);
    OpenAndWait(dir);
    ASSERT_TRUE(Form3->FileListBox->Selected(0));  // choosing the file marked it
    EXPECT_EQ(Form6->Cells[0]->Color(), Viewer.co1);
    Form6->CellClick(Form6->Thumbnails[0]);
    EXPECT_FALSE(Form3->FileListBox->Selected(0));
    EXPECT_EQ(Form6->Cells[0]->Color(), Viewer.co1);
    Form6->CellClick(Form6->Captions[1]);
    EXPECT_TRUE(Form3->FileListBox->Selected(1));
    EXPECT_EQ(Form6->Cells[1]->Color(), Viewer.coSelect);
}

TEST_F(Browser, ADoubleClickOpensThePictureWhereTheBrowserStood) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    WriteBmp(dir, "b.bmp", 30, 20, clBlue);
    OpenAndWait(dir);
    Viewer.FileWindowShown = false;
    Form6->SetBounds(150, 60, 700, 500);
    Form6->CellClick(Form6->Cells[1]);  // the first press of the double-click
    Form6->CellDblClick(Form6->Cells[1]);
    EXPECT_FALSE(Form6->Visible());
    EXPECT_TRUE(Form1->Visible());
    EXPECT_EQ(Form1->BoundsRect(), Bounds(150, 60, 700, 500));
    EXPECT_FALSE(Form2->Visible());
    EXPECT_EQ(Form2->FileName->Caption(), dir.File("b.bmp"));
    EXPECT_EQ(Viewer.PictureWidth, 30);
    EXPECT_TRUE(Form3->FileListBox->Selected(1));  // the marks stay
}

TEST_F(Browser, MoveAndCopyTakeTheMarkedFilesToAPickedFolderAndRebuild) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    TempDir target;
    OpenAndWait(dir);
    Form6->CellClick(Form6->Cells[0]);  // unmark a.bmp
    Form6->CellClick(Form6->Cells[1]);
    Form6->CellClick(Form6->Cells[2]);
    ScriptedDialogs dialogs;
    dialogs.FolderAnswers = {target.Path()};
    Form6->Mozgats1->Click();
    ASSERT_TRUE(WaitForBuild());
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>{"A művelet(ek) sikeres(ek) volt(ak)!"});
    EXPECT_TRUE(FileExists(target.File("b.bmp")));
    EXPECT_TRUE(FileExists(target.File("c.bmp")));
    EXPECT_FALSE(FileExists(dir.File("b.bmp")));
    EXPECT_EQ(CaptionTexts(), std::vector<std::string>{"a.bmp"});

    TempDir copies;
    Form6->CellClick(Form6->Cells[0]);
    dialogs.FolderAnswers = {copies.Path()};
    Form6->Msols1->Click();
    ASSERT_TRUE(WaitForBuild());
    EXPECT_TRUE(FileExists(copies.File("a.bmp")));
    EXPECT_TRUE(FileExists(dir.File("a.bmp")));
    EXPECT_EQ(CaptionTexts(), std::vector<std::string>{"a.bmp"});
}

TEST_F(Browser, DeleteWithOneMarkOnAnotherFileDeletesTheCurrentFile) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    OpenAndWait(dir);
    Form3->FileListBox->SetSelected(0, false);
    Form3->FileListBox->SetSelected(2, true);  // a.bmp is the current file
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrYes};
    Form6->Trls1->Click();
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dialogs.Questions[0].Message, "FIGYELEM!\rBiztos, hogy törölni akarja a(z) a.bmp fájlt?");
    EXPECT_FALSE(FileExists(dir.File("a.bmp")));
    EXPECT_TRUE(FileExists(dir.File("c.bmp")));
    ASSERT_TRUE(WaitForBuild());
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"b.bmp", "c.bmp"}));
}

TEST_F(Browser, DeleteOfThreeMarksDeletesExactlyThoseAndRebuilds) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    OpenAndWait(dir);
    for (int i : {0, 2, 3}) Form3->FileListBox->SetSelected(i, true);
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrYes};
    Form6->Trls1->Click();
    ASSERT_TRUE(WaitForBuild());
    EXPECT_EQ(dialogs.Questions.at(0).Message, "FIGYELEM!\rÖn több fájlt is kijelölt törlésre!\rTörli őket?");
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"b.bmp", "e.bmp"}));
    EXPECT_TRUE(FileExists(dir.File("b.bmp")));
    EXPECT_FALSE(FileExists(dir.File("d.bmp")));
}

TEST_F(Browser, DeleteAnsweredNoOrWithNothingMarkedChangesNothing) {
    for (const char* name : {"a.bmp", "b.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    OpenAndWait(dir);
    Form6->CellClick(Form6->Cells[1]);
    Form6->CellClick(Form6->Cells[0]);  // now only b.bmp is marked, and its cell shows it
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrNo};
    Form6->Trls1->Click();
    EXPECT_TRUE(FileExists(dir.File("a.bmp")));
    EXPECT_EQ(Form6->Cells[1]->Color(), Viewer.coSelect);  // not rebuilt

    Form6->CellClick(Form6->Cells[1]);  // nothing marked
    TPanel* first = Form6->Cells[0];
    RecordedErrors errors;
    dialogs.MessageAnswers = {mrYes};
    Application.Dispatch([] { Form6->Trls1->Click(); });
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find("Value must be between"), std::string::npos);
    EXPECT_TRUE(FileExists(dir.File("a.bmp")));
    EXPECT_TRUE(FileExists(dir.File("b.bmp")));
    EXPECT_FALSE(Form6->Building());
    EXPECT_EQ(Form6->Cells[0], first);
}

TEST_F(Browser, TheItemsOutsideTheFileOperationsDoNothing) {
    for (const char* name : {"a.bmp", "b.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    OpenAndWait(dir);
    const std::string before = ReadFileBytes(dir.File("a.bmp"));
    ScriptedDialogs dialogs;
    Form6->Kicsinytsahatodra1->Click();
    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_FALSE(Form6->Building());
    EXPECT_EQ(ReadFileBytes(dir.File("a.bmp")), before);
    EXPECT_EQ(Form2->FileListBox->Count(), 2);
}

TEST_F(Browser, AnEmptyFolderShowsAnEmptyAreaAndLeavesTheGauge) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    WriteBmp(dir, "b.bmp", 8, 8, clRed);
    OpenAndWait(dir);
    TempDir empty;
    Form2->DirectoryListBox->SetDirectory(empty.Path());  // rebuilds the visible browser
    ASSERT_TRUE(WaitForBuild());
    EXPECT_TRUE(Form6->Cells.empty());
    EXPECT_EQ(Form6->Gauge1->MaxValue(), 1);
    EXPECT_EQ(Form6->Gauge1->Progress(), 1);
    EXPECT_TRUE(Form6->ScrollBox1->Enabled());
}

TEST_F(Browser, ADamagedPictureLeavesItsCellEmptyWithItsCaptionAndTheBuildGoesOn) {
    WriteBmp(dir, "a.bmp", 40, 30, clRed);
    dir.Write("b.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
    dir.Write("c.bmp", "BM");
    WriteJpeg(dir, "d.jpg", 64, 48, clBlue);
    RecordedErrors errors;
    OpenAndWait(dir);
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"a.bmp", "b.jpg", "c.bmp", "d.jpg"}));
    EXPECT_TRUE(Form6->Thumbnails[1]->Picture().Graphic() == nullptr);
    EXPECT_TRUE(Form6->Thumbnails[2]->Picture().Graphic() == nullptr);
    EXPECT_TRUE(Form6->Cells[1]->Visible());
    EXPECT_EQ(Form6->Thumbnails[3]->Picture().Width(), 72);
    EXPECT_TRUE(errors.Messages.empty());
}

TEST_F(Browser, AnAnimatedGifShowsItsFirstFrameStill) {
    GifWriter gif(40, 20, {clRed, clBlue});
    gif.GraphicControl(10).Image({0, 0, 40, 20, std::vector<std::uint8_t>(800, 0)});
    gif.GraphicControl(10).Image({0, 0, 40, 20, std::vector<std::uint8_t>(800, 1)});
    dir.Write("anim.gif", gif.Bytes());
    OpenAndWait(dir);
    TImage* image = Form6->Thumbnails[0];
    EXPECT_EQ(image->BoundsRect(), Bounds(4, 19, 72, 36));
    EXPECT_STREQ(image->Picture().Graphic()->ClassName(), "TBitmap");
    EXPECT_EQ(image->Picture().Bitmap().Pixel(30, 20), clRed);
}

TEST_F(Browser, ClosingDuringABuildStopsIt) {
    for (int i = 0; i < 6; ++i) WriteBmp(dir, "p" + IntToStr(i) + ".bmp", 8, 8, clRed);
    {
        HeldPool held;
        Form6->Workers = &held.pool;
        Open(dir);
        ASSERT_TRUE(Form6->Building());
        EXPECT_FALSE(Form6->ScrollBox1->Enabled());
        Form6->MorphButton1Click(Form6->MorphButton1);
        EXPECT_FALSE(Form6->Building());
        held.Drain();
        EXPECT_TRUE(Form6->Cells.empty());
        EXPECT_TRUE(Form1->Visible());
    }
    {
        // Closed by the platform while cells arrive: those made stay, no more come.
        HeldPool held;
        Form6->Workers = &held.pool;
        Open(dir);
        held.Release();
        ASSERT_TRUE(RunMessagesUntil([] { return Form6->Cells[0] != nullptr; }));
        Form6->Close();
        EXPECT_FALSE(Form6->Visible());
        const auto made = std::count_if(Form6->Cells.begin(), Form6->Cells.end(), [](TPanel* c) { return c; });
        held.Drain();
        EXPECT_EQ(std::count_if(Form6->Cells.begin(), Form6->Cells.end(), [](TPanel* c) { return c; }), made);
        EXPECT_GE(made, 1);
        EXPECT_EQ(Form1->BoundsRect(), Form6->BoundsRect());
    }
}

TEST_F(Browser, ANewBuildCancelsTheOldOne) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    TempDir other;
    for (const char* name : {"x.bmp", "y.bmp"}) WriteBmp(other, name, 8, 8, clBlue);
    HeldPool held;
    Form6->Workers = &held.pool;
    Open(dir);
    Form2->DirectoryListBox->SetDirectory(other.Path());  // the folder changes under the browser
    held.Release();
    ASSERT_TRUE(WaitForBuild());
    held.Drain();
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"x.bmp", "y.bmp"}));
    EXPECT_EQ(Form6->Thumbnails[0]->Picture().Bitmap().Pixel(0, 0), clBlue);
}

TEST_F(Browser, NumpadZeroOpensTheBrowserInPlaceOfTheMainWindowAndClosesIt) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    Form2->DirectoryListBox->SetDirectory(dir.Path());
    Form1->SetBounds(120, 80, 640, 480);
    Form1->Activate();
    ASSERT_TRUE(Form1->Active());
    std::uint16_t key = VK_NUMPAD0;
    Form1->FormKeyDown(Form1, key, 0);
    EXPECT_TRUE(Form6->Visible());
    EXPECT_FALSE(Form1->Visible());
    EXPECT_EQ(Form6->BoundsRect(), Bounds(120, 80, 640, 480));
    ASSERT_TRUE(WaitForBuild());

    Viewer.FileWindowShown = true;
    Form6->SetBounds(200, 150, 700, 500);
    key = VK_NUMPAD0;
    Form6->FormKeyDown(Form6, key, 0);  // the browser passes it on
    EXPECT_FALSE(Form6->Visible());
    EXPECT_TRUE(Form1->Visible());
    EXPECT_EQ(Form1->BoundsRect(), Bounds(200, 150, 700, 500));
    EXPECT_TRUE(Form2->Visible());
    EXPECT_TRUE(Form6->Cells.empty());
}

}  // namespace
