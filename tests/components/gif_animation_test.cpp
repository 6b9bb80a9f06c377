// The GIF image as a picture: animation through the timer pool, drawing
// stretched and tiled, sharing data between images, and its stored form.
#include <gtest/gtest.h>

#include <sstream>

#include "GifWriter.h"
#include "components/MPGifImg.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/services/Ticks.h"

using namespace lumvex;
using lumvex::test::GifImage;
using lumvex::test::GifWriter;

namespace {

const std::vector<TColor> Four = {clRed, clLime, clBlue, clWhite};

// Three 2 x 2 frames in red, lime and blue with the given delays.
std::string Animation(std::vector<int> delays) {
    GifWriter writer(2, 2, Four);
    for (std::size_t i = 0; i < delays.size(); ++i)
        writer.GraphicControl(delays[i]).Image(
            {.width = 2, .height = 2, .pixels = std::vector<std::uint8_t>(4, static_cast<std::uint8_t>(i % 3))});
    return writer.Bytes();
}

class TestClock {
public:
    TestClock() { SetTickSource([this] { return now; }); }
    ~TestClock() { SetTickSource(nullptr); }
    std::uint32_t now = 1000;
};

int Interval(const TGIFImage& image) { return GIFTimerPool()->Trigger(image.TriggerHandle()).Interval(); }

}  // namespace

TEST(GifAnimation, DelaysOf5And50And500RunAt55And55And300Milliseconds) {
    TestClock clock;
    TGIFImage image;
    image.LoadFromBytes(Animation({5, 50, 500}));
    int changes = 0;
    image.OnChange = [&](TGraphic&) { ++changes; };
    EXPECT_EQ(image.GIFData().Frame(2).Delay, 30);
    EXPECT_FALSE(image.Animate());
    EXPECT_EQ(GIFTimerPool()->MasterTimer(), nullptr);

    image.SetAnimate(true);
    ASSERT_NE(GIFTimerPool()->MasterTimer(), nullptr);
    std::vector<int> intervals;
    for (int frame : {0, 1, 2}) {
        EXPECT_EQ(image.CurrentFrame(), frame);
        intervals.push_back(Interval(image));
        clock.now += static_cast<std::uint32_t>(intervals.back() - 24);
        GIFTimerPool()->Tick();
        EXPECT_EQ(image.CurrentFrame(), frame) << "fired more than 23 ms early";
        clock.now += 1;
        GIFTimerPool()->Tick();
    }
    EXPECT_EQ(intervals, (std::vector<int>{55, 55, 300}));
    EXPECT_EQ(image.CurrentFrame(), 0);  // loops forever
    EXPECT_EQ(changes, 3);

    image.SetDelays(0);
    image.SetCurrentFrame(2);
    EXPECT_EQ(Interval(image), 55);
    image.SetAnimate(false);
    EXPECT_EQ(GIFTimerPool()->MasterTimer(), nullptr);
}

TEST(GifAnimation, AStillImageFiresButDoesNotRepaint) {
    TestClock clock;
    TGIFImage image;
    image.LoadFromBytes(Animation({100}));
    int changes = 0;
    image.OnChange = [&](TGraphic&) { ++changes; };
    int fired = 0;
    GIFTimerPool()->OnAllTriggers = [&](TMPTimerPool&, int handle, int, int) { fired += handle == -1; };
    image.SetAnimate(true);
    clock.now += 2000;
    GIFTimerPool()->Tick();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(image.CurrentFrame(), 0);
    EXPECT_EQ(changes, 0);
    GIFTimerPool()->OnAllTriggers = nullptr;
}

TEST(GifAnimation, TilesStartAtTheCanvasOriginAndCoverTheRectangle) {
    GifImage tile{.width = 10, .height = 10, .pixels = std::vector<std::uint8_t>(100, 1)};
    tile.pixels[0] = 2;  // the tile's top-left corner is blue, the rest lime
    TGIFImage image;
    image.LoadFromBytes(GifWriter(10, 10, Four).Image(tile).Bytes());
    image.SetTile(true);
    TBitmap target(40, 40, TPixelFormat::pf24bit);
    target.Canvas().Brush.Color = clFuchsia;
    target.Canvas().FillRect(Rect(0, 0, 40, 40));
    image.Draw(target.Canvas(), Rect(5, 5, 25, 25));
    for (int y : {0, 10, 20})
        for (int x : {0, 10, 20}) EXPECT_EQ(target.Pixel(x, y), clBlue) << x << "," << y;
    EXPECT_EQ(target.Pixel(29, 29), clLime);
    EXPECT_EQ(target.Pixel(30, 0), clFuchsia);
    EXPECT_EQ(target.Pixel(0, 30), clFuchsia);
    target.Canvas().FillRect(Rect(0, 0, 40, 40));
    image.Draw(target.Canvas(), Rect(-20, -20, 0, 5));
    EXPECT_EQ(target.Pixel(0, 0), clFuchsia);  // nothing lies left of the right edge

    image.SetTile(false);
    image.Draw(target.Canvas(), Rect(0, 0, 40, 40));
    EXPECT_EQ(target.Pixel(3, 3), clBlue);  // one pixel stretched to 4 x 4
    EXPECT_EQ(target.Pixel(4, 4), clLime);
}

TEST(GifAnimation, AssignedImagesShareFramesAndOutliveEachOther) {
    auto source = std::make_unique<TGIFImage>();
    source->LoadFromBytes(Animation({10, 10, 10}));
    source->SetCurrentFrame(2);
    TGIFImage assigned;
    int changes = 0;
    assigned.OnChange = [&](TGraphic&) { ++changes; };
    assigned.Assign(*source);
    EXPECT_EQ(changes, 1);
    auto clone = source->Clone();
    auto& copy = dynamic_cast<TGIFImage&>(*clone);
    EXPECT_EQ(&assigned.Frame(1), &source->Frame(1));
    EXPECT_EQ(&copy.Frame(1), &source->Frame(1));
    EXPECT_EQ(assigned.CurrentFrame(), 2);
    EXPECT_NE(copy.TriggerHandle(), source->TriggerHandle());

    const std::string bytes = source->SaveToBytes();
    source.reset();
    EXPECT_EQ(assigned.FrameCount(), 3);
    EXPECT_EQ(assigned.SaveToBytes(), bytes);
    TBitmap target(2, 2, TPixelFormat::pf24bit);
    assigned.Draw(target.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(target.Pixel(0, 0), clBlue);
    clone.reset();
    EXPECT_EQ(assigned.Frame(0).Bitmap().Pixel(1, 1), clRed);

    TBitmap bitmap(1, 1);
    try {
        assigned.Assign(bitmap);
        ADD_FAILURE() << "a bitmap was assigned";
    } catch (const EInvalidGraphicOperation& error) {
        EXPECT_STREQ(error.what(), "Cannot assign to TBitmap");
    }
    EXPECT_EQ(assigned.FrameCount(), 3);
}

TEST(GifAnimation, APictureRepaintsOnEveryFrameAndDroppingTheImageStopsTheAnimation) {
    TestClock clock;
    TPicture picture;
    auto gif = std::make_unique<TGIFImage>();
    gif->LoadFromBytes(Animation({10, 10}));
    TGIFImage* image = gif.get();
    picture.SetGraphic(std::move(gif));
    int repaints = 0;
    picture.OnChange = [&] { ++repaints; };
    image->SetAnimate(true);
    clock.now += 100;
    GIFTimerPool()->Tick();
    EXPECT_EQ(image->CurrentFrame(), 1);
    EXPECT_EQ(repaints, 1);
    picture.Assign(nullptr);
    EXPECT_EQ(GIFTimerPool(), nullptr);
}

TEST(GifAnimation, ClearingDropsTheDataAndLeavesNothingToDrawOrSave) {
    TGIFImage image;
    image.LoadFromBytes(Animation({10, 10}));
    image.SetAnimate(true);
    image.SetAnimate(false);
    image.Clear();
    EXPECT_TRUE(image.Empty());
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.FrameCount(), 0);
    EXPECT_EQ(image.CurrentFrame(), -1);
    image.SetCurrentFrame(1);
    EXPECT_EQ(image.CurrentFrame(), -1);
    TBitmap target(2, 2, TPixelFormat::pf24bit);
    image.Draw(target.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(target.Pixel(0, 0), clBlack);
    try {
        image.SaveToBytes();
        ADD_FAILURE() << "saved without data";
    } catch (const EInvalidGraphicOperation& error) {
        EXPECT_STREQ(error.what(), "No GIF data");
    }
}

TEST(GifAnimation, TheStoredFormIsALengthAndTheFileBytes) {
    TGIFImage image;
    image.LoadFromBytes(Animation({10, 20}));
    std::stringstream stored;
    image.WriteData(stored);
    EXPECT_EQ(stored.str().size(), image.SaveToBytes().size() + 4);
    TGIFImage read;
    read.ReadData(stored);
    EXPECT_EQ(read.FrameCount(), 2);
    EXPECT_EQ(read.SaveToBytes(), image.SaveToBytes());

    std::stringstream cut(stored.str().substr(0, 20));
    EXPECT_THROW(read.ReadData(cut), EReadError);
    std::stringstream hugeLength(std::string("\xFF\xFF\xFF\x7F", 4) + "GIF89a");
    EXPECT_THROW(read.ReadData(hugeLength), EReadError);
    EXPECT_EQ(read.FrameCount(), 2);

    TGIFImage empty;
    std::stringstream nothing;
    empty.WriteData(nothing);
    EXPECT_EQ(nothing.str(), std::string(4, '\0'));
}
