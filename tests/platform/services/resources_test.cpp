// The artwork built into the program: every named resource is there, in the
// size and depth the windows rely on, and a missing one is reported by name.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "platform/graphics/Icon.h"
#include "platform/graphics/Jpeg.h"
#include "platform/services/Resources.h"

namespace lumvex {
namespace {

std::uint32_t U16(const std::string& b, size_t at) { return std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8; }
std::uint32_t U32(const std::string& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

// The header of a bitmap file, and its pixels for 24-bit bottom-up files.
struct Bmp {
    std::string bytes;
    int width = 0;
    int height = 0;
    int bits = 0;

    explicit Bmp(std::string b) : bytes(std::move(b)) {
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(U32(bytes, 2), bytes.size()) << "the stated file size";
        width = int(U32(bytes, 18));
        height = int(U32(bytes, 22));
        bits = int(U16(bytes, 28));
    }
    // The colour at (x, y) counted from the top, as 0xRRGGBB.
    std::uint32_t Rgb(int x, int y) const {
        const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
        const size_t at = U32(bytes, 10) + size_t(height - 1 - y) * stride + size_t(x) * 3;
        return std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 | std::uint8_t(bytes[at + 1]) << 8 |
               std::uint8_t(bytes[at]);
    }
};

// The size in the first frame header of a JPEG file.
std::pair<int, int> JpegSize(const std::string& b) {
    size_t at = 2;
    while (at + 9 < b.size()) {
        const std::uint8_t marker = std::uint8_t(b[at + 1]);
        const size_t length = size_t(std::uint8_t(b[at + 2])) << 8 | std::uint8_t(b[at + 3]);
        if (marker >= 0xC0 && marker <= 0xC2)
            return {std::uint8_t(b[at + 7]) << 8 | std::uint8_t(b[at + 8]),
                    std::uint8_t(b[at + 5]) << 8 | std::uint8_t(b[at + 6])};
        at += 2 + length;
    }
    return {0, 0};
}

constexpr std::uint32_t Fuchsia = 0xFF00FF;

TEST(Resources, EveryNamedBitmapHasItsDesignedSizeAndDepth) {
    struct Expected { const char* name; int width, height, bits; };
    const Expected bitmaps[] = {{resource::GlyphSheet, 432, 96, 24},  {resource::Emblem, 24, 24, 24},
                                {resource::SizeGrip, 16, 16, 24},     {resource::ButtonPicture1, 89, 27, 8},
                                {resource::ButtonPicture2, 89, 27, 8}};
    for (const Expected& e : bitmaps) {
        SCOPED_TRACE(e.name);
        const Bmp bmp(LoadResourceBytes(e.name));
        EXPECT_EQ(bmp.width, e.width);
        EXPECT_EQ(bmp.height, e.height);
        EXPECT_EQ(bmp.bits, e.bits);
    }
    // Image controls take the bottom-left pixel as the transparent colour.
    EXPECT_EQ(Bmp(LoadResourceBytes(resource::SizeGrip)).Rgb(0, 15), Fuchsia);
    EXPECT_EQ(Bmp(LoadResourceBytes(resource::Emblem)).Rgb(0, 23), 0u) << "the emblem is keyed on black";
}

TEST(Resources, BackgroundLogoAndIconsHaveTheirSizes) {
    EXPECT_EQ(JpegSize(LoadResourceBytes(resource::BackgroundLogo)), std::make_pair(473, 287));

    for (const char* name : resource::Icons) {
        SCOPED_TRACE(name);
        const std::string ico = LoadResourceBytes(name);
        ASSERT_GE(ico.size(), 6u);
        EXPECT_EQ(U16(ico, 2), 1u) << "an icon, not a cursor";
        const size_t count = U16(ico, 4);
        std::set<int> edges;
        for (size_t i = 0; i < count; ++i) {
            const size_t entry = 6 + 16 * i;
            ASSERT_LE(entry + 16, ico.size());
            edges.insert(std::uint8_t(ico[entry]));
            EXPECT_LE(U32(ico, entry + 12) + U32(ico, entry + 8), ico.size()) << "image " << i << " inside the file";
        }
        EXPECT_EQ(edges, (std::set<int>{16, 24, 32, 48}));
    }
}

TEST(Resources, GlyphSheetHoldsGreyGlyphsOnFuchsia) {
    const Bmp sheet(LoadResourceBytes(resource::GlyphSheet));
    ASSERT_EQ(sheet.bits, 24);
    // Tinting keeps only the glyphs' lightness, so any colour but the key would bleed through.
    for (int y = 0; y < sheet.height; ++y)
        for (int x = 0; x < sheet.width; ++x) {
            const std::uint32_t c = sheet.Rgb(x, y);
            if (c == Fuchsia) continue;
            ASSERT_TRUE((c >> 16) == (c & 0xFF) && ((c >> 8) & 0xFF) == (c & 0xFF))
                << "pixel " << x << "," << y << " is 0x" << std::hex << c;
        }
    auto inkIn = [&](int left, int top, int width) {
        int ink = 0;
        for (int y = top; y < top + 24; ++y)
            for (int x = left; x < left + width; ++x) ink += sheet.Rgb(x, y) != Fuchsia;
        return ink;
    };
    auto differ = [&](int left, int width, int restTop, int litTop) {
        for (int y = 0; y < 24; ++y)
            for (int x = left; x < left + width; ++x)
                if (sheet.Rgb(x, restTop + y) != sheet.Rgb(x, litTop + y)) return true;
        return false;
    };
    for (int k = 0; k < 18; ++k) {
        SCOPED_TRACE("small glyph " + std::to_string(k));
        EXPECT_GT(inkIn(24 * k, 0, 24), 40);
        EXPECT_GT(inkIn(24 * k, 24, 24), 40);
        EXPECT_TRUE(differ(24 * k, 24, 0, 24)) << "the lit glyph looks like the one at rest";
    }
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE("wide glyph " + std::to_string(k));
        EXPECT_GT(inkIn(68 * k, 48, 68), 400);
        EXPECT_TRUE(differ(68 * k, 68, 48, 72));
    }
    EXPECT_EQ(inkIn(408, 48, 24) + inkIn(408, 72, 24), 0) << "nothing right of the six wide cells";
}

TEST(Resources, MissingResourceIsReportedByName) {
    try {
        LoadResourceBytes("no-such-picture.bmp");
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_NE(e.Message().find("no-such-picture.bmp"), std::string::npos) << e.Message();
    }
    EXPECT_THROW(LoadResourceBitmap("MB3"), EResNotFound);
    EXPECT_THROW(LoadResourceBytes(""), EResNotFound);
    EXPECT_THROW(LoadResourceBytes("../lumvex/glyphs.bmp"), EResNotFound) << "names are flat";

    TPicture picture;
    picture.Bitmap().SetSize(3, 2);
    EXPECT_THROW(LoadResourcePicture(picture, "no-such-logo.jpg"), EResNotFound);
    EXPECT_EQ(picture.Width(), 3) << "the old picture stays";
    EXPECT_THROW(LoadResourcePicture(picture, resource::ButtonPicture1), EInvalidGraphic)
        << "a picture's kind comes from its extension; MB1 has none and loads only as a bitmap";
    EXPECT_EQ(picture.Width(), 3);
}

// These go through the program's own picture readers.
TEST(Resources, PicturesDecodeThroughTheProgramsReaders) {
    const TBitmap sheet = LoadResourceBitmap(resource::GlyphSheet);
    EXPECT_EQ(sheet.Width(), 432);
    EXPECT_EQ(sheet.Height(), 96);
    EXPECT_EQ(sheet.PixelFormat(), TPixelFormat::pf24bit);
    const Bmp raw(LoadResourceBytes(resource::GlyphSheet));
    for (int y = 0; y < 96; y += 5)
        for (int x = 0; x < 432; x += 3) {
            const TColor c = sheet.Pixel(x, y);
            ASSERT_EQ(std::uint32_t(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c), raw.Rgb(x, y)) << x << "," << y;
        }

    const TBitmap button = LoadResourceBitmap(resource::ButtonPicture1);
    EXPECT_EQ(button.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(button.Pixel(0, 0), clFuchsia) << "the corners are transparent";

    TPicture logo;
    LoadResourcePicture(logo, resource::BackgroundLogo);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(logo.Graphic()), nullptr);
    EXPECT_EQ(logo.Width(), 473);

    TPicture icon;
    LoadResourcePicture(icon, resource::Icons[0]);
    ASSERT_NE(dynamic_cast<TIcon*>(icon.Graphic()), nullptr);
    EXPECT_EQ(icon.Width(), 48);
    EXPECT_FALSE(static_cast<TIcon*>(icon.Graphic())->Opaque(0, 0)) << "the icon's corners are masked";
}

}  // namespace
}  // namespace lumvex
