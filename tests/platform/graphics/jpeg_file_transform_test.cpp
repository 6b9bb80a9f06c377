// Turning and mirroring JPEG files as they look: the result is jpegtran's
// for the composed transform, pixel for pixel, and the file keeps what the
// camera wrote, with Orientation 1, the new size and a turned thumbnail.
#include <gtest/gtest.h>

#include "platform/graphics/CameraPhotos.h"
#include "platform/graphics/JpegFileTransform.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

const std::vector<std::string> KeptTags = {"Make",        "Model",        "DateTimeOriginal", "ExposureTime",
                                           "GPSLatitude", "GPSLongitude", "XMP-dc:Title",     "Comment"};

std::string Thumbnail(const TempDir& dir, const std::string& path) {
    const std::string thumbnail = dir.File("thumbnail.jpg");
    Command("exiftool -b -ThumbnailImage " + Quoted(path) + " > " + Quoted(thumbnail));
    return thumbnail;
}

// The scene turned a quarter clockwise: red at the top-right, blue at the
// bottom-right, grey at the top-left.
void ExpectSceneTurnedRight(const TBitmap& picture, const std::string& what) {
    const int w = picture.Width(), h = picture.Height(), b = std::max(1, std::min(w, h) / 6);
    EXPECT_TRUE(Near(picture.Pixel(b, b), RGB(128, 128, 128))) << what;
    EXPECT_TRUE(Near(picture.Pixel(w - 1 - b, b), clRed)) << what;
    EXPECT_TRUE(Near(picture.Pixel(w - 1 - b, h - 1 - b), clBlue)) << what;
}

TBitmap Upright(const std::string& path) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(path);
    return jpeg.Bitmap();
}

void ExpectCameraTagsKept(const std::string& path, const std::string& original, const std::string& what) {
    const std::string kept = Tags(original, KeptTags);
    EXPECT_EQ(("\n" + kept).find("\n-\n"), std::string::npos) << kept;  // the photo has them all
    EXPECT_EQ(Tags(path, KeptTags), kept) << what;
}

// Orientation and the EXIF pixel sizes, as exiftool reads them.
std::string SizeTags(const std::string& path) { return Tags(path, {"Orientation", "ExifImageWidth", "ExifImageHeight"}); }

TEST(JpegFileTransform, TurningEachOrientationRightGivesJpegtransPictureAndKeepsTheCamerasData) {
    TempDir dir;
    const std::string profile = DisplayP3Profile();
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const std::string what = "orientation " + IntToStr(orientation);
        const std::string name = "o" + IntToStr(orientation) + ".jpg";
        const std::string path = MakeCameraPhoto(dir, name, Oriented(orientation, profile));
        const std::string original = dir.File("original-" + name);
        Command("cp " + Quoted(path) + " " + Quoted(original));
        // jpegtran: upright first, then the quarter turn asked for.
        const std::string expected = Jpegtran("-rotate 90", Jpegtran(UprightingOptions(orientation), path, dir.File("u.jpg")),
                                              dir.File("expected.jpg"));

        ASSERT_TRUE(TransformJpegFile(path, TFlipTurn::TurnRight)) << what;
        ExpectSamePixels(StoredPixels(path), StoredPixels(expected), what);
        EXPECT_EQ(SizeTags(path), "1\n48\n64\n") << what;
        ExpectCameraTagsKept(path, original, what);
        EXPECT_EQ(CommandOutput("exiftool -b -ICC_Profile " + Quoted(path)), profile) << what;
        ExpectSceneTurnedRight(Upright(path), what);

        const TBitmap thumbnail = Upright(Thumbnail(dir, path));
        EXPECT_EQ(thumbnail.Width(), ThumbnailHeight) << what;
        ExpectSceneTurnedRight(thumbnail, what + ", thumbnail");
    }
}

TEST(JpegFileTransform, MirrorsAndLeftTurnsFollowHowThePhotoLooks) {
    TempDir dir;
    const struct {
        TFlipTurn transform;
        const char* jpegtran;
    } cases[] = {{TFlipTurn::MirrorLeftRight, "-flip horizontal"},
                 {TFlipTurn::MirrorTopBottom, "-flip vertical"},
                 {TFlipTurn::TurnLeft, "-rotate 270"}};
    for (const auto& c : cases)
        for (int orientation : {6, 7}) {
            const std::string what = std::string(c.jpegtran) + " of orientation " + IntToStr(orientation);
            const std::string path = MakeCameraPhoto(dir, "p.jpg", Oriented(orientation));
            const std::string expected = Jpegtran(
                c.jpegtran, Jpegtran(UprightingOptions(orientation), path, dir.File("u.jpg")), dir.File("expected.jpg"));
            ASSERT_TRUE(TransformJpegFile(path, c.transform)) << what;
            ExpectSamePixels(StoredPixels(path), StoredPixels(expected), what);
            EXPECT_EQ(Tag(path, "Orientation"), "1") << what;
        }
}

// Arithmetic coding holds large flat regions in far fewer bytes than the
// Huffman coding the turned file is written with: the turned file outgrows
// the buffer made ready for it (half as much again as the file) and is still
// jpegtran's.
TEST(JpegFileTransform, ATurnedFileFarLargerThanTheOriginalIsWhole) {
    TempDir dir;
    const std::string plain = dir.File("plain.jpg"), path = dir.File("arithmetic.jpg");
    TJPEGImage encoder;
    encoder.Assign(Scene(2048, 3072));
    encoder.SaveToFile(plain);
    Command("jpegtran -arithmetic " + Quoted(plain) + " > " + Quoted(path));
    const std::string expected = Jpegtran("-rotate 90", path, dir.File("expected.jpg"));
    const std::size_t before = ReadFileBytes(path).size();

    ASSERT_TRUE(TransformJpegFile(path, TFlipTurn::TurnRight));
    EXPECT_GT(ReadFileBytes(path).size(), before * 2 + 65536);
    ExpectSamePixels(StoredPixels(path), StoredPixels(expected), "arithmetic coding");
}

// 60 x 44 is no whole number of 16 x 16 blocks: the turn decodes, turns and
// encodes at quality 90, and still keeps the tags and sets the new ones.
TEST(JpegFileTransform, APhotoOfPartBlocksTurnsThroughQuality90AndKeepsItsTags) {
    TempDir dir;
    CameraPhoto photo = Oriented(6, AdobeRgbProfile());
    photo.width = 60;
    photo.height = 44;
    photo.thumbnail = false;
    const std::string path = MakeCameraPhoto(dir, "odd.jpg", photo);
    const std::string original = dir.File("original.jpg");
    Command("cp " + Quoted(path) + " " + Quoted(original));
    ASSERT_NE(CommandOutput("jpegtran -perfect -rotate 90 " + Quoted(path) + " > /dev/null || echo refused"), "")
        << "jpegtran turns it losslessly";

    ASSERT_TRUE(TransformJpegFile(path, TFlipTurn::TurnRight));
    const TBitmap turned = Upright(path);
    EXPECT_EQ(turned.Width(), 44);
    EXPECT_EQ(turned.Height(), 60);
    ExpectSceneTurnedRight(turned, "part blocks");
    EXPECT_EQ(SizeTags(path), "1\n44\n60\n");
    ExpectCameraTagsKept(path, original, "part blocks");
    EXPECT_EQ(CommandOutput("exiftool -b -ICC_Profile " + Quoted(path)), photo.profile);
}

TEST(JpegFileTransform, OnlyJpegContentIsTransformed) {
    TempDir dir;
    const std::string bmp = dir.File("named.jpg");
    Scene(8, 8).SaveToFile(bmp);
    const std::string before = ReadFileBytes(bmp);
    EXPECT_FALSE(TransformJpegFile(bmp, TFlipTurn::TurnRight));
    EXPECT_EQ(ReadFileBytes(bmp), before);
    const std::string broken = dir.Write("broken.jpg", "\xFF\xD8\xFF\xE0 nothing more");
    EXPECT_THROW(TransformJpegFile(broken, TFlipTurn::TurnRight), Exception);
    EXPECT_EQ(ReadFileBytes(broken), "\xFF\xD8\xFF\xE0 nothing more");
}

}  // namespace
