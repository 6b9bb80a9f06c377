// A phone's photo in the program: shown upright at its upright size, turned
// and mirrored losslessly as it looks by R, L and the batches, and written
// by re-encoding and scaling with its camera data, profile and colours kept.
#include "ImageOpsSupport.h"
#include "imageops/ConvertFile.h"
#include "imageops/ResizeFile.h"
#include "imageops/TransformationsWindow.h"
#include "platform/graphics/CameraPhotos.h"
#include "platform/services/Dialogs.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

const std::vector<std::string> CameraData = {"Make", "Model", "DateTimeOriginal", "GPSLatitude", "XMP-dc:Title",
                                             "Comment"};

class LosslessTurn : public WindowTest {
protected:
    // A phone's photo in the folder, and jpegtran's picture of it turned as
    // it looks (beside it, outside the folder).
    std::string Photo(const std::string& name, int orientation, const std::string& jpegtranTurn) {
        const std::string path = MakeCameraPhoto(dir, name, Oriented(orientation, profile));
        Command("cp " + Quoted(path) + " " + Quoted(start.File("original-" + name)));
        Jpegtran(jpegtranTurn, Jpegtran(UprightingOptions(orientation), path, start.File("upright-" + name)),
                 start.File("expected-" + name));
        return path;
    }
    void ExpectTurnedAsJpegtranKeepingTheData(const std::string& name) {
        const std::string path = dir.File(name);
        ExpectSamePixels(StoredPixels(path), StoredPixels(start.File("expected-" + name)), name);
        EXPECT_EQ(Tag(path, "Orientation"), "1") << name;
        EXPECT_EQ(Tags(path, CameraData), Tags(start.File("original-" + name), CameraData)) << name;
        EXPECT_EQ(CommandOutput("exiftool -b -ICC_Profile " + Quoted(path)), profile) << name;
    }
    const std::string profile = DisplayP3Profile();
};

TEST_F(LosslessTurn, RShowsAnOrientedPhotoUprightAndTurnsItAsItLooks) {
    Photo("phone.jpg", 6, "-rotate 90");
    Open();
    View("phone.jpg");
    EXPECT_EQ(Viewer.PictureWidth, 64);
    EXPECT_EQ(Viewer.PictureHeight, 48);
    ExpectUprightScene(PictureBitmap(*MainWindow->Image->Picture().Graphic()), "on view");

    MainWindow->ViewCommand(13);
    ExpectTurnedAsJpegtranKeepingTheData("phone.jpg");
    EXPECT_EQ(Tags(dir.File("phone.jpg"), {"ExifImageWidth", "ExifImageHeight"}), "48\n64\n");
    EXPECT_EQ(Viewer.PictureWidth, 48);
    EXPECT_EQ(Viewer.PictureHeight, 64);
    const TBitmap shown = PictureBitmap(*MainWindow->Image->Picture().Graphic());
    EXPECT_TRUE(Near(shown.Pixel(40, 8), clRed));
    EXPECT_TRUE(Near(shown.Pixel(40, 56), clBlue));
}

TEST_F(LosslessTurn, TheTurnAndMirrorBatchesWorkOnPhotosAsTheyLook) {
    Photo("a.jpg", 6, "-rotate 270");
    Photo("b.jpg", 3, "-rotate 270");
    Open();
    View("a.jpg");
    Mark({"a.jpg", "b.jpg"});
    ScriptedDialogs dialogs;
    TransformationsWindow->TurnBatch(true);
    ExpectTurnedAsJpegtranKeepingTheData("a.jpg");
    ExpectTurnedAsJpegtranKeepingTheData("b.jpg");

    Photo("a.jpg", 8, "-flip horizontal");
    Photo("b.jpg", 5, "-flip horizontal");
    TransformationsWindow->MirrorBatch(false);
    ExpectTurnedAsJpegtranKeepingTheData("a.jpg");
    ExpectTurnedAsJpegtranKeepingTheData("b.jpg");
    EXPECT_EQ(dialogs.Messages, (std::vector<std::string>{"A művelet sikeres volt!", "A művelet sikeres volt!"}));
}

TEST_F(LosslessTurn, ReencodingAndScalingWriteThePhotoUprightWithItsDataAndColours) {
    const std::string path = Photo("phone.jpg", 6, "");
    const TBitmap upright = StoredPixels(start.File("upright-phone.jpg"));
    Open();
    TOverwriteMode mode = TOverwriteMode::Ask;
    ASSERT_EQ(ConvertFile(dir.Path(), "phone.jpg", TConvertTarget::ToBmp, 80, mode, *MainWindow->TImg2),
              TConvertResult::Done);
    TJPEGImage forBmp;
    forBmp.SetColors(TJPEGColors::jcSRGB);
    forBmp.LoadFromFile(path);
    ExpectSamePixels(ReadBmp(dir.File("phone.bmp")), forBmp.Bitmap(), "to BMP: sRGB");

    TResizeWork work;
    TScaleChoice half;
    ResizeFile(path, half, false, work, *MainWindow->TImg);
    const std::string copy = dir.File("phone_.jpg");
    EXPECT_EQ(Tags(copy, {"Orientation", "ExifImageWidth", "ExifImageHeight"}), "1\n32\n24\n");
    EXPECT_EQ(Tags(copy, CameraData), Tags(path, CameraData));
    EXPECT_EQ(CommandOutput("exiftool -b -ICC_Profile " + Quoted(copy)), profile);
    ExpectUprightScene(StoredPixels(copy), "scaled");

    ASSERT_EQ(ConvertFile(dir.Path(), "phone.jpg", TConvertTarget::ToJpg, 95, mode, *MainWindow->TImg2),
              TConvertResult::Done);
    EXPECT_EQ(Tags(path, {"Orientation", "ExifImageWidth", "ExifImageHeight"}), "1\n64\n48\n");
    EXPECT_EQ(Tags(path, CameraData), Tags(start.File("original-phone.jpg"), CameraData));
    EXPECT_EQ(CommandOutput("exiftool -b -ICC_Profile " + Quoted(path)), profile);
    // The stored colours stay the profile's: nothing was converted.
    const TBitmap reencoded = StoredPixels(path);
    for (const TPoint& at : {TPoint{8, 8}, TPoint{56, 8}, TPoint{8, 40}})
        EXPECT_TRUE(Near(reencoded.Pixel(at.X, at.Y), upright.Pixel(at.X, at.Y), 3)) << at.X << "," << at.Y;
}

}  // namespace
