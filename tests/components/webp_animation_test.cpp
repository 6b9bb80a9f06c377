// The animated WebP picture: frames in order with the GIF image's timing
// rules from the shared animation pool, thousands of frames at the cost of
// one, and the kind told by content.
#include <gtest/gtest.h>

#include "FormatFiles.h"
#include "components/MPGifImg.h"
#include "components/WebPAnimation.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/services/Ticks.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class TestClock {
public:
    TestClock() { SetTickSource([this] { return now; }); }
    ~TestClock() { SetTickSource(nullptr); }
    std::uint32_t now = 1000;
};

// Frames of 64 x 48 in red, lime and blue, shown 300, 800 and 5000 ms.
std::string ThreeFrames(FormatFiles& files) {
    return files.Make("three.webp", "convert -size 64x48 xc:red png24:r.png && convert -size 64x48 xc:lime png24:g.png "
                                    "&& convert -size 64x48 xc:blue png24:b.png && "
                                    "img2webp -lossless -d 300 r.png -d 800 g.png -d 5000 b.png -o %o");
}

TColor Shown(const TWebPAnimation& animation) {
    TBitmap target(64, 48, TPixelFormat::pf24bit);
    animation.Draw(target.Canvas(), Rect(0, 0, 64, 48));
    return target.Pixel(10, 10);
}

std::uint32_t Le32(const std::string& s, std::size_t at) {
    return std::uint8_t(s[at]) | std::uint8_t(s[at + 1]) << 8 | std::uint8_t(s[at + 2]) << 16 |
           std::uint32_t(std::uint8_t(s[at + 3])) << 24;
}

// The file's header chunks, then its first frame count times.
std::string RepeatFirstFrame(const std::string& file, int count) {
    std::string head, frame;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const std::size_t size = 8 + Le32(file, at + 4) + (Le32(file, at + 4) & 1);
        const std::string chunk = file.substr(at, size);
        if (chunk.substr(0, 4) != "ANMF")
            head += chunk;
        else if (frame.empty())
            frame = chunk;
        at += size;
    }
    std::string body = "WEBP" + head;
    for (int i = 0; i < count; ++i) body += frame;
    std::string riff = "RIFF";
    for (int shift = 0; shift < 32; shift += 8) riff += char(body.size() >> shift & 0xFF);
    return riff + body;
}

}  // namespace

TEST(WebPAnimation, PlaysWithTheGifTimingRulesFromTheSharedPool) {
    TestClock clock;
    TempDir dir;
    FormatFiles files(dir);
    const std::string path = ThreeFrames(files);
    LUMVEX_REQUIRE_FILE(files, path);
    TWebPAnimation animation;
    animation.LoadFromBytes(ReadFileBytes(path));
    EXPECT_EQ(animation.FrameCount(), 3);
    EXPECT_EQ(animation.Delay(0), 3);
    EXPECT_EQ(animation.Delay(1), 8);
    EXPECT_EQ(animation.Delay(2), 30) << "at most 300 ms, as a GIF frame";
    EXPECT_FALSE(animation.Animate()) << "switched off until the viewer starts it";

    TGIFImage gif;  // both kinds run from one pool
    EXPECT_EQ(GIFTimerPool()->TriggerCount(), 2);

    animation.SetAnimate(true);
    std::vector<int> intervals;
    std::vector<TColor> colours;
    for (int frame : {0, 1, 2}) {
        EXPECT_EQ(animation.CurrentFrame(), frame);
        colours.push_back(Shown(animation));
        intervals.push_back(GIFTimerPool()->Trigger(animation.TriggerHandle()).Interval());
        clock.now += static_cast<std::uint32_t>(intervals.back());
        GIFTimerPool()->Tick();
    }
    EXPECT_EQ(intervals, (std::vector<int>{55, 80, 300}));
    EXPECT_EQ(colours, (std::vector<TColor>{clRed, clLime, clBlue}));
    EXPECT_EQ(animation.CurrentFrame(), 0) << "loops forever";

    animation.SetDelays(0);
    animation.SetCurrentFrame(1);
    EXPECT_EQ(GIFTimerPool()->Trigger(animation.TriggerHandle()).Interval(), 55);
    animation.SetCurrentFrame(0);  // back: decoded from the start again
    EXPECT_EQ(Shown(animation), clRed);
    animation.SetAnimate(false);
}

TEST(WebPAnimation, ThousandsOfFramesCostOneFrame) {
    TestClock clock;
    TempDir dir;
    FormatFiles files(dir);
    const std::string path = files.Make("big.webp", "convert -size 800x600 xc:red png24:r.png && "
                                                    "convert -size 800x600 xc:lime png24:g.png && "
                                                    "img2webp -lossless r.png g.png -o %o");
    LUMVEX_REQUIRE_FILE(files, path);
    const std::string many = RepeatFirstFrame(ReadFileBytes(path), 5000);
    const std::int64_t before = PeakResidentBytes();
    TWebPAnimation animation;
    animation.LoadFromBytes(many);
    EXPECT_EQ(animation.FrameCount(), 5000);
    animation.SetAnimate(true);
    for (int tick = 1; tick <= 3; ++tick) {
        clock.now += 1000;
        GIFTimerPool()->Tick();
        EXPECT_EQ(animation.CurrentFrame(), tick);
    }
    EXPECT_EQ(Shown(animation), clRed);
    // Three canvases of 2 MB, not 5000 frames of them.
    EXPECT_LT(PeakResidentBytes() - before, std::int64_t(64) << 20);
}

TEST(WebPAnimation, TheContentTellsAnAnimationWhateverItsName) {
    RegisterGIFImage();
    TempDir dir;
    FormatFiles files(dir);
    const std::string path = ThreeFrames(files);
    LUMVEX_REQUIRE_FILE(files, path);
    const std::string bytes = ReadFileBytes(path);
    const std::string named = dir.Write("looks-like.gif", bytes);
    TPicture picture;
    picture.LoadFromFile(named);
    EXPECT_STREQ(picture.Graphic()->ClassName(), "TWebPAnimation");
    EXPECT_TRUE(TPicture::AnimatedContent(bytes, "x.webp"));
    // Workers, which may run no timer, get the first frame as a still picture.
    std::unique_ptr<TGraphic> still = TPicture::CreateForContent(bytes, "x.webp", TPicture::TKinds::StillOnly);
    EXPECT_STREQ(still->ClassName(), "TWebPImage");
    still->LoadFromBytes(bytes);
    TBitmap shown;
    shown.Assign(*still);
    EXPECT_EQ(shown.Pixel(10, 10), clRed);
    // A GIF has no still kind: workers read it themselves.
    EXPECT_EQ(TPicture::CreateForContent("GIF89a", "x.png", TPicture::TKinds::StillOnly), nullptr);
}

TEST(WebPAnimation, TransparentPlacesShowBlackAsOnTheDisplay) {
    TempDir dir;
    FormatFiles files(dir);
    const std::string path = files.Make("clear.webp", "convert -size 64x48 xc:none png32:c.png && "
                                                      "convert -size 64x48 xc:red png24:r.png && "
                                                      "img2webp -lossless c.png r.png -o %o");
    LUMVEX_REQUIRE_FILE(files, path);
    TWebPAnimation animation;
    animation.LoadFromBytes(ReadFileBytes(path));
    EXPECT_TRUE(animation.HasAlpha());
    TBitmap target(64, 48, TPixelFormat::pf24bit);
    target.Canvas().Brush.Color = clWhite;
    target.Canvas().FillRect(Rect(0, 0, 64, 48));
    animation.Draw(target.Canvas(), Rect(0, 0, 64, 48));
    EXPECT_EQ(target.Pixel(10, 10), clBlack);
}
