// A picture read through its format's library, converted into a new JPEG or
// BMP file: the file shows it upright, in the sRGB colours its profile gives,
// whatever the screen's profile.
#include "ImageOpsSupport.h"
#include "imageops/ConvertFile.h"
#include "platform/graphics/CameraPhotos.h"
#include "platform/graphics/LcmsReference.h"
#include "platform/services/Dialogs.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class LibraryKindConversion : public WindowTest {
protected:
    void ConvertBoth(const std::string& name) {
        EXPECT_EQ(ConvertFile(dir.Path(), name, TConvertTarget::ToBmp, 95, mode, *MainWindow->TImg2),
                  TConvertResult::Done);
        EXPECT_EQ(ConvertFile(dir.Path(), name, TConvertTarget::ToJpg, 95, mode, *MainWindow->TImg2),
                  TConvertResult::Done);
    }
    TOverwriteMode mode = TOverwriteMode::OverwriteAll;
    ScriptedDialogs dialogs;
};

TEST_F(LibraryKindConversion, WritesTheUprightPictureInTheSrgbColoursOfItsProfile) {
    const std::string scene = dir.File("scene.bmp");
    Scene(96, 72).SaveToFile(scene);
    // Stored as a camera turned a quarter right stores it, with Orientation 6.
    Command("convert " + Quoted(scene) + " -rotate 270 +repage png24:" + Quoted(dir.File("turned.png")) +
            " && exiftool -q -overwrite_original -Orientation#=6 " + Quoted(dir.File("turned.png")));
    ConvertBoth("turned.png");
    ExpectUprightScene(ReadBmp(dir.File("turned.bmp")), "BMP");
    ExpectUprightScene(DecodedJpeg(dir.File("turned.jpg")), "JPEG");
    EXPECT_EQ(ReadBmp(dir.File("turned.bmp")).Width(), 96);

    const TColor red = RGB(200, 40, 30);
    const std::string p3 = DisplayP3Profile(), adobe = AdobeRgbProfile();
    Command("convert -size 8x8 xc:'rgb(200,40,30)' png24:" + Quoted(dir.File("p3.png")) +
            " && exiftool -q -overwrite_original '-ICC_Profile<=" + dir.Write("p3.icc", p3) + "' " +
            Quoted(dir.File("p3.png")));
    const ScreenProfile wide(adobe);
    ConvertBoth("p3.png");
    const TColor srgb = LcmsColours(p3, "", {red})[0];
    EXPECT_TRUE(Near(ReadBmp(dir.File("p3.bmp")).Pixel(4, 4), srgb, 1)) << std::hex << srgb;
    EXPECT_TRUE(Near(DecodedJpeg(dir.File("p3.jpg")).Pixel(4, 4), srgb, 6));
}

}  // namespace
