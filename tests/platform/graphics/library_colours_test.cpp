// PNG, WebP and TIFF pictures tagged with a colour profile show in the
// colours lcms2 computes for the screen, as JPEG photos do; untagged ones and
// ones whose profile is damaged keep their colours.
#include <gtest/gtest.h>

#include "platform/graphics/CameraPhotos.h"
#include "platform/graphics/LcmsReference.h"
#include "platform/graphics/LibraryImage.h"
#include "platform/graphics/Picture.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

// A red within sRGB's gamut and Display P3's: the same numbers are
// different colours under the two.
const TColor Red = RGB(200, 40, 30);

// An 8 x 8 picture, its left half opaque red and its right half red at
// alpha 128 for "png32", all opaque red for the other kinds, tagged with the
// profile unless it is empty.
std::string RedFile(const TempDir& dir, const std::string& kind, const std::string& profile) {
    const std::string path = dir.File("red." + kind), png = dir.File("red.png");
    Command("convert -size 8x8 xc:'rgb(200,40,30)' -alpha set -region 4x8+4+0 -channel A -evaluate set 50.2% "
            "+channel +region png32:" + Quoted(png));
    if (kind == "png32") Command("cp " + Quoted(png) + " " + Quoted(path));
    if (kind == "png") Command("convert " + Quoted(png) + " -alpha off png24:" + Quoted(path));
    if (kind == "webp") Command("convert " + Quoted(png) + " -alpha off png24:- | cwebp -quiet -lossless -exact -o " +
                                Quoted(path) + " -- -");
    if (kind == "tif") Command("convert " + Quoted(png) + " -alpha off -compress none " + Quoted(path));
    if (!profile.empty())
        Command("exiftool -q -overwrite_original '-ICC_Profile<=" + dir.Write("profile.icc", profile) + "' " +
                Quoted(path));
    return path;
}

TColor Loaded(const std::string& path, TColorTarget colors, int x = 1) {
    const std::string bytes = ReadFileBytes(path);
    std::unique_ptr<TGraphic> graphic = TPicture::CreateForContent(bytes, path);
    auto& still = dynamic_cast<TLibraryImage&>(*graphic);
    TDecodeRequest request;
    request.Colors = colors;
    still.Load(bytes, request);
    return still.Bitmap().Pixel(x, 1);
}

TEST(LibraryColours, ADisplayP3RedShowsAsTheRedLcms2ComputesForTheScreen) {
    const std::string p3 = DisplayP3Profile(), adobe = AdobeRgbProfile();
    const TColor srgbRed = LcmsColours(p3, "", {Red})[0], adobeRed = LcmsColours(p3, adobe, {Red})[0];
    ASSERT_FALSE(Near(srgbRed, Red, 10));
    for (const std::string kind : {"png", "png32", "webp", "tif"}) {
        const TempDir dir;
        const std::string path = RedFile(dir, kind, p3);
        {
            const ScreenProfile none("");
            EXPECT_TRUE(Near(Loaded(path, TColorTarget::Screen), srgbRed, 1)) << kind << std::hex << " "
                                                                              << Loaded(path, TColorTarget::Screen);
        }
        const ScreenProfile wide(adobe);
        EXPECT_TRUE(Near(Loaded(path, TColorTarget::Screen), adobeRed, 1)) << kind << " on an Adobe RGB screen";
        EXPECT_TRUE(Near(Loaded(path, TColorTarget::SRGB), srgbRed, 1)) << kind << " for a file without a profile";
        if (kind == "png32") {
            // The colours are converted before they are multiplied by the alpha.
            const TColor half = Loaded(path, TColorTarget::SRGB, 6);
            EXPECT_TRUE(Near(half, RGB(GetRValue(srgbRed) * 128 / 255, GetGValue(srgbRed) * 128 / 255,
                                       GetBValue(srgbRed) * 128 / 255), 2))
                << std::hex << half;
        }
    }
}

TEST(LibraryColours, UntaggedAndDamagedProfilesKeepTheColours) {
    const std::string truncated = DisplayP3Profile().substr(0, 200);
    for (const std::string kind : {"png", "webp", "tif"}) {
        const TempDir dir;
        EXPECT_EQ(Loaded(RedFile(dir, kind, ""), TColorTarget::Screen), Red) << kind;
    }
    const TempDir dir;
    const std::string plain = RedFile(dir, "webp", ""), damaged = dir.File("damaged.webp");
    Command("webpmux -set icc " + Quoted(dir.Write("damaged.icc", truncated)) + " " + Quoted(plain) + " -o " +
            Quoted(damaged));
    EXPECT_EQ(Loaded(damaged, TColorTarget::Screen), Red);
}

}  // namespace
