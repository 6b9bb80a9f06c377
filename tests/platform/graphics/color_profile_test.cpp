// Photos tagged with a wide-gamut colour profile show in the colours lcms2
// computes for the screen: its own profile where it publishes one, else sRGB.
#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/CameraPhotos.h"
#include "platform/graphics/ColorProfiles.h"
#include "platform/graphics/LcmsReference.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

std::vector<TColor> Pixels(const TBitmap& bitmap) {
    std::vector<TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(bitmap.Pixel(x, y));
    return pixels;
}

// Reds, greens and a grey as a camera would store them, under the profile.
std::string TaggedPhoto(const TempDir& dir, const std::string& name, const std::string& profile) {
    TBitmap picture(24, 16);
    const TColor colours[] = {RGB(220, 40, 30), RGB(150, 60, 50), RGB(40, 190, 70), RGB(128, 128, 128)};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) picture.SetPixel(x, y, colours[x / 8 + (y / 8 ? 1 : 0)]);
    TJPEGImage encoder;
    encoder.Assign(picture);
    const std::string path = dir.File(name);
    encoder.SaveToFile(path);
    if (!profile.empty())
        Command("exiftool -q -overwrite_original '-ICC_Profile<=" + dir.Write(name + ".icc", profile) + "' " + Quoted(path));
    return path;
}

TBitmap Decoded(const std::string& path, TJPEGColors colors) {
    TJPEGImage jpeg;
    jpeg.SetColors(colors);
    jpeg.LoadFromFile(path);
    return jpeg.Bitmap();
}

// Every pixel shown is lcms2's conversion of the stored one, within a step.
void ExpectConverted(const std::string& path, TJPEGColors colors, const std::string& from, const std::string& to,
                     const std::string& what) {
    const std::vector<TColor> stored = Pixels(Decoded(path, TJPEGColors::jcStored)), shown = Pixels(Decoded(path, colors));
    const std::vector<TColor> expected = from.empty() ? stored : LcmsColours(from, to, stored);
    int wrong = 0, changed = 0;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        wrong += !Near(shown[i], expected[i], 1);
        changed += shown[i] != stored[i];
    }
    EXPECT_EQ(wrong, 0) << what;
    if (!from.empty() && from != to) {
        EXPECT_GT(changed, 100) << what << ": the colours should change";
    }
}

TEST(ColorProfiles, WideGamutPhotosShowAsLcms2ComputesForTheScreen) {
    TempDir dir;
    const std::string p3 = DisplayP3Profile(), adobe = AdobeRgbProfile();
    const std::string p3Photo = TaggedPhoto(dir, "p3.jpg", p3), adobePhoto = TaggedPhoto(dir, "adobe.jpg", adobe);
    const std::string untagged = TaggedPhoto(dir, "plain.jpg", "");
    {
        ScreenProfile none("");
        ExpectConverted(p3Photo, TJPEGColors::jcScreen, p3, "", "Display P3 on an sRGB screen");
        ExpectConverted(adobePhoto, TJPEGColors::jcScreen, adobe, "", "Adobe RGB on an sRGB screen");
        ExpectConverted(untagged, TJPEGColors::jcScreen, "", "", "no profile");
    }
    {
        ScreenProfile wide(p3);
        ExpectConverted(adobePhoto, TJPEGColors::jcScreen, adobe, p3, "Adobe RGB on a Display P3 screen");
        ExpectConverted(p3Photo, TJPEGColors::jcScreen, "", "", "Display P3 on a Display P3 screen");
        ExpectConverted(untagged, TJPEGColors::jcScreen, "", "", "no profile on a Display P3 screen");
        ExpectConverted(adobePhoto, TJPEGColors::jcSRGB, adobe, "", "Adobe RGB for a file without a profile");
    }
}

TEST(ColorProfiles, EightBitPicturesHaveTheirPaletteConverted) {
    TempDir dir;
    const std::string p3 = DisplayP3Profile();
    const std::string path = TaggedPhoto(dir, "p3.jpg", p3);
    TJPEGImage jpeg;
    jpeg.SetPixelFormat(TJPEGPixelFormat::jf8Bit);
    jpeg.LoadFromFile(path);
    const std::vector<TColor> shown = Pixels(jpeg.Bitmap());
    jpeg.SetColors(TJPEGColors::jcStored);
    const std::vector<TColor> expected = LcmsColours(p3, "", Pixels(jpeg.Bitmap()));
    for (std::size_t i = 0; i < shown.size(); ++i) ASSERT_TRUE(Near(shown[i], expected[i], 1)) << i;
}

// The quick tables agree with lcms2 on every colour of a fine grid.
TEST(ColorProfiles, TheConversionMatchesLcms2AcrossTheWholeCube) {
    constexpr int Step = 5;
    TBitmap cube(52 * 52, 52);
    for (int r = 0; r < 52; ++r)
        for (int g = 0; g < 52; ++g)
            for (int b = 0; b < 52; ++b) cube.SetPixel(r * 52 + g, b, RGB(r * Step, g * Step, b * Step));
    for (const std::string& profile : {DisplayP3Profile(), AdobeRgbProfile()}) {
        TBitmap converted = cube;
        const auto conversion = TColorConversion::For(profile, TColorTarget::SRGB);
        ASSERT_NE(conversion, nullptr);
        ConvertColors(converted, *conversion);
        std::vector<std::uint8_t> in, out;
        for (int y = 0; y < cube.Height(); ++y)
            for (int x = 0; x < cube.Width(); ++x) {
                const TColor c = cube.Pixel(x, y);
                in.insert(in.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
            }
        out.resize(in.size());
        cmsHPROFILE source = cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size()));
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        cmsHTRANSFORM transform = cmsCreateTransform(source, TYPE_RGB_8, srgb, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
        cmsDoTransform(transform, in.data(), out.data(), static_cast<cmsUInt32Number>(in.size() / 3));
        cmsDeleteTransform(transform);
        cmsCloseProfile(source);
        cmsCloseProfile(srgb);
        int wrong = 0;
        for (int y = 0, i = 0; y < cube.Height(); ++y)
            for (int x = 0; x < cube.Width(); ++x, i += 3)
                wrong += !Near(converted.Pixel(x, y), RGB(out[i], out[i + 1], out[i + 2]), 1);
        EXPECT_EQ(wrong, 0);
    }
    // sRGB to sRGB changes nothing and costs nothing.
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(srgb, nullptr, &size);
    std::string bytes(size, '\0');
    cmsSaveProfileToMem(srgb, bytes.data(), &size);
    cmsCloseProfile(srgb);
    EXPECT_EQ(TColorConversion::For(bytes, TColorTarget::SRGB), nullptr);
}

}  // namespace
