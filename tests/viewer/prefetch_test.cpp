// The neighbours decoded ahead: stepping shows each file as it is on disk
// now, a damaged neighbour reports its error only when shown, and stepping
// faster than decoding ends on the right picture with little held.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "BackgroundWork.h"
#include "GifWriter.h"
#include "ViewerSupport.h"
#include "viewer/Prefetch.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

// Runs the message loop until the neighbours of the picture on view are decoded.
bool WaitForPrefetch() {
    Application.ProcessMessages();  // the request for the neighbours
    return RunMessagesUntil([] { return !Prefetch.Busy(); });
}

TColor ShownColour() { return MainWindow->Image->Picture().Bitmap().Pixel(5, 5); }

// A JPEG's solid colour comes back within a few steps of each channel.
bool NearlyBlue(TColor colour) { return (colour & 0xFF) < 16 && ((colour >> 8) & 0xFF) < 16 && (colour >> 16) > 240; }

void Step(bool forward) {
    Application.Dispatch([forward] { MainWindow->StepPicture(forward); });
}

class PrefetchTest : public testing::Test {
protected:
    void TearDown() override { DestroyWindows(); }
    std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
};

TEST_F(PrefetchTest, AFileChangedAfterItWasDecodedIsShownAsItIsNow) {
    WriteBmp(*dir, "a.bmp", 40, 30, clRed);
    const std::string b = WriteBmp(*dir, "b.bmp", 40, 30, clGreen);
    const std::string c = WriteJpeg(*dir, "c.jpg", 40, 30, clGreen);
    StartViewer(dir->Path());
    ASSERT_TRUE(WaitForPrefetch());
    ASSERT_EQ(Prefetch.Count(), 2);

    // The same size on disk, only the time tells the change.
    const auto time = std::filesystem::last_write_time(b);
    WriteBmp(*dir, "b.bmp", 40, 30, clBlue);
    std::filesystem::last_write_time(b, time + std::chrono::seconds(2));
    // Another size.
    WriteJpeg(*dir, "c.jpg", 64, 48, clBlue);

    Step(true);
    EXPECT_EQ(ShownColour(), clBlue);
    EXPECT_EQ(MainWindow->BottomLabel->Caption(), " 2/3 | 3KB | 40x30x24bit");
    ASSERT_TRUE(WaitForPrefetch());
    Step(true);
    EXPECT_EQ(Viewer.PictureWidth, 64);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - c.jpg");
    // An unchanged neighbour shows as it is too.
    ASSERT_TRUE(WaitForPrefetch());
    Step(true);
    EXPECT_EQ(ShownColour(), clRed);
    EXPECT_EQ(Viewer.PictureWidth, 40);
}

TEST_F(PrefetchTest, ADamagedNeighbourReportsItsErrorOnlyWhenShown) {
    WriteJpeg(*dir, "a.jpg", 40, 30, clRed);
    const std::string damaged = dir->Write("b.jpg", "no picture in here");
    WriteJpeg(*dir, "c.jpg", 40, 30, clBlue);
    std::string expected;
    try {
        TPicture picture;
        picture.LoadFromFile(damaged);
    } catch (const std::exception& error) {
        expected = error.what();
    }
    ASSERT_FALSE(expected.empty());

    RecordedErrors errors;
    StartViewer(dir->Path());
    ASSERT_TRUE(WaitForPrefetch());
    EXPECT_TRUE(errors.Messages.empty());
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - a.jpg");

    Step(true);
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_EQ(errors.Messages[0], expected);
    // As without a prefetch: the display was emptied, the bars keep their texts.
    EXPECT_EQ(MainWindow->Image->Picture().Width(), 0);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - a.jpg");

    ASSERT_TRUE(WaitForPrefetch());
    Step(true);
    EXPECT_EQ(errors.Messages.size(), 1u);
    EXPECT_TRUE(NearlyBlue(ShownColour()));
    Step(false);
    EXPECT_EQ(errors.Messages.size(), 2u);
}

TEST_F(PrefetchTest, RapidSteppingEndsOnTheRightPictureWithLittleHeld) {
    // Each picture is one pixel wider than the one before it; one GIF among them.
    for (int i = 0; i < 49; ++i) WriteJpeg(*dir, "p" + std::to_string(100 + i) + ".jpg", 300 + i, 200, clGreen);
    GifImage frame{0, 0, 2, 2, {0, 1, 1, 0}};
    dir->Write("p149.gif", GifWriter(2, 2, {clRed, clBlue}).Image(frame).Bytes());
    StartViewer(dir->Path());
    ASSERT_EQ(FileWindow->FileListBox->Count(), 50);

    for (int i = 0; i < 57; ++i) {
        Step(true);
        Application.ProcessMessages();  // the prefetch follows, cancelling what is outdated
        ASSERT_LE(Prefetch.Count(), 2);
    }
    for (int i = 0; i < 3; ++i) {
        Step(false);
        Application.ProcessMessages();
        ASSERT_LE(Prefetch.Count(), 2);
    }
    // 57 on and 3 back from the first picture, round a folder of 50.
    EXPECT_EQ(FileWindow->FileListBox->ItemIndex(), 4);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - p104.jpg");
    EXPECT_EQ(Viewer.PictureWidth, 304);
    ASSERT_TRUE(WaitForPrefetch());
    EXPECT_EQ(Prefetch.Count(), 2);

    // Beside the GIF only the other neighbour is decoded ahead.
    FileWindow->FileListBox->SetItemIndex(0);
    FileWindow->FileListBoxChange();
    ASSERT_TRUE(WaitForPrefetch());
    EXPECT_EQ(Prefetch.Count(), 1);
    Step(false);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - p149.gif");
}

}  // namespace
