#include "platform/controls/Image.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/controls/Form.h"
#include "platform/controls/Shape.h"

namespace lumvex {
namespace {

class ImageTest : public ::testing::Test {
protected:
    ImageTest() {
        form.SetBorderStyle(bsNone);
        form.SetBounds(0, 0, 100, 80);
        form.SetColor(clBlack);
        image = new TImage(&form);
        image->SetBounds(10, 10, 60, 40);
    }
    void Load(int w, int h, TColor color) {
        auto bitmap = std::make_unique<TBitmap>(w, h, TPixelFormat::pf24bit);
        bitmap->Canvas().Brush.Color = color;
        bitmap->Canvas().FillRect(Bounds(0, 0, w, h));
        image->Picture().SetGraphic(std::move(bitmap));
    }
    TColor ShownAt(int x, int y) { return form.GetFormImage().Pixel(x, y); }

    TForm form;
    TImage* image;
};

TEST_F(ImageTest, PlacesThePictureAtItsOwnSizeCentredOrStretched) {
    Load(20, 10, clRed);
    EXPECT_EQ(image->DestRect(), Bounds(0, 0, 20, 10));
    image->SetCenter(true);
    EXPECT_EQ(image->DestRect(), Bounds(20, 15, 20, 10));
    image->SetStretch(true);
    EXPECT_EQ(image->DestRect(), Bounds(0, 0, 60, 40));
    // A picture larger than the control is centred with negative offsets,
    // halves truncated toward zero.
    image->SetStretch(false);
    Load(81, 51, clRed);
    EXPECT_EQ(image->DestRect(), Bounds(-10, -5, 81, 51));
}

TEST_F(ImageTest, DrawsWhereItPlacesThePicture) {
    Load(20, 10, clRed);
    image->SetCenter(true);
    EXPECT_EQ(ShownAt(10 + 20, 10 + 15), clRed);
    EXPECT_EQ(ShownAt(10 + 19, 10 + 15), clBlack);
    image->SetStretch(true);
    EXPECT_EQ(ShownAt(10, 10), clRed);
    EXPECT_EQ(ShownAt(69, 49), clRed);
    EXPECT_EQ(ShownAt(70, 50), clBlack);
}

TEST_F(ImageTest, AutoSizeFollowsThePicture) {
    image->SetAutoSize(true);
    Load(33, 22, clRed);
    EXPECT_EQ(image->BoundsRect(), Bounds(10, 10, 33, 22));
    image->Picture().Bitmap().SetSize(5, 7);
    EXPECT_EQ(image->Width(), 5);
    EXPECT_EQ(image->Height(), 7);
}

TEST_F(ImageTest, TransparentBitmapLetsTheControlsBelowShow) {
    auto* below = new TShape(&form);
    below->SetBounds(0, 0, 100, 80);
    below->Brush().Color = clBlue;
    below->Pen().Style = TPenStyle::psClear;
    image->BringToFront();
    auto bitmap = std::make_unique<TBitmap>(2, 1, TPixelFormat::pf24bit);
    bitmap->SetPixel(0, 0, clFuchsia);
    bitmap->SetPixel(1, 0, clLime);
    bitmap->SetTransparentColor(clFuchsia);
    image->Picture().SetGraphic(std::move(bitmap));
    image->SetStretch(true);
    EXPECT_EQ(ShownAt(15, 20), clFuchsia);
    image->SetTransparent(true);
    EXPECT_EQ(ShownAt(15, 20), clBlue);
    EXPECT_EQ(ShownAt(60, 20), clLime);
}

TEST_F(ImageTest, CanvasOfAnEmptyImageDrawsOnABitmapOfItsSize) {
    image->Canvas().Brush.Color = clLime;
    image->Canvas().FillRect(Bounds(0, 0, 60, 40));
    EXPECT_EQ(image->Picture().Width(), 60);
    EXPECT_EQ(image->Picture().Height(), 40);
    EXPECT_EQ(ShownAt(40, 30), clLime);
}

}  // namespace
}  // namespace lumvex
