// Decoding GIF files built in the test: frames, colour tables, interlacing,
// extensions, and every way the data can be broken.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "GifWriter.h"
#include "TestFiles.h"
#include "components/MPGifImg.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/services/Application.h"

using namespace lumvex;
using lumvex::test::CodePacker;
using lumvex::test::GifImage;
using lumvex::test::GifWriter;

namespace {

const std::vector<TColor> Four = {clRed, clLime, clBlue, clWhite};

std::vector<std::uint8_t> Pattern(int width, int height, int colors, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height);
    // Runs of one colour and noise, so the codes both repeat and grow.
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(random() % 4 == 0 ? random() % colors : (i / 7) % colors);
    return pixels;
}

void ExpectFrame(const TGIFFrame& frame, const std::vector<std::uint8_t>& pixels, const std::vector<TColor>& colors) {
    const TBitmap& bitmap = frame.Bitmap();
    ASSERT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const std::uint8_t index = pixels[static_cast<std::size_t>(y) * bitmap.Width() + x];
            ASSERT_EQ(bitmap.ScanLine(y)[x], index) << x << "," << y;
            ASSERT_EQ(bitmap.Pixel(x, y), colors[index]) << x << "," << y;
        }
}

// The message and kind of the error loading raises.
template <class Kind>
std::string LoadError(const std::string& bytes) {
    TGIFImage image;
    try {
        image.LoadFromBytes(bytes);
    } catch (const Kind& error) {
        return error.what();
    } catch (const std::exception& error) {
        return std::string("wrong kind: ") + error.what();
    }
    return "no error";
}

std::string RawImage(int width, int height, int codeSize, const std::string& raster) {
    GifImage image{.width = width, .height = height, .codeSize = codeSize, .raster = raster};
    return GifWriter(width, height, Four).Image(image).Bytes();
}

}  // namespace

TEST(GifDecode, SingleFrameKeepsItsBytesAndColours) {
    const std::vector<std::uint8_t> pixels = {0, 1, 2, 3, 3, 2, 1, 0, 0, 0, 3, 3};
    const std::string bytes = GifWriter(4, 3, Four).Image({.width = 4, .height = 3, .pixels = pixels}).Bytes();
    TGIFImage image;
    image.LoadFromBytes(bytes);
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.Height(), 3);
    EXPECT_EQ(image.FrameCount(), 1);
    EXPECT_EQ(image.CurrentFrame(), 0);
    ExpectFrame(image.Frame(0), pixels, Four);
    EXPECT_EQ(image.SaveToBytes(), bytes);

    TBitmap target(4, 3, TPixelFormat::pf24bit);
    image.Draw(target.Canvas(), Rect(0, 0, 4, 3));
    EXPECT_EQ(target.Pixel(2, 0), clBlue);
    EXPECT_EQ(target.Pixel(3, 2), clWhite);
}

TEST(GifDecode, PicturesLoadGifFilesByExtension) {
    RegisterGIFImage();
    test::TempDir dir;
    const std::string path = dir.Write("still.GIF", GifWriter(2, 1, Four).Image({.width = 2, .height = 1, .pixels = {1, 2}}).Bytes());
    EXPECT_EQ(TPicture::FileFormatDescription(path), "Graphics Interchange Format");
    TPicture picture;
    picture.LoadFromFile(path);
    auto* gif = dynamic_cast<TGIFImage*>(picture.Graphic());
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->Frame(0).Bitmap().Pixel(1, 0), clBlue);
}

TEST(GifDecode, LongDataFillsClearsAndRegrowsTheCodeTable) {
    std::vector<TColor> palette;
    for (int i = 0; i < 256; ++i) palette.push_back(RGB(i, 255 - i, i / 2));
    for (int colors : {4, 16, 256}) {
        const auto pixels = Pattern(301, 203, colors, colors);
        const std::string bytes = GifWriter(301, 203, palette).Image({.width = 301, .height = 203, .pixels = pixels}).Bytes();
        TGIFImage image;
        image.LoadFromBytes(bytes);
        ExpectFrame(image.Frame(0), pixels, palette);
    }
    // One colour throughout: every code is the one just being defined.
    const std::vector<std::uint8_t> flat(5000, 3);
    TGIFImage image;
    image.LoadFromBytes(GifWriter(100, 50, Four).Image({.width = 100, .height = 50, .pixels = flat}).Bytes());
    ExpectFrame(image.Frame(0), flat, Four);
}

TEST(GifDecode, InterlacedRowsLandInTheirPlaces) {
    for (int height : {1, 2, 3, 5, 9, 17}) {
        std::vector<std::uint8_t> pixels;
        for (int y = 0; y < height; ++y) pixels.insert(pixels.end(), 3, static_cast<std::uint8_t>(y % 4));
        TGIFImage image;
        image.LoadFromBytes(
            GifWriter(3, height, Four).Image({.width = 3, .height = height, .pixels = pixels, .interlaced = true}).Bytes());
        ExpectFrame(image.Frame(0), pixels, Four);
    }
}

TEST(GifDecode, FramesUseTheirLocalTableElseTheGlobalOne) {
    const std::vector<TColor> local = {clYellow, clNavy};
    const std::string bytes = GifWriter(2, 1, Four)
                                  .Image({.width = 2, .height = 1, .pixels = {0, 1}})
                                  .Image({.width = 2, .height = 1, .pixels = {0, 1}, .localColors = local})
                                  .Bytes();
    TGIFImage image;
    image.LoadFromBytes(bytes);
    ASSERT_EQ(image.FrameCount(), 2);
    EXPECT_EQ(image.Frame(0).Bitmap().Pixel(1, 0), clLime);
    EXPECT_EQ(image.Frame(1).Bitmap().Pixel(1, 0), clNavy);
    ASSERT_NE(image.GIFData().GlobalColors, nullptr);
    EXPECT_EQ(image.GIFData().GlobalColors->Colors(3), clWhite);
    EXPECT_THROW(image.GIFData().GlobalColors->Colors(4), EListError);

    // No table at all: the frame keeps the bitmap's own palette.
    TGIFImage bare;
    bare.LoadFromBytes(GifWriter(2, 1).Image({.width = 2, .height = 1, .pixels = {0, 3}}).Bytes());
    EXPECT_EQ(bare.Frame(0).Bitmap().ScanLine(0)[1], 3);
}

TEST(GifDecode, AFrameSmallerThanTheScreenIsStretchedOverTheWholePicture) {
    const std::string bytes =
        GifWriter(4, 4, Four).Image({.left = 2, .top = 2, .width = 2, .height = 2, .pixels = {0, 1, 2, 3}}).Bytes();
    TGIFImage image;
    image.LoadFromBytes(bytes);
    EXPECT_EQ(image.Frame(0).Bitmap().Width(), 2);
    TBitmap target(4, 4, TPixelFormat::pf24bit);
    image.Draw(target.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(target.Pixel(0, 0), clRed);
    EXPECT_EQ(target.Pixel(1, 1), clRed);
    EXPECT_EQ(target.Pixel(3, 0), clLime);
    EXPECT_EQ(target.Pixel(0, 3), clBlue);
    EXPECT_EQ(target.Pixel(3, 3), clWhite);
}

TEST(GifDecode, PlainTextIsDrawnClippedAndABadColourIndexIsReported) {
    const std::vector<TColor> blackOnWhite = {clWhite, clBlack};
    auto withText = [&](std::uint8_t foreIndex) {
        // Grid at (2, 2), 12 x 20, cells 10 high, black text on white.
        std::string block = {2, 0, 2, 0, 12, 0, 20, 0, 8, 10, static_cast<char>(foreIndex), 0};
        return GifWriter(40, 24, blackOnWhite)
            .Extension(0x01, {block, "WWWW"})
            .Image({.width = 40, .height = 24, .pixels = std::vector<std::uint8_t>(40 * 24, 0)})
            .Bytes();
    };
    std::vector<std::string> errors;
    Application.ErrorBox = [&](const std::string& message) { errors.push_back(message); };

    TGIFImage image;
    image.LoadFromBytes(withText(1));
    const TBitmap& bitmap = image.Frame(0).Bitmap();
    int inside = 0, outside = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) != clWhite) ++(Bounds(2, 2, 12, 20).Contains({x, y}) ? inside : outside);
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(errors.empty());

    TGIFImage bad;
    bad.LoadFromBytes(withText(5));
    EXPECT_EQ(bad.FrameCount(), 1);
    EXPECT_EQ(errors, std::vector<std::string>{"Index 5 out of range [0..1]"});
    Application.ErrorBox = nullptr;
}

TEST(GifDecode, OtherExtensionsAreReadAndDroppedAndTrailingOnesGiveAnEmptyFrame) {
    const std::string bytes = GifWriter(2, 2, Four)
                                  .Extension(0xFF, {"NETSCAPE2.0", std::string{1, 3, 0}})
                                  .Extension(0xFE, {"made here", "by a test"})
                                  .Extension(0x42, {"unknown"})
                                  .GraphicControl(20)
                                  .Image({.width = 2, .height = 2, .pixels = {3, 3, 3, 3}})
                                  .GraphicControl(7)
                                  .Extension(0xFE, {"after the last image"})
                                  .Bytes();
    TGIFImage image;
    image.LoadFromBytes(bytes);
    ASSERT_EQ(image.FrameCount(), 2);
    EXPECT_EQ(image.Frame(0).Delay, 2);
    EXPECT_TRUE(image.Frame(1).Bitmap().Empty());
    EXPECT_EQ(image.Frame(1).Delay, 0);

    TBitmap target(2, 2, TPixelFormat::pf24bit);
    target.Canvas().Brush.Color = clFuchsia;
    target.Canvas().FillRect(Rect(0, 0, 2, 2));
    image.SetCurrentFrame(1);
    image.Draw(target.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(target.Pixel(1, 1), clFuchsia);  // the frame without an image leaves the area as it was
    image.SetCurrentFrame(0);
    image.Draw(target.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(target.Pixel(1, 1), clWhite);
}

TEST(GifDecode, TheEndCodeEndsTheFrameAndOddCodesAfterAClearAreTolerated) {
    // Code size 2: clear 4, end 5, codes of 3 bits.
    CodePacker early;
    for (int code : {4, 4, 4, 2, 5}) early.Put(code, 3);  // repeated clears, one pixel, end
    TGIFImage image;
    image.LoadFromBytes(RawImage(3, 2, 2, early.Bytes()));
    ExpectFrame(image.Frame(0), {2, 0, 0, 0, 0, 0}, Four);

    CodePacker unknownFirst;
    for (int code : {4, 7, 1, 5}) unknownFirst.Put(code, 3);  // 7 is not defined yet: taken as 0
    image.LoadFromBytes(RawImage(2, 1, 2, unknownFirst.Bytes()));
    ExpectFrame(image.Frame(0), {0, 1}, Four);

    CodePacker noLeadingClear;
    for (int code : {1, 1, 5}) noLeadingClear.Put(code, 3);
    image.LoadFromBytes(RawImage(2, 1, 2, noLeadingClear.Bytes()));
    ExpectFrame(image.Frame(0), {1, 1}, Four);
}

TEST(GifDecode, BrokenDataRaisesItsErrorAndKeepsTheOldPicture) {
    const std::string good = GifWriter(2, 1, Four).Image({.width = 2, .height = 1, .pixels = {1, 2}}).Bytes();

    CodePacker endAfterClear;
    for (int code : {4, 4, 5}) endAfterClear.Put(code, 3);
    EXPECT_EQ(LoadError<EStreamError>(RawImage(2, 1, 2, endAfterClear.Bytes())), "Invalid stream format");

    CodePacker beyondNextFree;
    for (int code : {4, 1, 7, 5}) beyondNextFree.Put(code, 3);  // 6 is the next free code
    EXPECT_EQ(LoadError<EStreamError>(RawImage(2, 1, 2, beyondNextFree.Bytes())), "Invalid stream format");

    // A full table must be followed by a clear code.
    CodePacker overflow;
    overflow.Put(4, 3);
    int width = 3, next = 6;
    overflow.Put(1, width);
    for (; next < 4096; ++next) {
        overflow.Put(1, width);
        if (next + 1 == (1 << width) && width < 12) ++width;
    }
    overflow.Put(1, 12);
    EXPECT_EQ(LoadError<Exception>(RawImage(64, 64, 2, overflow.Bytes())), "Code size overflow");

    for (int codeSize : {1, 10, 12, 255})
        EXPECT_EQ(LoadError<EInvalidGraphicOperation>(RawImage(2, 1, codeSize, "\x04")),
                  "Invalid LZW Code Size: " + std::to_string(codeSize));

    std::string badSeparator = good;
    badSeparator.insert(badSeparator.size() - 1, "\x99");
    EXPECT_EQ(LoadError<EInvalidGraphicOperation>(badSeparator), "Invalid GIF format seperator: $99");

    // The raster ends before its end code; the file ends before its trailer.
    CodePacker cut;
    for (int code : {4, 1, 2}) cut.Put(code, 3);
    EXPECT_EQ(LoadError<EStreamError>(RawImage(2, 2, 2, cut.Bytes())), "Invalid stream format");
    const std::string noTrailer = good.substr(0, good.size() - 1);
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_EQ(LoadError<EStreamError>(good.substr(0, size)), "Invalid stream format") << size;

    TGIFImage image;
    image.LoadFromBytes(good);
    EXPECT_THROW(image.LoadFromBytes(noTrailer), EStreamError);
    EXPECT_EQ(image.SaveToBytes(), good);
    EXPECT_EQ(image.Frame(0).Bitmap().Pixel(1, 0), clBlue);
}

TEST(GifDecode, FramesEndingEarlyShowAndOnlyFramesOverTheLimitAreRefused) {
    CodePacker one;
    for (int code : {4, 1, 5}) one.Put(code, 3);
    EXPECT_NE(LoadError<EOutOfResources>(RawImage(65535, 65535, 2, one.Bytes())).find("65535 x 65535"),
              std::string::npos);
    TGIFImage image;
    image.LoadFromBytes(RawImage(2000, 2000, 2, one.Bytes()));  // the end code ends it after one pixel
    EXPECT_EQ(image.Frame(0).Bitmap().ScanLine(0)[0], 1);
    EXPECT_EQ(image.Frame(0).Bitmap().ScanLine(0)[1], 0);
    EXPECT_EQ(image.Frame(0).Bitmap().ScanLine(1999)[1999], 0);
}

TEST(GifDecode, FrameBitmapsAreReadOnlyAndFrameNumbersChecked) {
    TGIFImage image;
    image.LoadFromBytes(GifWriter(2, 1, Four).Image({.width = 2, .height = 1, .pixels = {1, 2}}).Bytes());
    TGIFFrame& frame = image.GIFData().Frame(0);
    try {
        frame.Bitmap().SetPalette({});
        ADD_FAILURE() << "a frame bitmap was changed";
    } catch (const EInvalidGraphicOperation& error) {
        EXPECT_STREQ(error.what(), "Cannot modify TGIFFrame bitmap");
    }
    try {
        image.Frame(1);
        ADD_FAILURE() << "frame 1 of 1";
    } catch (const EInvalidGraphicOperation& error) {
        EXPECT_STREQ(error.what(), "Invalid frame number 1 (0..0)");
    }
    EXPECT_THROW(image.Frame(-1), EInvalidGraphicOperation);
}

// Inputs the fuzzer once failed on: each loads or raises our own error.
TEST(GifDecode, FuzzFindsLoadOrFailCleanly) {
    Application.ErrorBox = [](const std::string&) {};
    const auto finds = std::filesystem::path(LUMVEX_TEST_DATA) / "fuzz-finds";
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(finds)) {
        if (entry.path().filename().string().rfind("gif-", 0) != 0) continue;
        ++count;
        TGIFImage image;
        try {
            image.LoadFromFile(entry.path().string());
        } catch (const Exception&) {
            continue;
        }
        TBitmap target(8, 8, TPixelFormat::pf24bit);
        for (int i = 0; i < image.FrameCount(); ++i) {
            image.SetCurrentFrame(i);
            image.Draw(target.Canvas(), Rect(0, 0, 8, 8));
        }
    }
    EXPECT_GT(count, 0);
    Application.ErrorBox = nullptr;
}
