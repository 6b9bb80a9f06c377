#include <gtest/gtest.h>

#include <cstring>

#include "TestFiles.h"
#include "platform/SysUtils.h"
#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/LittleEndian.h"
#include "platform/graphics/Picture.h"

using namespace lumvex;

namespace {

// A picture whose colours all survive the format exactly.
TBitmap Sample(TPixelFormat format, int width = 7, int height = 3) {
    TBitmap bmp(width, height, format);
    if (bmp.BitsPerPixel() <= 8) {
        std::vector<TRGBQuad> palette(std::size_t(1) << bmp.BitsPerPixel());
        for (std::size_t i = 0; i < palette.size(); ++i)
            palette[i] = TRGBQuad{static_cast<uint8_t>(i * 7), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i), 0};
        bmp.SetPalette(palette);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                bmp.SetPixel(x, y, FromRGBQuad(palette[(x * 3 + y * 5) % palette.size()]));
        return bmp;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bmp.SetPixel(x, y, RGB(static_cast<uint8_t>(x * 40), static_cast<uint8_t>(y * 90), static_cast<uint8_t>(x * y * 8 + 255 * (x == 6))));
    return bmp;
}

void ExpectSamePixels(const TBitmap& a, const TBitmap& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << "at " << x << "," << y;
}

}  // namespace

TEST(BmpWrite, EveryFormatReadsBackIdentically) {
    const TPixelFormat formats[] = {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit,
                                    TPixelFormat::pf15bit, TPixelFormat::pf16bit, TPixelFormat::pf24bit,
                                    TPixelFormat::pf32bit};
    for (TPixelFormat format : formats) {
        SCOPED_TRACE(BitsPerPixel(format));
        TBitmap original = Sample(format);
        TBitmap copy = ReadBmp(WriteBmp(original));
        EXPECT_EQ(copy.PixelFormat(), format);
        EXPECT_EQ(copy.Palette(), original.Palette());
        ExpectSamePixels(copy, original);
        for (int y = 0; y < original.Height(); ++y)
            EXPECT_EQ(0, std::memcmp(copy.ScanLine(y), original.ScanLine(y), (original.Width() * original.BitsPerPixel() + 7) / 8));
    }
}

TEST(BmpWrite, DeviceAndCustomPixelsAreWrittenAsPlain32Bit) {
    TBitmap device = Sample(TPixelFormat::pf32bit);
    device.SetPixelFormat(TPixelFormat::pfDevice);
    TBitmap copy = ReadBmp(WriteBmp(device));
    EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf32bit);
    ExpectSamePixels(copy, device);
}

TEST(BmpWrite, HeadersDescribeAnUncompressedBottomUpFile) {
    TBitmap bmp = Sample(TPixelFormat::pf16bit, 3, 2);
    const std::string file = WriteBmp(bmp);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(ReadU32(file, 2), file.size());
    EXPECT_EQ(ReadU32(file, 10), 14u + 40 + 12);
    EXPECT_EQ(ReadU32(file, 14), 40u);
    EXPECT_EQ(ReadI32(file, 22), 2);  // positive height: bottom-up
    EXPECT_EQ(ReadU16(file, 28), 16);
    EXPECT_EQ(ReadU32(file, 30), 3u);  // bit fields
    EXPECT_EQ(ReadU32(file, 54), 0xF800u);
    // The first stored row is the bitmap's bottom row.
    EXPECT_EQ(0, std::memcmp(file.data() + 66, bmp.ScanLine(1), 8));

    const std::string paletted = WriteBmp(Sample(TPixelFormat::pf4bit, 5, 1));
    EXPECT_EQ(ReadU32(paletted, 10), 14u + 40 + 16 * 4);
    EXPECT_EQ(paletted.size(), 14u + 40 + 64 + 4);
}

TEST(BmpWrite, AnEmptyBitmapIsNotWrittenAndAFailedLoadKeepsThePicture) {
    EXPECT_THROW(WriteBmp(TBitmap()), EInvalidGraphicOperation);
    TBitmap bmp = Sample(TPixelFormat::pf8bit);
    const TBitmap before = bmp;
    std::string file = WriteBmp(bmp);
    file.resize(file.size() - 2);  // one byte short of the last row (its padding may be missing)
    EXPECT_THROW(bmp.LoadFromBytes(file), EInvalidGraphic);
    EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf8bit);
    ExpectSamePixels(bmp, before);
}

TEST(BmpWrite, PicturesLoadByContentThenByExtensionInAnyLetterCase) {
    test::TempDir dir;
    TBitmap original = Sample(TPixelFormat::pf24bit);
    original.SaveToFile(dir.File("upper.BMP"));
    original.SaveToFile(dir.File("mixed.bMp"));
    for (const char* name : {"upper.BMP", "mixed.bMp"}) {
        TPicture picture;
        picture.LoadFromFile(dir.File(name));
        auto* loaded = dynamic_cast<TBitmap*>(picture.Graphic());
        ASSERT_NE(loaded, nullptr) << name;
        ExpectSamePixels(*loaded, original);
    }
    // The content tells the kind before the name does: a bitmap named .tga is
    // the bitmap it is, and only content no kind knows falls to the extension.
    dir.Write("picture.tga", WriteBmp(original));
    TPicture picture;
    picture.LoadFromFile(dir.File("picture.tga"));
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    dir.Write("notes.tga", "no picture here");
    try {
        picture.LoadFromFile(dir.File("notes.tga"));
        ADD_FAILURE() << "an unknown extension loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find(".tga"), std::string::npos) << e.Message();
    }
}
