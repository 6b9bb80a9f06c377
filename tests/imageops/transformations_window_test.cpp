// The transformations window: its batches over the marked files, its options,
// and moving and copying that never lose a file.
#include <sys/stat.h>

#include "ImageOpsSupport.h"
#include "appearance/Skin.h"
#include "imageops/CopyFileContents.h"
#include "platform/services/Dialogs.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

using TransformationsWindowTest = WindowTest;

TEST_F(TransformationsWindowTest, ATurnBatchReportsTheFileItCannotTurnAndCountsUp) {
    WritePicture("a.jpg", Numbered(8, 6));
    dir.Write("b.gif", "GIF89a");
    const std::string c = WritePicture("c.bmp", Numbered(5, 3));
    Open();
    View("a.jpg");
    Mark({"a.jpg", "b.gif", "c.bmp"});
    ScriptedDialogs dialogs;
    TransformationsWindow->MorphButton3Click(TransformationsWindow->MorphButton4);
    EXPECT_EQ(dialogs.Messages,
              std::vector<std::string>{"A(z) b.gif fájlt nem sikerült elforgatni (csak jpg-et és bmp-t lehet).\r"});
    ExpectSamePixels(ReadBmp(c), Turned(Numbered(5, 3), true));
    EXPECT_EQ(TransformationsWindow->fileindex->Caption(), "3/3");
}

TEST_F(TransformationsWindowTest, OneMarkedJpegMirroredReloadsTheViewerWithoutAMessage) {
    const std::string a = WritePicture("a.jpg", Numbered(8, 6));
    WritePicture("b.bmp", Numbered(2, 2));
    Open();
    View("a.jpg");
    const TBitmap before = DecodedJpeg(a);
    ScriptedDialogs dialogs;
    TransformationsWindow->MorphButton1Click(TransformationsWindow->MorphButton1);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(ReadFileBytes(a), JpegBytes(Mirrored(before, false), 90));
    ExpectSamePixels(PictureBitmap(*MainWindow->Image->Picture().Graphic()), DecodedJpeg(a));
}

TEST_F(TransformationsWindowTest, TheCounterCountsUpDuringABatchAndShowsTheMarkedCountAfterwards) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WritePicture(name, Numbered(3, 2));
    Open();
    Mark({"a.bmp", "b.bmp", "c.bmp"});
    TransformationsWindow->Show();
    test_input::ProcessEventsFor(50);  // the window is on the screen, so repaints paint at once
    std::vector<std::string> shown;
    TransformationsWindow->fileindex->OnPaint = [&](TObject*) {
        if (shown.empty() || shown.back() != TransformationsWindow->fileindex->Caption()) shown.push_back(TransformationsWindow->fileindex->Caption());
    };
    ScriptedDialogs dialogs;
    for (bool turn : {true, false}) {
        shown.clear();
        turn ? TransformationsWindow->MorphButton3Click(TransformationsWindow->MorphButton3) : TransformationsWindow->MorphButton1Click(TransformationsWindow->MorphButton1);
        EXPECT_EQ(shown, (std::vector<std::string>{"1/3", "2/3", "3/3"}));
    }
    TransformationsWindow->FileListBox->SetItemIndex(1);
    TransformationsWindow->FileListBoxChange();
    EXPECT_EQ(TransformationsWindow->fileindex->Caption(), "3");
}

TEST_F(TransformationsWindowTest, TurnAndScaleBatchesWithNoMarkShowTheGaugesRangeError) {
    WritePicture("a.bmp", Numbered(4, 4));
    Open();
    Mark({});
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrNo};
    RecordedErrors errors;
    Application.Dispatch([] { TransformationsWindow->TurnBatch(false); });
    Application.Dispatch([] { TransformationsWindow->ScaleBatch(); });
    EXPECT_EQ(errors.Messages, std::vector<std::string>(2, "Value must be between 1 and 2147483647"));
    EXPECT_EQ(FolderNames(dir.Path()), std::set<std::string>{"a.bmp"});
}

TEST_F(TransformationsWindowTest, AMoveAnsweredNoKeepsTheFileInBothFolders) {
    TempDir target;
    const std::string a = WritePicture("a.bmp", Numbered(4, 4));
    WritePicture("b.bmp", Numbered(3, 3));
    const std::string held = target.Write("a.bmp", "held");
    const std::string bBytes = ReadFileBytes(dir.File("b.bmp"));
    Open();
    Mark({"a.bmp", "b.bmp"});
    ScriptedDialogs dialogs;
    dialogs.FolderAnswers = {target.Path()};
    dialogs.MessageAnswers = {mrNo};
    TransformationsWindow->MorphButton6Click(TransformationsWindow->MorphButton6);
    EXPECT_EQ(dialogs.Questions.at(0).Message, "A(z) a.bmp fájl már létezik.  Felülírja?");
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>{"A művelet(ek) sikeres(ek) volt(ak)!"});
    EXPECT_EQ(ReadFileBytes(held), "held");
    EXPECT_TRUE(FileExists(a));
    EXPECT_FALSE(FileExists(dir.File("b.bmp")));
    EXPECT_EQ(ReadFileBytes(target.File("b.bmp")), bBytes);
    EXPECT_EQ(TransformationsWindow->FileListBox->Items(), std::vector<std::string>{"a.bmp"});
}

TEST_F(TransformationsWindowTest, CancelEndsAMoveOrCopyAtOnce) {
    for (bool move : {false, true}) {
        TempDir target;
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WritePicture(name, Numbered(3, 2));
        target.Write("b.bmp", "held");
        Open();
        Mark({"a.bmp", "b.bmp", "c.bmp"});
        ScriptedDialogs dialogs;
        dialogs.FolderAnswers = {target.Path()};
        dialogs.MessageAnswers = {mrCancel};
        TransformationsWindow->MoveCopyBatch(move);
        EXPECT_EQ(dialogs.Questions.size(), 1u);
        EXPECT_TRUE(dialogs.Messages.empty());
        EXPECT_EQ(FolderNames(target.Path()), (std::set<std::string>{"a.bmp", "b.bmp"}));
        EXPECT_EQ(ReadFileBytes(target.File("b.bmp")), "held");
        const std::set<std::string> left =
            move ? std::set<std::string>{"b.bmp", "c.bmp"} : std::set<std::string>{"a.bmp", "b.bmp", "c.bmp"};
        EXPECT_EQ(FolderNames(dir.Path()), left);
    }
}

TEST_F(TransformationsWindowTest, MovingOrCopyingIntoTheSameFolderLosesNothing) {
    WritePicture("a.bmp", Numbered(4, 4));
    WritePicture("b.jpg", Numbered(5, 5));
    const std::string aBytes = ReadFileBytes(dir.File("a.bmp")), bBytes = ReadFileBytes(dir.File("b.jpg"));
    Open();
    for (bool move : {false, true}) {
        for (TModalResult answer : {mrYes, mrYesToAll}) {
            Mark({"a.bmp", "b.jpg"});
            ScriptedDialogs dialogs;
            dialogs.FolderAnswers = {dir.Path()};
            dialogs.MessageAnswers = {answer, answer};
            TransformationsWindow->MoveCopyBatch(move);
            EXPECT_EQ(dialogs.Messages.at(0), "\rA(z) " + dir.File("a.bmp") + "fájlt nem sikerült másolni.\rA(z) " +
                                                  dir.File("b.jpg") + "fájlt nem sikerült másolni.");
            EXPECT_EQ(ReadFileBytes(dir.File("a.bmp")), aBytes);
            EXPECT_EQ(ReadFileBytes(dir.File("b.jpg")), bBytes);
            EXPECT_EQ(FolderNames(dir.Path()), (std::set<std::string>{"a.bmp", "b.jpg"}));
        }
    }
}

TEST_F(TransformationsWindowTest, CopyingFaults) {
    TempDir target;
    const std::string source = dir.Write("a.bmp", std::string(50000, 'x'));
    chmod(source.c_str(), 0444);
    EXPECT_TRUE(CopyFileContents(source, target.File("a.bmp")));  // a read-only source copies
    EXPECT_EQ(ReadFileBytes(target.File("a.bmp")), std::string(50000, 'x'));
    EXPECT_FALSE(CopyFileContents(source, dir.Path() + "/../" + ExtractFileName(dir.Path()) + "/a.bmp"));
    EXPECT_FALSE(CopyFileContents(source, target.File("missing/a.bmp")));
    EXPECT_EQ(FolderNames(target.Path()), std::set<std::string>{"a.bmp"});
}

TEST_F(TransformationsWindowTest, TheOptionsAndTheirPartners) {
    TransformationsWindow->RadioButton2->SetChecked(true);
    TransformationsWindow->RadioButton1Click(TransformationsWindow->RadioButton2);
    EXPECT_TRUE(TransformationsWindow->CheckBox1->Checked());
    EXPECT_FALSE(TransformationsWindow->CheckBox1->Enabled());
    TransformationsWindow->RadioButton4->SetChecked(true);
    TransformationsWindow->RadioButton4Click(TransformationsWindow->RadioButton4);
    EXPECT_TRUE(TransformationsWindow->CheckBox1->Checked());
    EXPECT_TRUE(TransformationsWindow->CheckBox1->Enabled());

    Viewer.PictureWidth = 640;
    Viewer.PictureHeight = 480;
    TransformationsWindow->SpinEditW->SetText("320");
    std::uint16_t key = '0';
    TransformationsWindow->SpinEditWKeyUp(TransformationsWindow->SpinEditW, key, 0);
    EXPECT_EQ(TransformationsWindow->SpinEditH->Text(), "240");
    EXPECT_TRUE(TransformationsWindow->LastEditedWidth);

    TransformationsWindow->SpinEditW->SetText("");
    for (char digit : std::string("1234567")) test_input::SendKey(*TransformationsWindow->SpinEditW, static_cast<std::uint16_t>(digit));
    EXPECT_EQ(TransformationsWindow->SpinEditW->Text(), "12345");  // at most five characters

    TransformationsWindow->TrackBar1->SetPosition(30);
    TransformationsWindow->TrackBar1Change(TransformationsWindow->TrackBar1);
    EXPECT_EQ(TransformationsWindow->Label5->Caption(), "Konvertálás   30%");
    TransformationsWindow->ComboBox1->SetItemIndex(1);
    TransformationsWindow->ComboBox1Change(TransformationsWindow->ComboBox1);
    EXPECT_FALSE(TransformationsWindow->TrackBar1->Enabled());
    EXPECT_EQ(TransformationsWindow->Label5->Caption(), "Konvertálás   30%");
    TransformationsWindow->ComboBox1->SetItemIndex(0);
    TransformationsWindow->ComboBox1Change(TransformationsWindow->ComboBox1);
    EXPECT_TRUE(TransformationsWindow->TrackBar1->Enabled());
}

// The up-down buttons step from what was typed; with nothing on view there
// are no proportions for the partner box to follow.
TEST_F(TransformationsWindowTest, TheSizeBoxesStepFromTheTypedValueAndNeedAPictureForProportions) {
    TEdit& width = *TransformationsWindow->SpinEditW;
    TEdit& height = *TransformationsWindow->SpinEditH;
    width.SetText("320");
    TransformationsWindow->W->StepUp();
    EXPECT_EQ(width.Text(), "321");
    height.SetText("77");
    TransformationsWindow->H->StepDown();
    EXPECT_EQ(height.Text(), "76");
    width.SetText("10000");
    TransformationsWindow->W->StepUp();
    EXPECT_EQ(width.Text(), "10000");
    width.SetText("abc");
    TransformationsWindow->W->StepDown();
    EXPECT_EQ(width.Text(), "9999");  // text that is no number: from the last position

    Viewer.PictureWidth = 0;
    Viewer.PictureHeight = 0;
    height.SetText("55");
    std::uint16_t key = '0';
    width.SetText("320");
    TransformationsWindow->SpinEditWKeyUp(&width, key, 0);
    EXPECT_EQ(height.Text(), "55");
    EXPECT_TRUE(TransformationsWindow->LastEditedWidth);
    TransformationsWindow->SpinEditHKeyUp(&height, key, 0);
    EXPECT_EQ(width.Text(), "320");
    EXPECT_FALSE(TransformationsWindow->LastEditedWidth);
}

TEST_F(TransformationsWindowTest, AHandTypedTargetPassesEveryFileOverAndCancelEndsABatch) {
    WritePicture("a.jpg", Numbered(4, 4));
    WritePicture("b.jpg", Numbered(4, 4));
    dir.Write("a.bmp", "old");
    dir.Write("b.bmp", "old");
    Open();
    Mark({"a.jpg", "b.jpg"});
    ScriptedDialogs dialogs;
    TransformationsWindow->ComboBox1->SetText("gif-re");
    TransformationsWindow->ComboBox1Change(TransformationsWindow->ComboBox1);
    EXPECT_FALSE(TransformationsWindow->TrackBar1->Enabled());
    TransformationsWindow->ConvertBatch();
    EXPECT_TRUE(dialogs.Questions.empty());

    Mark({"a.jpg", "b.jpg"});
    TransformationsWindow->ComboBox1->SetItemIndex(1);
    dialogs.MessageAnswers = {mrCancel};
    TransformationsWindow->MorphButton5Click(TransformationsWindow->MorphButton5);
    EXPECT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(ReadFileBytes(dir.File("a.bmp")), "old");
    EXPECT_EQ(ReadFileBytes(dir.File("b.bmp")), "old");
    TransformationsWindow->ComboBox1->SetItemIndex(0);
}

TEST_F(TransformationsWindowTest, TheGaugeTakesTheSchemeColours) {
    const TColor co1 = Viewer.co1, co2 = Viewer.co2;
    Viewer.co1 = RGB(10, 20, 30);
    Viewer.co2 = RGB(200, 100, 50);
    MainWindow->SetSkin();
    EXPECT_EQ(TransformationsWindow->Gauge->BackColor(), RGB(10, 20, 30));
    EXPECT_EQ(TransformationsWindow->Gauge->ForeColor(), RGB(200, 100, 50));
    Viewer.co1 = co1;
    Viewer.co2 = co2;
    MainWindow->SetSkin();
}

// The picture holds the sheet's cell of that strip, 60 % button colour and
// 40 % glyph, magenta kept.
void ExpectGlyph(TPicture& picture, int left, int width, int firstRow, TColor color) {
    const TBitmap& sheet = MainWindow->bt_big->Picture().Bitmap();
    const TBitmap& shown = picture.Bitmap();
    ASSERT_EQ(shown.Width(), width);
    ASSERT_EQ(shown.Height(), glyphsheet::StripHeight);
    auto mix = [](int c, int g) { return static_cast<std::uint8_t>((c * 60 + g * 40) / 100); };
    int drawn = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < width; ++x) {
            const TColor g = sheet.Pixel(left + x, firstRow + y);
            drawn += g != clFuchsia;
            const TColor expected = g == clFuchsia ? g
                                                   : RGB(mix(GetRValue(color), GetRValue(g)),
                                                         mix(GetGValue(color), GetGValue(g)),
                                                         mix(GetBValue(color), GetBValue(g)));
            ASSERT_EQ(shown.Pixel(x, y), expected) << left << ": " << x << "," << y;
        }
    EXPECT_GT(drawn, 0) << "an empty cell at " << left;
}

TEST_F(TransformationsWindowTest, EveryImageButtonShowsItsGlyph) {
    const std::pair<TMorphButton*, int> small[] = {
        {TransformationsWindow->MorphButton1, 12}, {TransformationsWindow->MorphButton2, 11}, {TransformationsWindow->MorphButton3, 14}, {TransformationsWindow->MorphButton4, 15}};
    for (auto [button, cell] : small) {
        ExpectGlyph(button->MorphPic1(), cell * 24, 24, glyphsheet::SmallRestRow, Viewer.ibtc);
        ExpectGlyph(button->MorphPic2(), cell * 24, 24, glyphsheet::SmallLitRow, Viewer.abtc);
    }
    const std::pair<TMorphButton*, int> wide[] = {
        {TransformationsWindow->MorphButton6, 0}, {TransformationsWindow->MorphButton7, 1}, {TransformationsWindow->MorphButton5, 2}, {TransformationsWindow->MorphButton8, 3}};
    for (auto [button, cell] : wide) {
        ExpectGlyph(button->MorphPic1(), cell * 68, 68, glyphsheet::WideRestRow, Viewer.ibtc);
        ExpectGlyph(button->MorphPic2(), cell * 68, 68, glyphsheet::WideLitRow, Viewer.abtc);
    }
}

}  // namespace
