// The picture on view is never written back stale: after a batch that wrote,
// moved or deleted files, or after another program changed the file, R turns
// the file as it is on disk, and a file that is gone is not made anew.
#include "GifWriter.h"
#include "ImageOpsSupport.h"
#include "platform/services/Dialogs.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class HeldPictures : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        a = WritePicture("a.jpg", Numbered(10, 6));
        b = WritePicture("b.jpg", Numbered(7, 9));
        Open();
        View("a.jpg");
    }
    // R, as the main window's turn-right command with a.jpg alone marked.
    void TurnRight() {
        Mark({"a.jpg"});
        MainWindow->ViewCommand(13);
    }
    std::string a, b;
    ScriptedDialogs dialogs;
};

TEST_F(HeldPictures, ATurnBatchThenRTurnsTheFileTwice) {
    Mark({"a.jpg", "b.jpg"});
    TransformationsWindow->TurnBatch(false);
    const TBitmap afterBatch = DecodedJpeg(a);
    ASSERT_EQ(afterBatch.Width(), 6);
    TurnRight();
    EXPECT_EQ(ReadFileBytes(a), JpegBytes(Turned(afterBatch, false), 90));
    EXPECT_EQ(Viewer.PictureWidth, 10);
}

TEST_F(HeldPictures, AConversionBatchThenRTurnsTheReencodedFile) {
    Mark({"a.jpg", "b.jpg"});
    dialogs.MessageAnswers = {mrYes};
    TransformationsWindow->TrackBar1->SetPosition(20);
    TransformationsWindow->ConvertBatch();
    const TBitmap reencoded = DecodedJpeg(a);
    TurnRight();
    EXPECT_EQ(ReadFileBytes(a), JpegBytes(Turned(reencoded, false), 90));
}

TEST_F(HeldPictures, AMirrorBatchOverGifsOnlyLeavesRWorking) {
    GifImage frame;
    frame.width = frame.height = 2;
    frame.pixels.assign(4, 1);
    dir.Write("c.gif", GifWriter(2, 2, {clBlack, clRed}).Image(frame).Bytes());
    TransformationsWindow->FileListBox->Update();
    const TBitmap before = DecodedJpeg(a);
    Mark({"c.gif"});
    TransformationsWindow->MirrorBatch(false);
    RecordedErrors errors;
    Application.Dispatch([&] { TurnRight(); });
    EXPECT_TRUE(errors.Messages.empty());
    EXPECT_EQ(ReadFileBytes(a), JpegBytes(Turned(before, false), 90));
}

TEST_F(HeldPictures, RNeverMakesAMovedOrDeletedFileAnew) {
    TempDir target;
    Mark({"a.jpg"});
    dialogs.FolderAnswers = {target.Path()};
    TransformationsWindow->MoveCopyBatch(true);
    ASSERT_TRUE(FileExists(target.File("a.jpg")));
    RecordedErrors errors;
    Application.Dispatch([] { MainWindow->RotateViewedPicture(false, *TransformationsWindow->Gauge); });
    EXPECT_EQ(errors.Messages.size(), 1u);
    EXPECT_FALSE(FileExists(a));

    // Deleted by another program while on view.
    View("b.jpg");
    DeleteFile(b);
    errors.Messages.clear();
    Application.Dispatch([] { MainWindow->RotateViewedPicture(false, *TransformationsWindow->Gauge); });
    EXPECT_EQ(errors.Messages.size(), 1u);
    EXPECT_FALSE(FileExists(b));
}

TEST_F(HeldPictures, AFileChangedByAnotherProgramIsTurnedAsItIsNow) {
    WriteJpeg(Numbered(4, 4), a + ".new");
    RenameFile(a + ".new", a);  // as an editor saves
    const TBitmap edited = DecodedJpeg(a);
    TurnRight();
    EXPECT_EQ(ReadFileBytes(a), JpegBytes(Turned(edited, false), 90));
}

}  // namespace
