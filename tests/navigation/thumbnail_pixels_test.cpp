// The pixels of the browser's cells: a patterned picture in every stored
// format, reduced and enlarged, gives exactly the cell it always gave (the
// fingerprints were taken from the reduction as first written, which worked
// on a 24-bit copy of every picture).
#include <gtest/gtest.h>

#include <cstdint>

#include "TestFiles.h"
#include "navigation/Thumbnails.h"
#include "platform/graphics/Bitmap.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

TBitmap Pattern(int width, int height, TPixelFormat format) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, RGB((x * 7 + y * 3) & 255, (x * y) & 255, ((x ^ y) * 5) & 255));
    bitmap.SetPixelFormat(format);
    return bitmap;
}

// FNV-1a over the place and every pixel's colour.
std::uint64_t Fingerprint(const TThumbnail& thumbnail) {
    std::uint64_t hash = 14695981039346656037ull;
    const auto add = [&](std::uint32_t value) {
        for (int i = 0; i < 4; ++i) hash = (hash ^ ((value >> (8 * i)) & 255)) * 1099511628211ull;
    };
    for (int value : {thumbnail.Place.Left, thumbnail.Place.Top, thumbnail.Place.Width(), thumbnail.Place.Height()})
        add(std::uint32_t(value));
    const auto& picture = dynamic_cast<const TBitmap&>(*thumbnail.Picture);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) add(picture.Pixel(x, y));
    return hash;
}

}  // namespace

TEST(ThumbnailPixels, EveryStoredFormatReducesAndEnlargesToTheSameCellAsEver) {
    TempDir dir;
    const TCancelToken cancel;
    struct Case {
        int width, height;
        TPixelFormat format;
        std::uint64_t fingerprint;
    };
    for (const Case& c : {Case{301, 203, TPixelFormat::pf24bit, 10792857000210659997ull},
                          Case{203, 301, TPixelFormat::pf32bit, 5350238972840694728ull},
                          Case{301, 203, TPixelFormat::pf8bit, 3706615710469270585ull},
                          Case{301, 203, TPixelFormat::pf4bit, 192556359762119431ull},
                          Case{301, 203, TPixelFormat::pf16bit, 8870385462843020466ull},
                          Case{23, 17, TPixelFormat::pf24bit, 7875020895421191078ull},
                          Case{17, 23, TPixelFormat::pf8bit, 5909086619601993085ull}}) {
        const TBitmap picture = Pattern(c.width, c.height, c.format);
        const std::string path = dir.File("p" + std::to_string(int(c.format)) + "-" + std::to_string(c.width) + ".bmp");
        picture.SaveToFile(path);
        const TThumbnail made = MakeThumbnail(path, cancel);
        ASSERT_NE(made.Picture, nullptr);
        EXPECT_EQ(Fingerprint(made), c.fingerprint) << c.width << " x " << c.height << ", format " << int(c.format);
    }
}
