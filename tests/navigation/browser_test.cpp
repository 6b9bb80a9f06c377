// The thumbnail browser: the cells and their grid, marking, opening, the
// file operations of the cell menu, the background build and its
// cancellation, and numpad 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "BrowserFixture.h"
#include "GifWriter.h"
#include "platform/SysUtils.h"
#include "platform/services/Dialogs.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

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
    const TCellGrid& cells = *BrowserWindow->Cells;
    EXPECT_EQ(cells.Cell(0).Place, Bounds(4, 9, 72, 56));
    EXPECT_EQ(cells.Cell(1).Place, Bounds(18, 4, 44, 66));
    EXPECT_EQ(cells.Cell(2).Place.Width(), 72);
    EXPECT_EQ(cells.Cell(2).Place.Height(), 36);
    // The thumbnail holds no more pixels than it shows.
    EXPECT_EQ(PictureOf(1)->Width(), 44);
    EXPECT_EQ(PicturePixel(1, 20, 30), clBlue);
    ASSERT_EQ(cells.Count(), 3);
    for (int i = 0; i < cells.Count(); ++i) {
        EXPECT_EQ(cells.CellBounds(i).Width(), 80);
        EXPECT_EQ(cells.CellBounds(i).Height(), 90);
        EXPECT_EQ(CellColor(i), Viewer.co1);
    }
    EXPECT_EQ(BrowserWindow->Gauge1->MaxValue(), 2);
    EXPECT_EQ(BrowserWindow->Gauge1->Progress(), 2);
    EXPECT_TRUE(BrowserWindow->ScrollBox1->Enabled());
    EXPECT_TRUE(cells.Enabled());
}

TEST_F(Browser, SevenCellsStandInARowOf614PixelsAndTheGridReflowsOnResize) {
    for (int i = 0; i < 9; ++i) WriteBmp(dir, "p" + IntToStr(i) + ".bmp", 8, 8, clRed);
    OpenAndWait(dir);
    ASSERT_EQ(BrowserWindow->ScrollBox1->Width(), 614);
    const TCellGrid& cells = *BrowserWindow->Cells;
    for (int i = 0; i < 7; ++i) EXPECT_EQ(cells.CellBounds(i), Bounds(5 + 85 * i, 5, 80, 90)) << i;
    EXPECT_EQ(cells.CellBounds(7), Bounds(5, 100, 80, 90));
    EXPECT_EQ(cells.CellBounds(8), Bounds(90, 100, 80, 90));

    BrowserWindow->SetBounds(BrowserWindow->Left(), BrowserWindow->Top(), 300, 403);  // three to a row
    EXPECT_EQ(cells.CellBounds(2), Bounds(175, 5, 80, 90));
    EXPECT_EQ(cells.CellBounds(3), Bounds(5, 100, 80, 90));
    EXPECT_EQ(cells.CellBounds(8), Bounds(175, 195, 80, 90));
    BrowserWindow->SetBounds(BrowserWindow->Left(), BrowserWindow->Top(), 900, 403);  // ten would fit
    EXPECT_EQ(cells.CellBounds(8), Bounds(685, 5, 80, 90));
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
    EXPECT_EQ(CellColor(0), Viewer.co1);
    const TPoint picture = InCell(0, 40, 30), caption = InCell(1, 40, 84);
    test_input::SendClick(*BrowserWindow->Cells, picture.X, picture.Y);
    EXPECT_FALSE(TransformationsWindow->FileListBox->Selected(0));
    EXPECT_EQ(CellColor(0), Viewer.co1);
    test_input::SendClick(*BrowserWindow->Cells, caption.X, caption.Y);
    EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(1));
    EXPECT_EQ(CellColor(1), Viewer.coSelect);
}

TEST_F(Browser, ADoubleClickOpensThePictureWhereTheBrowserStood) {
    WriteBmp(dir, "a.bmp", 8, 8, clRed);
    WriteBmp(dir, "b.bmp", 30, 20, clBlue);
    OpenAndWait(dir);
    Viewer.FileWindowShown = false;
    BrowserWindow->SetBounds(150, 60, 700, 500);
    const TPoint at = InCell(1, 40, 40);
    test_input::SendDblClick(*BrowserWindow->Cells, at.X, at.Y);  // its first press marks b.bmp
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
    BrowserWindow->CellClick(0);  // unmark a.bmp
    BrowserWindow->CellClick(1);
    BrowserWindow->CellClick(2);
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
    BrowserWindow->CellClick(0);
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
    BrowserWindow->CellClick(1);
    BrowserWindow->CellClick(0);  // now only b.bmp is marked, and its cell shows it
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrNo};
    BrowserWindow->Trls1->Click();
    EXPECT_TRUE(FileExists(dir.File("a.bmp")));
    EXPECT_EQ(CellColor(1), Viewer.coSelect);  // not rebuilt

    BrowserWindow->CellClick(1);  // nothing marked
    const TGraphic* first = PictureOf(0);
    RecordedErrors errors;
    dialogs.MessageAnswers = {mrYes};
    Application.Dispatch([] { BrowserWindow->Trls1->Click(); });
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find("Value must be between"), std::string::npos);
    EXPECT_TRUE(FileExists(dir.File("a.bmp")));
    EXPECT_TRUE(FileExists(dir.File("b.bmp")));
    EXPECT_FALSE(BrowserWindow->Building());
    ASSERT_EQ(BrowserWindow->Cells->Count(), 2);  // a rebuild empties the grid at once
    EXPECT_EQ(PictureOf(0), first);
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
    EXPECT_EQ(BrowserWindow->Cells->Count(), 0);
    EXPECT_TRUE(BrowserWindow->CellPaths.empty());
    EXPECT_EQ(BrowserWindow->Gauge1->MaxValue(), 1);
    EXPECT_EQ(BrowserWindow->Gauge1->Progress(), 1);
    EXPECT_TRUE(BrowserWindow->ScrollBox1->Enabled());
    EXPECT_TRUE(BrowserWindow->Cells->Enabled());
}

TEST_F(Browser, ADamagedPictureLeavesItsCellEmptyWithItsCaptionAndTheBuildGoesOn) {
    WriteBmp(dir, "a.bmp", 40, 30, clRed);
    dir.Write("b.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
    dir.Write("c.bmp", "BM");
    WriteJpeg(dir, "d.jpg", 64, 48, clBlue);
    RecordedErrors errors;
    OpenAndWait(dir);
    EXPECT_EQ(CaptionTexts(), (std::vector<std::string>{"a.bmp", "b.jpg", "c.bmp", "d.jpg"}));
    EXPECT_TRUE(PictureOf(1) == nullptr);
    EXPECT_TRUE(PictureOf(2) == nullptr);
    EXPECT_EQ(BrowserWindow->Cells->Count(), 4);  // the empty cells stand in the grid
    EXPECT_EQ(PictureOf(3)->Width(), 72);
    EXPECT_TRUE(errors.Messages.empty());
}

TEST_F(Browser, AnAnimatedGifShowsItsFirstFrameStill) {
    GifWriter gif(40, 20, {clRed, clBlue});
    gif.GraphicControl(10).Image({0, 0, 40, 20, std::vector<std::uint8_t>(800, 0)});
    gif.GraphicControl(10).Image({0, 0, 40, 20, std::vector<std::uint8_t>(800, 1)});
    dir.Write("anim.gif", gif.Bytes());
    OpenAndWait(dir);
    EXPECT_EQ(BrowserWindow->Cells->Cell(0).Place, Bounds(4, 19, 72, 36));
    EXPECT_STREQ(PictureOf(0)->ClassName(), "TBitmap");
    EXPECT_EQ(PicturePixel(0, 30, 20), clRed);
}

TEST_F(Browser, ClosingDuringABuildStopsIt) {
    for (int i = 0; i < 6; ++i) WriteBmp(dir, "p" + IntToStr(i) + ".bmp", 8, 8, clRed);
    {
        HeldPool held;
        BrowserWindow->Workers = &held.pool;
        Open(dir);
        ASSERT_TRUE(BrowserWindow->Building());
        EXPECT_FALSE(BrowserWindow->Cells->Enabled());
        EXPECT_TRUE(BrowserWindow->ScrollBox1->Enabled());  // the area scrolls while the cells come
        BrowserWindow->MorphButton1Click(BrowserWindow->MorphButton1);
        EXPECT_FALSE(BrowserWindow->Building());
        held.Drain();
        EXPECT_EQ(BrowserWindow->Cells->Count(), 0);
        EXPECT_TRUE(MainWindow->Visible());
    }
    {
        // Closed by the platform while cells arrive: those made stay, no more come.
        HeldPool held;
        BrowserWindow->Workers = &held.pool;
        Open(dir);
        held.Release();
        ASSERT_TRUE(RunMessagesUntil([] { return BrowserWindow->Cells->Count() > 0; }));
        BrowserWindow->Close();
        EXPECT_FALSE(BrowserWindow->Visible());
        const int made = BrowserWindow->Cells->Count();
        held.Drain();
        EXPECT_EQ(BrowserWindow->Cells->Count(), made);
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
    EXPECT_EQ(PicturePixel(0, 0, 0), clBlue);
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
    EXPECT_EQ(BrowserWindow->Cells->Count(), 0);
    EXPECT_TRUE(BrowserWindow->CellPaths.empty());
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
    BrowserWindow->CellClick(0);  // b.jpg
    BrowserWindow->CellClick(2);  // d.jpg
    EXPECT_EQ(MarkedNames(), (std::vector<std::string>{"b.jpg", "d.jpg"}));
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers.push_back(mrYes);
    BrowserWindow->Trls1Click(BrowserWindow->Trls1);
    EXPECT_EQ(FolderNames(dir.Path()), (std::set<std::string>{"a.bmp", "c.jpg"}));
}

TEST_F(BrowserAfterARead, TheOldCellsMarkAndOpenTheirOwnFilesUntilTheRebuild) {
    OpenAndWait(dir);
    TransformationsWindow->FileListBox->ClearSelection();
    const std::vector<std::string> old = CaptionTexts();
    ChooseJpegFilter();  // the rebuild waits for the message loop
    ASSERT_EQ(CaptionTexts(), old);
    BrowserWindow->CellClick(0);  // a.bmp has left the lists: nothing to mark
    BrowserWindow->CellClick(1);  // b.jpg, now the first entry
    EXPECT_EQ(MarkedNames(), std::vector<std::string>{"b.jpg"});
    EXPECT_EQ(CellColor(1), Viewer.coSelect);
    EXPECT_EQ(CellColor(0), Viewer.co1);
    BrowserWindow->CellDblClick(2);  // c.jpg
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
        for (int i = 0; i < BrowserWindow->Cells->Count(); ++i) right = std::max(right, BrowserWindow->Cells->CellBounds(i).Right);
        EXPECT_LE(right, area.ClientWidth()) << width;
        EXPECT_LE(BrowserWindow->Cells->Width(), area.ClientWidth()) << width;
        EXPECT_EQ(BrowserWindow->Cells->CellBounds(1).Left, 90);
    }
}

TEST_F(Browser, OneControlDrawsEveryCellWhereverTheAreaIsScrolled) {
    for (int i = 0; i < 40; ++i) WriteBmp(dir, "p" + IntToStr(100 + i) + ".bmp", 80, 70, i == 39 ? clBlue : clRed);
    OpenAndWait(dir);
    TScrollBox& area = *BrowserWindow->ScrollBox1;
    EXPECT_EQ(area.ControlCount(), 1);
    auto shownAt = [&](const TBitmap& form, TPoint inGrid) {
        const TPoint at = BrowserWindow->ScreenToClient(BrowserWindow->Cells->ClientToScreen(inGrid));
        return form.Pixel(at.X, at.Y);
    };
    TBitmap form = BrowserWindow->GetFormImage();
    EXPECT_EQ(shownAt(form, InCell(0, 0, 0)), clWhite);  // the raised bevel
    EXPECT_EQ(shownAt(form, InCell(0, 2, 2)), Viewer.co1);
    EXPECT_EQ(shownAt(form, InCell(0, 40, 40)), clRed);
    EXPECT_EQ(shownAt(form, InCell(0, 82, 40)), Viewer.co2);  // the area between cells

    area.VertScrollBar().SetPosition(area.VertScrollBar().Range());
    ASSERT_GT(area.VertScrollBar().Position(), 0);
    form = BrowserWindow->GetFormImage();
    EXPECT_EQ(shownAt(form, InCell(39, 40, 40)), clBlue);
    EXPECT_EQ(shownAt(form, InCell(38, 40, 40)), clRed);
    EXPECT_EQ(shownAt(form, InCell(39, 2, 2)), Viewer.co1);
}

TEST_F(Browser, ARightClickOnACellOpensTheMenu) {
    for (const char* name : {"a.bmp", "b.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
    OpenAndWait(dir);
    const TPoint gap = InCell(0, 82, 40), cell = InCell(1, 40, 80);
    test_input::SendMouseDown(*BrowserWindow->Cells, mbRight, gap.X, gap.Y);
    EXPECT_FALSE(BrowserWindow->PopupMenu.PoppedUp());
    test_input::SendMouseDown(*BrowserWindow->Cells, mbRight, cell.X, cell.Y);
    EXPECT_TRUE(BrowserWindow->PopupMenu.PoppedUp());
    BrowserWindow->PopupMenu.CloseMenu();
    EXPECT_FALSE(TransformationsWindow->FileListBox->Selected(1));  // a right click marks nothing
}

// Ten thousand pictures: one control holds them all, the message loop turns
// again and again while they come, a key pressed in the middle of the build
// is handled in the middle of it, and every cell, the last one included,
// stands in the grid. (How long the loop is ever held is measured by
// bench/navigation/browser_bench.)
TEST_F(Browser, TenThousandCellsComeWithoutHoldingTheInterface) {
    constexpr int Count = 10000;
    const std::string bytes = SolidBitmap(80, 10, clRed).SaveToBytes();
    for (int i = 0; i < Count; ++i) dir.Write("p" + std::to_string(100000 + i) + ".bmp", bytes);
    Open(dir);
    int turns = 0;
    ASSERT_TRUE(RunMessagesUntil([&] {
        const int made = BrowserWindow->Cells->Count();
        turns += made > 0 && made < Count;
        return !BrowserWindow->Building();
    }));
    EXPECT_GT(turns, 100);
    const TCellGrid& cells = *BrowserWindow->Cells;
    ASSERT_EQ(cells.Count(), Count);
    EXPECT_EQ(BrowserWindow->ScrollBox1->ControlCount(), 1);
    EXPECT_EQ(CaptionTexts().back(), "p109999.bmp");
    EXPECT_EQ(BrowserWindow->Gauge1->Progress(), Count - 1);
    auto expectTheLastCellInTheGrid = [&] {
        TScrollBox& area = *BrowserWindow->ScrollBox1;
        const int perRow = (area.ClientWidth() - 5) / 85, rows = (Count + perRow - 1) / perRow;
        EXPECT_EQ(cells.CellBounds(Count - 1), Bounds(5 + (Count - 1) % perRow * 85, 5 + (rows - 1) * 95, 80, 90));
        EXPECT_EQ(area.VertScrollBar().Range(), rows * 95 - area.ClientHeight());
    };
    expectTheLastCellInTheGrid();
    BrowserWindow->SetBounds(BrowserWindow->Left(), BrowserWindow->Top(), 300, 403);
    expectTheLastCellInTheGrid();

    BrowserWindow->Build();
    ASSERT_TRUE(RunMessagesUntil([] { return BrowserWindow->Cells->Count() >= 100; }));
    ASSERT_TRUE(BrowserWindow->Building());
    test_input::SendKey(*BrowserWindow, VK_NUMPAD0);
    EXPECT_FALSE(BrowserWindow->Visible());
    EXPECT_FALSE(BrowserWindow->Building());
    EXPECT_EQ(cells.Count(), 0);
    EXPECT_TRUE(MainWindow->Visible());
}
