// The thumbnail browser: the cells and their grid, marking, opening, the
// file operations of the cell menu, the background build and its
// cancellation, and numpad 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "BackgroundWork.h"
#include "GifWriter.h"
#include "ViewerSupport.h"
#include "navigation/BrowserWindow.h"
#include "platform/SysUtils.h"
#include "platform/services/Dialogs.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

bool WaitForBuild() {
    return RunMessagesUntil([] { return !BrowserWindow->Building(); });
}

class Browser : public testing::Test {
protected:
    void SetUp() override { StartViewer(start.Path()); }
    // Shows the folder in the file window and opens the browser, 614 pixels wide.
    void Open(const TempDir& folder) {
        FileWindow->DirectoryListBox->SetDirectory(folder.Path());
        FileWindow->FileListBox->SetItemIndex(0);
        FileWindow->FileListBoxChange();
        BrowserWindow->SetBounds(100, 50, 614, 403);
        MainWindow->ViewCommand(16);
    }
    void OpenAndWait(const TempDir& folder) {
        Open(folder);
        ASSERT_TRUE(WaitForBuild());
    }
    static std::vector<std::string> CaptionTexts() {
        std::vector<std::string> texts;
        for (TLabel* caption : BrowserWindow->Captions) texts.push_back(caption ? caption->Caption() : "<none>");
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
    EXPECT_TRUE(BrowserWindow->Visible());
    EXPECT_FALSE(MainWindow->Visible());
    EXPECT_TRUE(FileWindow->Visible());
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"a.jpg", "b.bmp", "c.bmp"}));
    EXPECT_EQ(BrowserWindow->Thumbnails[0]->BoundsRect(), Bounds(4, 9, 72, 56));
    EXPECT_EQ(BrowserWindow->Thumbnails[1]->BoundsRect(), Bounds(18, 4, 44, 66));
    EXPECT_EQ(BrowserWindow->Thumbnails[2]->BoundsRect().Width(), 72);
    EXPECT_EQ(BrowserWindow->Thumbnails[2]->BoundsRect().Height(), 36);
    // The thumbnail holds no more pixels than it shows.
    EXPECT_EQ(BrowserWindow->Thumbnails[1]->Picture().Width(), 44);
    EXPECT_EQ(BrowserWindow->Thumbnails[1]->Picture().Bitmap().Pixel(20, 30), clBlue);
    for (TPanel* cell : BrowserWindow->Cells) {
        EXPECT_TRUE(cell->Visible());
        EXPECT_EQ(cell->Width(), 80);
        EXPECT_EQ(cell->Height(), 90);
        EXPECT_EQ(cell->Color(), Viewer.co1);
    }
    EXPECT_EQ(BrowserWindow->Gauge1->MaxValue(), 2);
    EXPECT_EQ(BrowserWindow->Gauge1->Progress(), 2);
    EXPECT_TRUE(BrowserWindow->ScrollBox1->Enabled());
}

TEST_F(Browser, SevenCellsStandInARowOf614PixelsAndTheGridReflowsOnResize) {
    for (int i = 0; i < 9; ++i) WriteBmp(dir, "p" + IntToStr(i) + ".bmp", 8, 8, clRed);
    OpenAndWait(dir);
    ASSERT_EQ(BrowserWindow->ScrollBox1->Width(), 614);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(BrowserWindow->Cells[i]->BoundsRect(), Bounds(5 + 85 * i, 5, 80, 90)) << i;
    EXPECT_EQ(BrowserWindow->Cells[7]->BoundsRect(), Bounds(5, 100, 80, 90));
    EXPECT_EQ(BrowserWindow->Cells[8]->BoundsRect(), Bounds(90, 100, 80, 90));

    BrowserWindow->SetBounds(BrowserWindow->Left(), BrowserWindow->Top(), 300, 403);  // three to a row
    EXPECT_EQ(BrowserWindow->Cells[2]->BoundsRect(), Bounds(175, 5, 80, 90));
    EXPECT_EQ(BrowserWindow->Cells[3]->BoundsRect(), Bounds(5, 100, 80, 90));
    EXPECT_EQ(BrowserWindow->Cells[8]->BoundsRect(), Bounds(175, 195, 80, 90));
    BrowserWindow->SetBounds(BrowserWindow->Left(), BrowserWindow->Top(), 900, 403);  // ten would fit
    EXPECT_EQ(BrowserWindow->Cells[8]->BoundsRect(), Bounds(685, 5, 80, 90));
    // The file window stands beside the browser, as high as it.
    EXPECT_EQ(FileWindow->Left(), BrowserWindow->Left() + 900);
    EXPECT_EQ(FileWindow->Top(), BrowserWindow->Top());
    EXPECT_EQ(BrowserWindow->MorphButton1->Left(), 900 - Viewer.ButtonSize - 2);
}

TEST_F(Browser, DraggingAndTheSizeGripKeepTheFileWindowBeside) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    OpenAndWait(dir);
    BrowserWindow->FormMouseMove(BrowserWindow->TopLabel, ssLeft, 10, 10);
    BrowserWindow->FormMouseMove(BrowserWindow->TopLabel, ssLeft, 30, 25);
    BrowserWindow->FormMouseMove(BrowserWindow->TopLabel, 0, 30, 25);
    EXPECT_EQ(BrowserWindow->Left(), 120);
    EXPECT_EQ(BrowserWindow->Top(), 65);
    EXPECT_EQ(FileWindow->Left(), 120 + 614);
    EXPECT_EQ(FileWindow->Top(), 65);

    Mouse.SetTestCursorPos(TPoint{200, 150});  // far above and left of the corner
    BrowserWindow->sizerMouseMove(BrowserWindow->sizer, ssLeft, 0, 0);
    EXPECT_EQ(BrowserWindow->Width(), 300);
    EXPECT_EQ(BrowserWindow->Height(), 300);
    EXPECT_EQ(FileWindow->Height(), 400);  // the file window is never lower than 400
    Mouse.SetTestCursorPos(TPoint{120 + 700, 65 + 500});
    BrowserWindow->sizerMouseMove(BrowserWindow->sizer, ssLeft, 0, 0);
    Mouse.SetTestCursorPos(std::nullopt);
    EXPECT_EQ(BrowserWindow->Width(), 708);
    EXPECT_EQ(BrowserWindow->Height(), 508);
    EXPECT_EQ(FileWindow->Height(), 508);
    EXPECT_EQ(FileWindow->Left(), 120 + 708);
}

TEST_F(Browser, AMarkedFileStartsUnmarkedAndTheFirstClickUnmarksIt) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    WriteBmp(dir, "b.bmp", 8, 8, clRed);
    OpenAndWait(dir);
    ASSERT_TRUE(TransformationsWindow->FileListBox->Selected(0));  // choosing the file marked it
    EXPECT_EQ(BrowserWindow->Cells[0]->Color(), Viewer.co1);
    BrowserWindow->CellClick(BrowserWindow->Thumbnails[0]);
    EXPECT_FALSE(TransformationsWindow->FileListBox->Selected(0));
    EXPECT_EQ(BrowserWindow->Cells[0]->Color(), Viewer.co1);
    BrowserWindow->CellClick(BrowserWindow->Captions[1]);
    EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(1));
    EXPECT_EQ(BrowserWindow->Cells[1]->Color(), Viewer.coSelect);
}

TEST_F(Browser, ADoubleClickOpensThePictureWhereTheBrowserStood) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    WriteBmp(dir, "b.bmp", 30, 20, clBlue);
    OpenAndWait(dir);
    Viewer.FileWindowShown = false;
    BrowserWindow->SetBounds(150, 60, 700, 500);
    BrowserWindow->CellClick(BrowserWindow->Cells[1]);  // the first press of the double-click
    BrowserWindow->CellDblClick(BrowserWindow->Cells[1]);
    EXPECT_FALSE(BrowserWindow->Visible());
    EXPECT_TRUE(MainWindow->Visible());
    EXPECT_EQ(MainWindow->BoundsRect(), Bounds(150, 60, 700, 500));
    EXPECT_FALSE(FileWindow->Visible());
    EXPECT_EQ(FileWindow->FileName->Caption(), dir.File("b.bmp"));
    EXPECT_EQ(Viewer.PictureWidth, 30);
    EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(1));  // the marks stay
}

TEST_F(Browser, MoveAndCopyTakeTheMarkedFilesToAPickedFolderAndRebuild) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    TempDir target;
    OpenAndWait(dir);
    BrowserWindow->CellClick(BrowserWindow->Cells[0]);  // unmark a.bmp
    BrowserWindow->CellClick(BrowserWindow->Cells[1]);
    BrowserWindow->CellClick(BrowserWindow->Cells[2]);
    ScriptedDialogs dialogs;
    dialogs.FolderAnswers = {target.Path()};
    BrowserWindow->Mozgats1->Click();
    ASSERT_TRUE(WaitForBuild());
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>{"A művelet(ek) sikeres(ek) volt(ak)!"});
    EXPECT_TRUE(FileExists(target.File("b.bmp")));
    EXPECT_TRUE(FileExists(target.File("c.bmp")));
    EXPECT_FALSE(FileExists(dir.File("b.bmp")));
    EXPECT_EQ(CaptionTexts(), std::vector<std::string>{"a.bmp"});

    TempDir copies;
    BrowserWindow->CellClick(BrowserWindow->Cells[0]);
    dialogs.FolderAnswers = {copies.Path()};
    BrowserWindow->Msols1->Click();
    ASSERT_TRUE(WaitForBuild());
    EXPECT_TRUE(FileExists(copies.File("a.bmp")));
    EXPECT_TRUE(FileExists(dir.File("a.bmp")));
    EXPECT_EQ(CaptionTexts(), std::vector<std::string>{"a.bmp"});
}

TEST_F(Browser, DeleteWithOneMarkOnAnotherFileDeletesTheCurrentFile) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    OpenAndWait(dir);
    TransformationsWindow->FileListBox->SetSelected(0, false);
    TransformationsWindow->FileListBox->SetSelected(2, true);  // a.bmp is the current file
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrYes};
    BrowserWindow->Trls1->Click();
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
    for (int i : {0, 2, 3}) TransformationsWindow->FileListBox->SetSelected(i, true);
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrYes};
    BrowserWindow->Trls1->Click();
    ASSERT_TRUE(WaitForBuild());
    EXPECT_EQ(dialogs.Questions.at(0).Message, "FIGYELEM!\rÖn több fájlt is kijelölt törlésre!\rTörli őket?");
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"b.bmp", "e.bmp"}));
    EXPECT_TRUE(FileExists(dir.File("b.bmp")));
    EXPECT_FALSE(FileExists(dir.File("d.bmp")));
}

TEST_F(Browser, DeleteAnsweredNoOrWithNothingMarkedChangesNothing) {
    for (const char* name : {"a.bmp", "b.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    OpenAndWait(dir);
    BrowserWindow->CellClick(BrowserWindow->Cells[1]);
    BrowserWindow->CellClick(BrowserWindow->Cells[0]);  // now only b.bmp is marked, and its cell shows it
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrNo};
    BrowserWindow->Trls1->Click();
    EXPECT_TRUE(FileExists(dir.File("a.bmp")));
    EXPECT_EQ(BrowserWindow->Cells[1]->Color(), Viewer.coSelect);  // not rebuilt

    BrowserWindow->CellClick(BrowserWindow->Cells[1]);  // nothing marked
    TPanel* first = BrowserWindow->Cells[0];
    RecordedErrors errors;
    dialogs.MessageAnswers = {mrYes};
    Application.Dispatch([] { BrowserWindow->Trls1->Click(); });
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find("Value must be between"), std::string::npos);
    EXPECT_TRUE(FileExists(dir.File("a.bmp")));
    EXPECT_TRUE(FileExists(dir.File("b.bmp")));
    EXPECT_FALSE(BrowserWindow->Building());
    EXPECT_EQ(BrowserWindow->Cells[0], first);
}

TEST_F(Browser, TheItemsOutsideTheFileOperationsDoNothing) {
    for (const char* name : {"a.bmp", "b.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    OpenAndWait(dir);
    const std::string before = ReadFileBytes(dir.File("a.bmp"));
    ScriptedDialogs dialogs;
    BrowserWindow->Kicsinytsahatodra1->Click();
    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_FALSE(BrowserWindow->Building());
    EXPECT_EQ(ReadFileBytes(dir.File("a.bmp")), before);
    EXPECT_EQ(FileWindow->FileListBox->Count(), 2);
}

TEST_F(Browser, AnEmptyFolderShowsAnEmptyAreaAndLeavesTheGauge) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    WriteBmp(dir, "b.bmp", 8, 8, clRed);
    OpenAndWait(dir);
    TempDir empty;
    FileWindow->DirectoryListBox->SetDirectory(empty.Path());  // rebuilds the visible browser
    ASSERT_TRUE(WaitForBuild());
    EXPECT_TRUE(BrowserWindow->Cells.empty());
    EXPECT_EQ(BrowserWindow->Gauge1->MaxValue(), 1);
    EXPECT_EQ(BrowserWindow->Gauge1->Progress(), 1);
    EXPECT_TRUE(BrowserWindow->ScrollBox1->Enabled());
}

TEST_F(Browser, ADamagedPictureLeavesItsCellEmptyWithItsCaptionAndTheBuildGoesOn) {
    WriteBmp(dir, "a.bmp", 40, 30, clRed);
    dir.Write("b.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
    dir.Write("c.bmp", "BM");
    WriteJpeg(dir, "d.jpg", 64, 48, clBlue);
    RecordedErrors errors;
    OpenAndWait(dir);
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"a.bmp", "b.jpg", "c.bmp", "d.jpg"}));
    EXPECT_TRUE(BrowserWindow->Thumbnails[1]->Picture().Graphic() == nullptr);
    EXPECT_TRUE(BrowserWindow->Thumbnails[2]->Picture().Graphic() == nullptr);
    EXPECT_TRUE(BrowserWindow->Cells[1]->Visible());
    EXPECT_EQ(BrowserWindow->Thumbnails[3]->Picture().Width(), 72);
    EXPECT_TRUE(errors.Messages.empty());
}

TEST_F(Browser, AnAnimatedGifShowsItsFirstFrameStill) {
    GifWriter gif(40, 20, {clRed, clBlue});
    gif.GraphicControl(10).Image({0, 0, 40, 20, std::vector<std::uint8_t>(800, 0)});
    gif.GraphicControl(10).Image({0, 0, 40, 20, std::vector<std::uint8_t>(800, 1)});
    dir.Write("anim.gif", gif.Bytes());
    OpenAndWait(dir);
    TImage* image = BrowserWindow->Thumbnails[0];
    EXPECT_EQ(image->BoundsRect(), Bounds(4, 19, 72, 36));
    EXPECT_STREQ(image->Picture().Graphic()->ClassName(), "TBitmap");
    EXPECT_EQ(image->Picture().Bitmap().Pixel(30, 20), clRed);
}

TEST_F(Browser, ClosingDuringABuildStopsIt) {
    for (int i = 0; i < 6; ++i) WriteBmp(dir, "p" + IntToStr(i) + ".bmp", 8, 8, clRed);
    {
        HeldPool held;
        BrowserWindow->Workers = &held.pool;
        Open(dir);
        ASSERT_TRUE(BrowserWindow->Building());
        EXPECT_FALSE(BrowserWindow->ScrollBox1->Enabled());
        BrowserWindow->MorphButton1Click(BrowserWindow->MorphButton1);
        EXPECT_FALSE(BrowserWindow->Building());
        held.Drain();
        EXPECT_TRUE(BrowserWindow->Cells.empty());
        EXPECT_TRUE(MainWindow->Visible());
    }
    {
        // Closed by the platform while cells arrive: those made stay, no more come.
        HeldPool held;
        BrowserWindow->Workers = &held.pool;
        Open(dir);
        held.Release();
        ASSERT_TRUE(RunMessagesUntil([] { return BrowserWindow->Cells[0] != nullptr; }));
        BrowserWindow->Close();
        EXPECT_FALSE(BrowserWindow->Visible());
        const auto made = std::count_if(BrowserWindow->Cells.begin(), BrowserWindow->Cells.end(), [](TPanel* c) { return c; });
        held.Drain();
        EXPECT_EQ(std::count_if(BrowserWindow->Cells.begin(), BrowserWindow->Cells.end(), [](TPanel* c) { return c; }), made);
        EXPECT_GE(made, 1);
        EXPECT_EQ(MainWindow->BoundsRect(), BrowserWindow->BoundsRect());
    }
}

TEST_F(Browser, ANewBuildCancelsTheOldOne) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    TempDir other;
    for (const char* name : {"x.bmp", "y.bmp"}) WriteBmp(other, name, 8, 8, clBlue);
    HeldPool held;
    BrowserWindow->Workers = &held.pool;
    Open(dir);
    FileWindow->DirectoryListBox->SetDirectory(other.Path());  // the folder changes under the browser
    held.Release();
    ASSERT_TRUE(WaitForBuild());
    held.Drain();
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"x.bmp", "y.bmp"}));
    EXPECT_EQ(BrowserWindow->Thumbnails[0]->Picture().Bitmap().Pixel(0, 0), clBlue);
}

TEST_F(Browser, NumpadZeroOpensTheBrowserInPlaceOfTheMainWindowAndClosesIt) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    FileWindow->DirectoryListBox->SetDirectory(dir.Path());
    MainWindow->SetBounds(120, 80, 640, 480);
    MainWindow->Activate();
    ASSERT_TRUE(MainWindow->Active());
    std::uint16_t key = VK_NUMPAD0;
    MainWindow->FormKeyDown(MainWindow, key, 0);
    EXPECT_TRUE(BrowserWindow->Visible());
    EXPECT_FALSE(MainWindow->Visible());
    EXPECT_EQ(BrowserWindow->BoundsRect(), Bounds(120, 80, 640, 480));
    ASSERT_TRUE(WaitForBuild());

    Viewer.FileWindowShown = true;
    BrowserWindow->SetBounds(200, 150, 700, 500);
    key = VK_NUMPAD0;
    BrowserWindow->FormKeyDown(BrowserWindow, key, 0);  // the browser passes it on
    EXPECT_FALSE(BrowserWindow->Visible());
    EXPECT_TRUE(MainWindow->Visible());
    EXPECT_EQ(MainWindow->BoundsRect(), Bounds(200, 150, 700, 500));
    EXPECT_TRUE(FileWindow->Visible());
    EXPECT_TRUE(BrowserWindow->Cells.empty());
}

}  // namespace

// The cells act on the files they were built from. A re-read of the lists
// while the browser is shown (here the file window's filter) stops the build
// at once and builds the cells of the new lists; until then an old cell marks
// its own file or nothing.
class BrowserAfterARead : public Browser {
protected:
    void SetUp() override {
        Browser::SetUp();
        WriteBmp(dir, "a.bmp", 8, 8, clRed);
        for (const char* name : {"b.jpg", "c.jpg", "d.jpg"}) WriteJpeg(dir, name, 8, 8, clRed);
    }
    static void ChooseJpegFilter() {
        FileWindow->FilterComboBox->SetItemIndex(2);
        FileWindow->FilterComboBoxChange();
    }
    static std::set<std::string> FolderNames(const std::string& folder) {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
        return names;
    }
    static std::vector<std::string> MarkedNames() {
        std::vector<std::string> names;
        TFileListBox* marks = TransformationsWindow->FileListBox;
        for (int i = 0; i < marks->Count(); ++i)
            if (marks->Selected(i)) names.push_back(marks->Items()[i]);
        return names;
    }
};

TEST_F(BrowserAfterARead, AFilterChangeRebuildsAndTheMarkedCellsAreDeletedNotTheirNeighbours) {
    OpenAndWait(dir);
    ChooseJpegFilter();
    ASSERT_TRUE(RunMessagesUntil([] { return CaptionTexts().size() == 3 && !BrowserWindow->Building(); }));
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"b.jpg", "c.jpg", "d.jpg"}));
    TransformationsWindow->FileListBox->ClearSelection();
    BrowserWindow->CellClick(BrowserWindow->Cells[0]);  // b.jpg
    BrowserWindow->CellClick(BrowserWindow->Cells[2]);  // d.jpg
    EXPECT_EQ(MarkedNames(), (std::vector<std::string>{"b.jpg", "d.jpg"}));
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers.push_back(mrYes);
    BrowserWindow->Trls1Click(BrowserWindow->Trls1);
    EXPECT_EQ(FolderNames(dir.Path()), (std::set<std::string>{"a.bmp", "c.jpg"}));
}

TEST_F(BrowserAfterARead, TheOldCellsMarkAndOpenTheirOwnFilesUntilTheRebuild) {
    OpenAndWait(dir);
    TransformationsWindow->FileListBox->ClearSelection();
    std::vector<TPanel*> old = BrowserWindow->Cells;
    ChooseJpegFilter();  // the rebuild waits for the message loop
    ASSERT_EQ(BrowserWindow->Cells, old);
    BrowserWindow->CellClick(old[0]);  // a.bmp has left the lists: nothing to mark
    BrowserWindow->CellClick(old[1]);  // b.jpg, now the first entry
    EXPECT_EQ(MarkedNames(), std::vector<std::string>{"b.jpg"});
    EXPECT_EQ(old[1]->Color(), Viewer.coSelect);
    EXPECT_EQ(old[0]->Color(), Viewer.co1);
    BrowserWindow->CellDblClick(old[2]);  // c.jpg
    EXPECT_EQ(FileWindow->FileName->Caption(), dir.File("c.jpg"));
    EXPECT_EQ(FileWindow->FileListBox->ItemIndex(), 1);
    EXPECT_FALSE(BrowserWindow->Visible());
}

TEST_F(BrowserAfterARead, AReReadStopsTheBuildAtOnceAndCaptionsComeFromTheBuildsOwnList) {
    HeldPool held;
    BrowserWindow->Workers = &held.pool;
    Open(dir);
    ASSERT_TRUE(BrowserWindow->Building());
    ChooseJpegFilter();  // the lists shrink under the build
    EXPECT_FALSE(BrowserWindow->Building());
    held.Release();
    ASSERT_TRUE(RunMessagesUntil([] { return CaptionTexts().size() == 3 && !BrowserWindow->Building(); }));
    held.Drain();
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"b.jpg", "c.jpg", "d.jpg"}));
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(BrowserWindow->CellPaths[i], dir.File(CaptionTexts()[i]));
}

TEST_F(Browser, ThereIsNoSidewaysScrollingWhateverTheWidth) {
    for (int i = 0; i < 30; ++i) WriteBmp(dir, "p" + IntToStr(100 + i) + ".bmp", 8, 8, clRed);
    OpenAndWait(dir);
    for (int width : {600, 614, 450, 601}) {
        BrowserWindow->SetBounds(BrowserWindow->Left(), BrowserWindow->Top(), width, 403);
        test_input::ProcessEventsFor(30);
        TScrollBox& area = *BrowserWindow->ScrollBox1;
        EXPECT_FALSE(area.HorzScrollBar().Visible());
        EXPECT_EQ(area.HorzScrollBar().Range(), 0) << width;
        EXPECT_GT(area.VertScrollBar().Range(), 0) << width;
        int right = 0;
        for (TPanel* cell : BrowserWindow->Cells) right = std::max(right, cell->Left() + cell->Width());
        EXPECT_LE(right, area.ClientWidth()) << width;
        EXPECT_EQ(BrowserWindow->Cells[1]->Left(), 90);
    }
}
