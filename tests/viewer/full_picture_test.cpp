// A photo larger than the picture area is painted first from a reduced
// decoding and then from the full one: the swap keeps the geometry, every
// command that needs the picture's own pixels acts on the full picture even
// before its decoding arrives, and a full picture that arrives late for a
// display that has moved on is dropped.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>

#include "BackgroundWork.h"
#include "ViewerSupport.h"
#include "viewer/Prefetch.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

// Larger than the test window's picture area in both sides: a half covers
// its proportional placement, a quarter does not.
constexpr int PhotoWidth = 1200, PhotoHeight = 900;

// Keeps every shared worker busy until released, so that no decoding queued
// meanwhile starts.
class HeldWorkers {
public:
    HeldWorkers() {
        const std::shared_future<void> gate = gate_.get_future().share();
        for (int i = 0; i < TWorkerPool::Shared().WorkerCount(); ++i)
            TWorkerPool::Shared().Submit([holding = holding_, gate] {
                ++*holding;
                gate.wait();
            });
    }
    ~HeldWorkers() { Release(); }
    // Every worker waits at the gate: whatever ran before has ended.
    bool AllHeld() const { return *holding_ == TWorkerPool::Shared().WorkerCount(); }
    void Release() {
        if (!released_) gate_.set_value();
        released_ = true;
    }

private:
    std::promise<void> gate_;
    std::shared_ptr<std::atomic<int>> holding_ = std::make_shared<std::atomic<int>>(0);
    bool released_ = false;
};

bool Reduced() { return MainWindow->ReducedOnView.Showing(); }
TPicture& Shown() { return MainWindow->Image->Picture(); }
TRect Placed() {
    const TImage& image = *MainWindow->Image;
    return Bounds(image.Left(), image.Top(), image.Width(), image.Height());
}
bool Near(TColor colour, TColor wanted) {
    for (int shift : {0, 8, 16})
        if (std::abs(int((colour >> shift) & 0xFF) - int((wanted >> shift) & 0xFF)) > 16) return false;
    return true;
}

class FullPictureTest : public testing::Test {
protected:
    void TearDown() override {
        workers.Release();
        DestroyWindows();
    }
    void Reload(const std::string& path) {
        Application.Dispatch([&] {
            MainWindow->LoadImage(path, MainWindow->Image, MainWindow->TImg);
            MainWindow->ResizeImage(MainWindow->Image, MainWindow->TImg);
        });
    }
    TempDir dir;
    HeldWorkers workers;
};

TEST_F(FullPictureTest, TheFullPictureTakesTheReducedOnesPlaceOnTheSameGeometry) {
    WriteJpeg(dir, "a.jpg", PhotoWidth, PhotoHeight, clBlue);
    StartViewer(dir.Path());
    ASSERT_TRUE(Reduced());
    EXPECT_EQ(Shown().Width(), PhotoWidth / 2);
    EXPECT_EQ(Shown().Height(), PhotoHeight / 2);
    // The picture's own size stands everywhere it is read.
    EXPECT_EQ(Viewer.PictureWidth, PhotoWidth);
    EXPECT_EQ(Viewer.PictureHeight, PhotoHeight);
    EXPECT_EQ(MainWindow->TImg->Width(), PhotoWidth);
    const std::string info = MainWindow->BottomLabel->Caption();
    EXPECT_EQ(info.substr(info.rfind(' ')), " 1200x900x24bit");
    const TRect placed = Placed();
    EXPECT_LT(placed.Right - placed.Left, PhotoWidth / 2) << "proportional placement in the test window";

    workers.Release();
    ASSERT_TRUE(RunMessagesUntil([] { return !Reduced(); }));
    EXPECT_EQ(Shown().Width(), PhotoWidth);
    EXPECT_EQ(Shown().Height(), PhotoHeight);
    EXPECT_EQ(Placed(), placed);
    EXPECT_TRUE(Near(MainWindow->Image->Picture().Bitmap().Pixel(600, 450), clBlue));
    EXPECT_EQ(MainWindow->BottomLabel->Caption(), info);
    auto* held = dynamic_cast<TJPEGImage*>(MainWindow->TImg->Picture().Graphic());
    ASSERT_NE(held, nullptr);
    EXPECT_TRUE(held->Decoded()) << "the work holder got the decoded picture too";
}

TEST_F(FullPictureTest, ZoomOneToOneAndTurningBeforeTheFullPictureArrivesActOnIt) {
    const std::string photo = WriteJpeg(dir, "a.jpg", PhotoWidth, PhotoHeight, clGreen);
    StartViewer(dir.Path());

    ASSERT_TRUE(Reduced());
    Application.Dispatch([] { MainWindow->ZoomKey(true); });
    EXPECT_FALSE(Reduced());
    EXPECT_EQ(Viewer.FitMode, 4);
    EXPECT_EQ(Shown().Width(), PhotoWidth);
    EXPECT_EQ(MainWindow->Image->Width(), PhotoWidth * 3 / 2);
    EXPECT_EQ(MainWindow->Image->Height(), PhotoHeight * 3 / 2);

    MainWindow->nyjtas1Click(MainWindow->nyjtas1);
    Reload(photo);
    ASSERT_TRUE(Reduced());
    MainWindow->nyjtas1Click(MainWindow->Kzpen1);  // own size, centred
    EXPECT_FALSE(Reduced());
    EXPECT_EQ(Shown().Width(), PhotoWidth);
    EXPECT_EQ(Shown().Height(), PhotoHeight);

    MainWindow->nyjtas1Click(MainWindow->Mozaik1);
    EXPECT_TRUE(Near(Shown().Bitmap().Pixel(PhotoWidth + 5, 5), clGreen)) << "tiled from the full picture";

    MainWindow->nyjtas1Click(MainWindow->nyjtas1);
    Reload(photo);
    ASSERT_TRUE(Reduced());
    ASSERT_EQ(TransformationsWindow->FileListBox->SelCount(), 1);
    Application.Dispatch([] { MainWindow->ViewCommand(13); });  // R
    EXPECT_FALSE(Reduced());
    EXPECT_EQ(Viewer.PictureWidth, PhotoHeight);
    EXPECT_EQ(Viewer.PictureHeight, PhotoWidth);
    EXPECT_EQ(Shown().Width(), PhotoHeight);
    EXPECT_EQ(Shown().Height(), PhotoWidth);
    TJPEGImage written;
    written.LoadFromFile(photo);
    EXPECT_EQ(written.Width(), PhotoHeight);
    EXPECT_EQ(written.Height(), PhotoWidth);

    // The decodings taken meanwhile never come back.
    workers.Release();
    for (int i = 0; i < 20; ++i) Application.ProcessMessages();
    EXPECT_EQ(Shown().Width(), PhotoHeight);
}

TEST_F(FullPictureTest, AFullPictureArrivingAfterTheDisplayMovedOnIsDropped) {
    WriteJpeg(dir, "a.jpg", PhotoWidth, PhotoHeight, clBlue);
    WriteJpeg(dir, "b.jpg", PhotoWidth, PhotoHeight, clRed);
    StartViewer(dir.Path());
    ASSERT_TRUE(Reduced());
    Application.Dispatch([] { MainWindow->StepPicture(true); });
    ASSERT_TRUE(Reduced());
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - b.jpg");

    workers.Release();
    ASSERT_TRUE(RunMessagesUntil([] { return !Reduced() && !Prefetch.Busy(); }));
    for (int i = 0; i < 20; ++i) Application.ProcessMessages();
    EXPECT_EQ(Shown().Width(), PhotoWidth);
    EXPECT_TRUE(Near(Shown().Bitmap().Pixel(600, 450), clRed));
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - b.jpg");
}

TEST_F(FullPictureTest, AFullPictureArrivingAfterTheDisplayWasEmptiedLeavesItEmpty) {
    WriteJpeg(dir, "a.jpg", PhotoWidth, PhotoHeight, clBlue);
    StartViewer(dir.Path());
    ASSERT_TRUE(Reduced());
    // As a change of folder empties it.
    MainWindow->Image->Picture().Bitmap().SetWidth(0);
    workers.Release();
    ASSERT_TRUE(RunMessagesUntil([] { return !Reduced(); }));
    EXPECT_EQ(Shown().Width(), 0);
}

TEST_F(FullPictureTest, AFullPictureArrivingAfterABatchTookTheWorkHolderLeavesTheHolderToIt) {
    WriteJpeg(dir, "a.jpg", PhotoWidth, PhotoHeight, clBlue);
    StartViewer(dir.Path());
    ASSERT_TRUE(Reduced());
    // As every batch and delete does before it works in TImg.
    MainWindow->HeldPicture.Forget();
    const TGraphic* scratch = MainWindow->TImg->Picture().Graphic();
    workers.Release();
    ASSERT_TRUE(RunMessagesUntil([] { return !Reduced(); }));
    EXPECT_EQ(MainWindow->TImg->Picture().Graphic(), scratch);
    EXPECT_EQ(Shown().Width(), PhotoWidth) << "the display still gets the full picture";
}

TEST_F(FullPictureTest, ANeighbourDecodedAheadShowsReducedAtOnceThenInFull) {
    WriteJpeg(dir, "a.jpg", 40, 30, clBlue);
    WriteJpeg(dir, "b.jpg", PhotoWidth, PhotoHeight, clRed);
    StartViewer(dir.Path());
    Application.ProcessMessages();  // the neighbour's decoding is queued
    // Held again behind it: b's reduced decoding ends, its full one, queued
    // after that, waits.
    HeldWorkers held;
    workers.Release();
    ASSERT_TRUE(RunMessagesUntil([&] { return held.AllHeld(); }));
    ASSERT_EQ(Prefetch.Count(), 1);

    Application.Dispatch([] { MainWindow->StepPicture(true); });
    ASSERT_TRUE(Reduced());
    EXPECT_EQ(Shown().Width(), PhotoWidth / 2);
    EXPECT_EQ(Viewer.PictureWidth, PhotoWidth);
    const TRect placed = Placed();

    held.Release();
    ASSERT_TRUE(RunMessagesUntil([] { return !Reduced(); }));
    EXPECT_EQ(Shown().Width(), PhotoWidth);
    EXPECT_EQ(Placed(), placed);
    EXPECT_TRUE(Near(Shown().Bitmap().Pixel(600, 450), clRed));
}

TEST_F(FullPictureTest, TheStartPicturesFullDecodingWaitsForTheLateWindows) {
    const std::string photo = WriteJpeg(dir, "a.jpg", PhotoWidth, PhotoHeight, clBlue);
    WriteJpeg(dir, "b.jpg", PhotoWidth, PhotoHeight, clRed);
    workers.Release();
    DestroyWindows();
    // A screen that a half of the photo covers.
    Screen.SetTestSize(TPoint{500, 400});
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    // As the program starts: the picture is read before the windows exist,
    // and the late windows are built after the first paint.
    StartReadingPicture(photo);
    CreateWindows(photo);
    MainWindow->Show();
    MainWindow->DestruktorTimer();
    ASSERT_TRUE(Reduced());
    // Given to the workers, it would be done long before this; the message
    // loop is left alone, so that no paint builds the late windows.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(MainWindow->ReducedOnView.Full->Done());

    BuildLateWindows();
    ASSERT_TRUE(RunMessagesUntil([] { return !Reduced(); }));
    EXPECT_EQ(Shown().Width(), PhotoWidth);
    EXPECT_TRUE(Near(Shown().Bitmap().Pixel(600, 450), clBlue));
    // The neighbour's full decoding was let go too.
    ASSERT_TRUE(RunMessagesUntil([] { return !Prefetch.Busy(); }));
    Application.Dispatch([] { MainWindow->StepPicture(true); });
    EXPECT_FALSE(Reduced());
    EXPECT_TRUE(Near(Shown().Bitmap().Pixel(600, 450), clRed));
}

TEST_F(FullPictureTest, ADamagedPhotoGivesTheLoadersErrorOnce) {
    WriteJpeg(dir, "a.jpg", 40, 30, clBlue);
    // Its first component asks for a quantisation table the file lacks: the
    // header reads, the decoding fails.
    std::string bytes = ReadFileBytes(WriteJpeg(dir, "b.jpg", PhotoWidth, PhotoHeight, clBlue));
    const std::size_t frame = bytes.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    bytes[frame + 12] = 3;
    const std::string damaged = dir.Write("b.jpg", bytes);
    std::string expected;
    try {
        TJPEGImage jpeg;
        jpeg.LoadFromFile(damaged);
        jpeg.DIBNeeded();
    } catch (const std::exception& error) {
        expected = error.what();
    }
    ASSERT_FALSE(expected.empty());

    RecordedErrors errors;
    StartViewer(dir.Path());
    Application.Dispatch([] { MainWindow->StepPicture(true); });
    workers.Release();
    for (int i = 0; i < 20; ++i) Application.ProcessMessages();
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_EQ(errors.Messages[0], expected);
    EXPECT_FALSE(Reduced());
    EXPECT_EQ(Shown().Width(), 0) << "the display stays empty";

    // Shown at its own size, the same.
    MainWindow->nyjtas1Click(MainWindow->Kzpen1);
    Application.Dispatch([] { FileWindow->FileListBoxChange(); });
    ASSERT_EQ(errors.Messages.size(), 2u);
    EXPECT_EQ(errors.Messages[1], expected);
    EXPECT_EQ(Shown().Width(), 0);
}

}  // namespace
