// The browser's thumbnails of the kinds read through their own libraries:
// placed by the picture's own size, whichever cheap path made the pixels,
// an animation by its first frame, and a file named for another kind by
// what it is.
#include <gtest/gtest.h>

#include "FormatFiles.h"
#include "GifWriter.h"
#include "components/MPGifImg.h"
#include "navigation/Thumbnails.h"
#include "platform/graphics/Bitmap.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

TColor TopLeft(const TThumbnail& thumbnail) {
    return dynamic_cast<const TBitmap&>(*thumbnail.Picture).Pixel(1, 1);
}

// A picture of 640 x 120 pixels, red on the left and blue on the right, as
// its cell shows it.
void ExpectRedBesideBlue(const TThumbnail& thumbnail) {
    const TRect place = ThumbnailPlace(640, 120);
    ASSERT_NE(thumbnail.Picture, nullptr);
    EXPECT_EQ(thumbnail.Place, place);
    EXPECT_TRUE(Near(TopLeft(thumbnail), clRed));
    EXPECT_TRUE(Near(dynamic_cast<const TBitmap&>(*thumbnail.Picture).Pixel(place.Width() - 2, 1), clBlue));
}

}  // namespace

TEST(FormatThumbnails, EveryKindIsPlacedByItsOwnSizeAndShowsItsColours) {
    RegisterGIFImage();
    TempDir dir;
    FormatFiles files(dir);
    const std::string source = files.Make("large.png", "convert -size 320x120 xc:red xc:blue +append png24:%o");
    LUMVEX_REQUIRE_FILE(files, source);
    const TRect place = ThumbnailPlace(640, 120);
    const TCancelToken cancel;
    // Each named as another kind would be: the content decides.
    for (const char* command : {"cp large.png %o", "cwebp -quiet -q 90 large.png -o %o",
                                "convert large.png -compress lzw tif:%o",
                                "heif-enc -q 90 -t 128 large.png -o %o.heic && mv %o.heic %o",
                                "avifenc -s 9 large.png %o.avif && mv %o.avif %o", "cjxl -d 1 large.png %o",
                                "img2webp -lossy large.png -o %o"}) {
        SCOPED_TRACE(command);
        const std::string path = files.Make("picture.bmp", command);
        if (path.empty()) continue;
        const TThumbnail thumbnail = MakeThumbnail(path, cancel);
        ExpectRedBesideBlue(thumbnail);
        if (thumbnail.Picture) {
            EXPECT_EQ(thumbnail.Picture->Width(), place.Width());
        }
    }
    // A GIF named as a PNG is read as a GIF, on the worker, without a timer.
    const std::string gif = dir.Write(
        "moving.png", GifWriter(2, 2, {clRed, clLime}).Image({.width = 2, .height = 2, .pixels = {0, 0, 0, 0}}).Bytes());
    const TThumbnail frame = MakeThumbnail(gif, cancel);
    ASSERT_NE(frame.Picture, nullptr);
    EXPECT_EQ(TopLeft(frame), clRed);
    EXPECT_EQ(GIFTimerPool(), nullptr);
}

TEST(FormatThumbnails, AnOrientedPictureIsPlacedAndShownUpright) {
    TempDir dir;
    FormatFiles files(dir);
    // Stored as a camera turned a quarter right stores it, with Orientation 6.
    const std::string source =
        files.Make("stored.png", "convert -size 320x120 xc:red xc:blue +append -rotate 270 +repage png24:%o");
    LUMVEX_REQUIRE_FILE(files, source);
    const TCancelToken cancel;
    for (const char* command :
         {"cp stored.png %o && exiftool -q -overwrite_original -Orientation#=6 %o",
          "cwebp -quiet -q 90 stored.png -o %o && exiftool -q -overwrite_original -Orientation#=6 %o",
          "convert stored.png -compress lzw tif:%o && tiffset -s 274 6 %o"}) {
        SCOPED_TRACE(command);
        const std::string path = files.Make("picture", command);
        if (path.empty()) continue;
        ExpectRedBesideBlue(MakeThumbnail(path, cancel));
    }
}
