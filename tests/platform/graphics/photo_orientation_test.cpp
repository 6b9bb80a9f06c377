// Camera photos carrying an EXIF orientation show upright wherever they are
// decoded: full size for the viewer, reduced for its first paint and the
// browser's cells, 8-bit for small cells, and in stored colours for the
// writers.
#include <gtest/gtest.h>

#include "platform/graphics/CameraPhotos.h"
#include "platform/graphics/FlipTurn.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

TEST(PhotoOrientation, EachOrientationShowsTheSceneUprightAtItsUprightSize) {
    TempDir dir;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const std::string what = "orientation " + IntToStr(orientation);
        TJPEGImage jpeg;
        jpeg.LoadFromFile(MakeCameraPhoto(dir, "o" + IntToStr(orientation) + ".jpg", Oriented(orientation)));
        EXPECT_EQ(jpeg.Width(), 64) << what;
        EXPECT_EQ(jpeg.Height(), 48) << what;
        ExpectUprightScene(jpeg.Bitmap(), what);

        // Covering an upright 16 x 12 takes a quarter, whichever way the
        // picture is stored.
        EXPECT_EQ(jpeg.ScaleToCover(16, 12), TJPEGScale::jsQuarter) << what;
        EXPECT_EQ(jpeg.ScaleToCover(17, 12), TJPEGScale::jsHalf) << what;
        jpeg.SetScale(TJPEGScale::jsEighth);
        EXPECT_EQ(jpeg.Width(), 8) << what;
        EXPECT_EQ(jpeg.Height(), 6) << what;
        ExpectUprightScene(jpeg.Bitmap(), what + ", an eighth");

        jpeg.SetScale(TJPEGScale::jsFullSize);
        jpeg.SetPixelFormat(TJPEGPixelFormat::jf8Bit);
        EXPECT_EQ(jpeg.Bitmap().PixelFormat(), TPixelFormat::pf8bit);
        ExpectUprightScene(jpeg.Bitmap(), what + ", 8-bit");

        jpeg.SetPixelFormat(TJPEGPixelFormat::jf24Bit);
        jpeg.SetColors(TJPEGColors::jcStored);
        ExpectUprightScene(jpeg.Bitmap(), what + ", stored colours");
    }
}

TEST(PhotoOrientation, ACopyAndAReloadedSaveKeepTheOrientation) {
    TempDir dir;
    const std::string path = MakeCameraPhoto(dir, "six.jpg", Oriented(6));
    TJPEGImage jpeg;
    jpeg.LoadFromFile(path);
    const TJPEGImage copy(jpeg);
    EXPECT_EQ(copy.Width(), 64);
    ExpectUprightScene(copy.Bitmap(), "a copy");
    // Saving a loaded picture writes its bytes unchanged, orientation included.
    TJPEGImage reloaded;
    reloaded.LoadFromBytes(jpeg.SaveToBytes());
    EXPECT_EQ(reloaded.Width(), 64);
    ExpectUprightScene(reloaded.Bitmap(), "saved and loaded");
}

// The stored picture's last rows hold the upright picture's left columns:
// a file that ends early leaves them grey there, not at the bottom.
TEST(PhotoOrientation, AnOrientedPhotoThatEndsEarlyIsGreyWhereItsMissingRowsLand) {
    TempDir dir;
    const std::string bytes = ReadFileBytes(MakeCameraPhoto(dir, "six.jpg", Oriented(6)));
    const std::size_t scan = bytes.rfind(std::string("\xFF\xDA", 2));
    ASSERT_NE(scan, std::string::npos);
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes.substr(0, scan + (bytes.size() - scan) * 2 / 3));
    ASSERT_EQ(jpeg.Bitmap().Width(), 64);
    EXPECT_TRUE(Near(jpeg.Bitmap().Pixel(4, 8), RGB(128, 128, 128))) << std::hex << jpeg.Bitmap().Pixel(4, 8);
    EXPECT_TRUE(Near(jpeg.Bitmap().Pixel(56, 8), clBlue));
}

// Every transform applied to a bitmap moves each pixel where its matrix says,
// whatever the pixel size, and composing two is applying one after the other.
TEST(FlipTurn, TransformsMovePixelsAndComposeAsAppliedInTurn) {
    const auto all = {TFlipTurn::None,      TFlipTurn::MirrorLeftRight, TFlipTurn::Turn180,    TFlipTurn::MirrorTopBottom,
                      TFlipTurn::Transpose, TFlipTurn::TurnRight,       TFlipTurn::Transverse, TFlipTurn::TurnLeft};
    for (TPixelFormat format : {TPixelFormat::pf8bit, TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TBitmap original(5, 3, TPixelFormat::pf24bit);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) original.SetPixel(x, y, RGB(x * 50, y * 100, 7));
        original.SetPixelFormat(format);
        for (TFlipTurn first : all) {
            TBitmap once = original;
            ApplyFlipTurn(once, first);
            EXPECT_EQ(once.PixelFormat(), format);
            EXPECT_EQ(once.Width(), SwapsSides(first) ? 3 : 5);
            for (TFlipTurn second : all) {
                TBitmap twice = once;
                ApplyFlipTurn(twice, second);
                TBitmap composed = original;
                ApplyFlipTurn(composed, Then(first, second));
                ExpectSamePixels(twice, composed, "composition");
                ApplyFlipTurn(twice, Inverse(Then(first, second)));
                ExpectSamePixels(twice, original, "inverse");
            }
        }
        // Orientation 6 is stored lying on its left side: the pixel at the
        // stored top-left belongs at the top-right.
        TBitmap turned = original;
        ApplyFlipTurn(turned, UprightingOf(6));
        EXPECT_EQ(turned.Pixel(2, 0), original.Pixel(0, 0));
        EXPECT_EQ(turned.Pixel(2, 4), original.Pixel(4, 0));
        EXPECT_EQ(UprightingOf(0), TFlipTurn::None);
        EXPECT_EQ(UprightingOf(9), TFlipTurn::None);
    }
}

}  // namespace
