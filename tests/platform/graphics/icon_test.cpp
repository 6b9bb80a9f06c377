#include <gtest/gtest.h>

#include <vector>

#include "Crc32.h"
#include "TestFiles.h"
#include "platform/SysUtils.h"
#include "platform/graphics/BmpBytes.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ExpectRaises.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/Picture.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

std::string IcoFile(const std::vector<std::string>& images) {
    Bytes b;
    b.U16(0).U16(1).U16(static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const std::string& image : images) {
        b.U8(0).U8(0).U8(0).U8(0).U16(1).U16(0).U32(static_cast<std::uint32_t>(image.size())).U32(offset);
        offset += static_cast<std::uint32_t>(image.size());
    }
    for (const std::string& image : images) b.Raw(image);
    return b.str();
}

// A 4 x 4 black-and-white icon image: the top row is white, black, white,
// black with its first two pixels masked out; the other rows are white.
std::string MonoImage() {
    Bytes b;
    b.Raw(InfoHeader{.width = 4, .height = 8, .bits = 1}.str()).Colours({clBlack, clWhite});
    b.List({0xF0, 0, 0, 0, 0xF0, 0, 0, 0, 0xF0, 0, 0, 0, 0xA0, 0, 0, 0});  // colour rows, bottom up
    b.List({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0});           // mask rows
    return b.str();
}

// A square true-colour image of one colour, no pixel masked.
std::string SolidImage(int size, TColor colour) {
    Bytes b;
    b.Raw(InfoHeader{.width = size, .height = 2 * size, .bits = 24}.str());
    const int stride = (size * 3 + 3) / 4 * 4;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) b.U8(GetBValue(colour)).U8(GetGValue(colour)).U8(GetRValue(colour));
        b.Zeros(stride - size * 3);
    }
    return b.Zeros(std::size_t((size + 31) / 32 * 4) * size).str();
}

std::string FourBitImage(int size) {
    Bytes b;
    b.Raw(InfoHeader{.width = size, .height = 2 * size, .bits = 4}.str()).Zeros(16 * 4);
    return b.Zeros(std::size_t((size * 4 + 31) / 32 * 4) * size + std::size_t((size + 31) / 32 * 4) * size).str();
}

// A minimal PNG writer: RGBA pixels in one stored (uncompressed) deflate block.
std::uint32_t Adler32(const std::string& bytes) {
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : bytes) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void BigEndian(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

std::string Chunk(const std::string& type, const std::string& data) {
    std::string out;
    BigEndian(out, static_cast<std::uint32_t>(data.size()));
    out += type + data;
    BigEndian(out, Crc32(type + data));
    return out;
}

// pixels: 0xAARRGGBB, rows from the top.
std::string Png(std::uint32_t width, std::uint32_t height, const std::vector<std::uint32_t>& pixels) {
    std::string header;
    BigEndian(header, width);
    BigEndian(header, height);
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, not interlaced
    std::string raw;
    for (std::uint32_t y = 0; y < height && !pixels.empty(); ++y) {
        raw += '\0';  // no filter
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[y * width + x];
            raw += {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p), static_cast<char>(p >> 24)};
        }
    }
    std::string zlib("\x78\x01\x01", 3);
    zlib += {static_cast<char>(raw.size() & 0xFF), static_cast<char>(raw.size() >> 8),
             static_cast<char>(~raw.size() & 0xFF), static_cast<char>((~raw.size() >> 8) & 0xFF)};
    zlib += raw;
    BigEndian(zlib, Adler32(raw));
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", zlib) + Chunk("IEND", "");
}

void ExpectInvalid(const std::string& file, const std::string& words) {
    ExpectRaises<EInvalidGraphic>([&] { TIcon().LoadFromBytes(file); }, words);
}

}  // namespace

TEST(Icon, ShowsTheLargestImageWithItsMask) {
    TIcon icon;
    const std::string file = IcoFile({SolidImage(2, clRed), MonoImage()});
    icon.LoadFromBytes(file);
    ASSERT_EQ(icon.Width(), 4);
    ASSERT_EQ(icon.Height(), 4);
    EXPECT_EQ(icon.Colors().PixelFormat(), TPixelFormat::pf24bit);
    const TColor top[] = {clWhite, clBlack, clWhite, clBlack};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(icon.Colors().Pixel(x, 0), top[x]);
        EXPECT_EQ(icon.Opaque(x, 0), x >= 2);
        EXPECT_EQ(icon.Colors().Pixel(x, 3), clWhite);
        EXPECT_TRUE(icon.Opaque(x, 3));
    }
    EXPECT_FALSE(icon.Opaque(4, 0));
    EXPECT_EQ(icon.SaveToBytes(), file);
}

TEST(Icon, AmongEqualSizesShowsTheDeepestImage) {
    TIcon icon;
    icon.LoadFromBytes(IcoFile({FourBitImage(4), SolidImage(4, clRed), FourBitImage(4)}));
    EXPECT_EQ(icon.Colors().Pixel(1, 1), clRed);
}

TEST(Icon, ThirtyTwoBitImagesUseTheirAlphaUnlessItIsAllZero) {
    Bytes withAlpha;
    withAlpha.Raw(InfoHeader{.width = 2, .height = 2, .bits = 32}.str());
    withAlpha.List({1, 2, 3, 255, 4, 5, 6, 0}).Zeros(4);  // the mask says opaque; the alpha wins
    TIcon icon;
    icon.LoadFromBytes(IcoFile({withAlpha.str()}));
    EXPECT_EQ(icon.Colors().Pixel(0, 0), RGB(3, 2, 1));
    EXPECT_TRUE(icon.Opaque(0, 0));
    EXPECT_FALSE(icon.Opaque(1, 0));

    Bytes noAlpha;
    noAlpha.Raw(InfoHeader{.width = 2, .height = 2, .bits = 32}.str());
    noAlpha.List({1, 2, 3, 0, 4, 5, 6, 0}).List({0x40, 0, 0, 0});
    icon.LoadFromBytes(IcoFile({noAlpha.str()}));
    EXPECT_TRUE(icon.Opaque(0, 0));
    EXPECT_FALSE(icon.Opaque(1, 0));
}

TEST(Icon, PngImagesDecodeWithTheirAlpha) {
    const std::vector<std::uint32_t> pixels = {0xFFFF0000, 0x00000000, 0xFF00FF00,
                                               0x800000FF, 0xFF102030, 0x7F010203};
    TIcon icon;
    icon.LoadFromBytes(IcoFile({SolidImage(2, clRed), Png(3, 2, pixels)}));
    ASSERT_EQ(icon.Width(), 3);
    ASSERT_EQ(icon.Height(), 2);
    EXPECT_EQ(icon.Colors().Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(icon.Colors().Pixel(2, 0), RGB(0, 255, 0));
    EXPECT_EQ(icon.Colors().Pixel(1, 1), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(icon.Colors().Pixel(0, 1), RGB(0, 0, 255));
    EXPECT_TRUE(icon.Opaque(0, 0));
    EXPECT_FALSE(icon.Opaque(1, 0));
    EXPECT_TRUE(icon.Opaque(0, 1));
    EXPECT_FALSE(icon.Opaque(2, 1));
}

TEST(Icon, DrawsStretchedAndLeavesMaskedPixelsAlone) {
    TIcon icon;
    icon.LoadFromBytes(IcoFile({MonoImage()}));
    TBitmap target(8, 8, TPixelFormat::pf24bit);
    target.Canvas().Brush.Color = clLime;
    target.Canvas().FillRect(Rect(0, 0, 8, 8));
    target.Canvas().StretchDraw(Rect(0, 0, 8, 8), icon);
    EXPECT_EQ(target.Pixel(0, 0), clLime);   // masked
    EXPECT_EQ(target.Pixel(3, 1), clLime);
    EXPECT_EQ(target.Pixel(4, 0), clWhite);  // each icon pixel covers 2 x 2
    EXPECT_EQ(target.Pixel(7, 1), clBlack);
    EXPECT_EQ(target.Pixel(0, 7), clWhite);
}

TEST(Icon, CopiesAndFileLoadingByExtension) {
    test::TempDir dir;
    const std::string path = dir.Write("sample.Ico", IcoFile({MonoImage()}));
    TPicture picture;
    picture.LoadFromFile(path);
    auto* icon = dynamic_cast<TIcon*>(picture.Graphic());
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->Width(), 4);
    auto clone = icon->Clone();
    TIcon assigned;
    assigned.Assign(*clone);
    EXPECT_EQ(assigned.SaveToBytes(), icon->SaveToBytes());
    EXPECT_FALSE(assigned.Opaque(0, 0));
    EXPECT_THROW(assigned.Assign(TBitmap(1, 1)), EConvertError);
}

TEST(Icon, BadFilesRaiseClearErrorsAndKeepTheOldPicture) {
    ExpectInvalid("", "empty");
    ExpectInvalid(Bytes().U16(0).U16(2).U16(1).str(), "Not an icon");
    ExpectInvalid(Bytes().U16(0).U16(1).U16(0).str(), "no images");
    ExpectInvalid(IcoFile({MonoImage()}).substr(0, 20), "directory is truncated");
    std::string outside = IcoFile({MonoImage()});
    outside[18] = '\x7F';  // the image's offset
    ExpectInvalid(outside, "lies outside the file");
    ExpectInvalid(IcoFile({MonoImage().substr(0, 40 + 8 + 16 + 8)}), "mask is truncated");
    ExpectInvalid(IcoFile({MonoImage().substr(0, 30)}), "header is truncated");
    Bytes rle;
    rle.Raw(InfoHeader{.width = 2, .height = 4, .bits = 8, .compression = 1, .colorsUsed = 1}.str()).Zeros(4).List({0, 1});
    ExpectInvalid(IcoFile({rle.str()}), "compressed");
    std::string damaged = Png(2, 2, {1, 2, 3, 4});
    damaged[50] ^= 0x55;
    ExpectInvalid(IcoFile({damaged}), "damaged PNG");
    ExpectInvalid(IcoFile({std::string("\x89PNG\r\n\x1a\n", 8) + "short"}), "damaged PNG");
    ExpectInvalid(IcoFile({Png(4000, 4000, {})}), "far too short");
    ExpectRaises<EOutOfResources>([] { TIcon().LoadFromBytes(IcoFile({Png(65536, 65536, {})})); }, "too large");

    TIcon icon;
    icon.LoadFromBytes(IcoFile({MonoImage()}));
    EXPECT_THROW(icon.LoadFromBytes("junk"), EInvalidGraphic);
    EXPECT_EQ(icon.Width(), 4);
}
