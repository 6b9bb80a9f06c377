#include <gtest/gtest.h>

#include <cstdlib>

#include "JpegSamples.h"
#include "TestFiles.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"

using namespace lumvex;
using lumvex::test::FindMarker;
using lumvex::test::JpegSample;
using lumvex::test::MakeJpeg;

namespace {

// Four 16 x 16 quadrants: black, white, red, blue.
TBitmap Quadrants() {
    TBitmap bitmap(32, 32);
    const TColor colours[] = {clBlack, clWhite, RGB(255, 0, 0), RGB(0, 0, 255)};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) bitmap.SetPixel(x, y, colours[(y / 16) * 2 + x / 16]);
    return bitmap;
}

TBitmap Noise(int width, int height) {
    TBitmap bitmap(width, height);
    std::srand(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x) bitmap.ScanLine(y)[x] = static_cast<std::uint8_t>(std::rand());
    return bitmap;
}

int ChannelDistance(TColor a, TColor b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

std::string Compress(const TBitmap& bitmap, int quality = 90) {
    TJPEGImage jpeg;
    jpeg.Assign(bitmap);
    jpeg.SetCompressionQuality(quality);
    return jpeg.SaveToBytes();
}

}  // namespace

TEST(JpegEncode, SavingALoadedPictureGivesBackItsBytesUnchanged) {
    std::string bytes = MakeJpeg(JpegSample{});
    bytes += "trailing bytes after the end marker";
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes);
    jpeg.Bitmap();
    jpeg.SetScale(TJPEGScale::jsHalf);
    jpeg.SetCompressionQuality(30);
    EXPECT_EQ(jpeg.SaveToBytes(), bytes);
    EXPECT_EQ(jpeg.Clone()->SaveToBytes(), bytes);

    TJPEGImage copy;
    copy.Assign(jpeg);
    EXPECT_EQ(copy.SaveToBytes(), bytes);
    EXPECT_EQ(copy.Scale(), TJPEGScale::jsHalf);
    EXPECT_EQ(copy.CompressionQuality(), 30);
    EXPECT_EQ(copy.Width(), 8);

    test::TempDir dir;
    jpeg.SaveToFile(dir.File("copy.jpg"));
    EXPECT_EQ(ReadFileBytes(dir.File("copy.jpg")), bytes);
}

TEST(JpegEncode, AnAssignedBitmapIsCompressedAsBaselineColourAtTheQuality) {
    const TBitmap noise = Noise(64, 48);
    TJPEGImage jpeg;
    EXPECT_EQ(jpeg.CompressionQuality(), 90);
    jpeg.Assign(noise);
    jpeg.SetScale(TJPEGScale::jsEighth);  // no effect on a bitmap that is not compressed yet
    EXPECT_EQ(jpeg.Width(), 64);
    EXPECT_EQ(jpeg.Height(), 48);
    EXPECT_EQ(jpeg.Bitmap().Pixel(3, 3), noise.Pixel(3, 3));

    const std::string low = Compress(noise, 10), middle = Compress(noise, 50), high = Compress(noise, 95);
    EXPECT_LT(low.size(), middle.size());
    EXPECT_LT(middle.size(), high.size());
    EXPECT_EQ(jpeg.SaveToBytes(), Compress(noise, 90));
    // Noise at full quality outgrows the first guess of the output size (half a byte a pixel).
    const std::string big = Compress(Noise(512, 512), 100);
    EXPECT_GT(big.size(), 512u * 512u);
    TJPEGImage bigBack;
    bigBack.LoadFromBytes(big);
    EXPECT_EQ(bigBack.Bitmap().Height(), 512);
    EXPECT_EQ(big.substr(big.size() - 2), "\xFF\xD9");

    EXPECT_NE(FindMarker(high, 0xC0), std::string::npos);  // baseline frame
    EXPECT_EQ(FindMarker(high, 0xC2), std::string::npos);
    TJPEGImage back;
    back.LoadFromBytes(high);
    EXPECT_FALSE(back.Grayscale());
    EXPECT_EQ(back.Width(), 64);

    // Compressing now makes the picture those bytes, decoded at its options.
    jpeg.JPEGNeeded();
    EXPECT_EQ(jpeg.Width(), 8);
    EXPECT_EQ(jpeg.Bitmap().Width(), 8);
    EXPECT_EQ(jpeg.SaveToBytes(), Compress(noise, 90));
}

TEST(JpegEncode, BitmapsOfEveryPixelFormatAreCompressed) {
    for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit, TPixelFormat::pf15bit,
                                TPixelFormat::pf16bit, TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pfDevice}) {
        TBitmap source = Quadrants();
        source.SetPixelFormat(format);
        TJPEGImage jpeg;
        jpeg.LoadFromBytes(Compress(source, 100));
        const TBitmap& decoded = jpeg.Bitmap();
        for (auto [x, y] : {std::pair{4, 4}, {27, 4}, {4, 27}, {27, 27}})
            EXPECT_LE(ChannelDistance(decoded.Pixel(x, y), source.Pixel(x, y)), 8)
                << "format " << BitsPerPixel(format) << " at " << x << "," << y;
    }
}

TEST(JpegEncode, QualityOutsideOneToHundredAndEmptyPicturesAreRefused) {
    TJPEGImage jpeg;
    jpeg.SetCompressionQuality(1);
    jpeg.SetCompressionQuality(100);
    EXPECT_THROW(jpeg.SetCompressionQuality(0), EInvalidGraphicOperation);
    EXPECT_THROW(jpeg.SetCompressionQuality(101), EInvalidGraphicOperation);
    EXPECT_EQ(jpeg.CompressionQuality(), 100);
    EXPECT_TRUE(jpeg.Empty());
    EXPECT_THROW(jpeg.SaveToBytes(), EInvalidGraphicOperation);
    jpeg.Assign(TBitmap());
    EXPECT_THROW(jpeg.SaveToBytes(), EInvalidGraphicOperation);
    TBitmap empty;
    empty.Assign(jpeg);
    EXPECT_TRUE(empty.Empty());
}
