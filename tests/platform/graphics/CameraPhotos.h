#pragma once
// Photos as cameras and phones write them, made with the tools others use:
// exiftool writes the tags, the thumbnail and the colour profile, jpegtran
// lays the pixels as the EXIF orientation says the camera stored them. The
// scene is grey with a red block at its top-left corner and a blue one at its
// top-right corner, so where they land tells how a picture lies.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "platform/graphics/TestProfiles.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/JpegCodec.h"

namespace lumvex::test {

inline std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// What the command printed; a failing command fails the test.
inline std::string CommandOutput(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>/dev/null").c_str(), "r"), pclose);
    std::string out;
    std::array<char, 4096> buffer{};
    for (std::size_t n; pipe && (n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;)
        out.append(buffer.data(), n);
    const int status = pipe ? pclose(pipe.release()) : -1;
    EXPECT_EQ(status, 0) << command;
    return out;
}

inline void Command(const std::string& command) { CommandOutput(command); }

inline TColor SceneColour(int x, int y, int width, int height) {
    const int block = std::min(width, height) / 3;
    if (y < block && x < block) return clRed;
    if (y < block && x >= width - block) return clBlue;
    return RGB(128, 128, 128);
}

inline TBitmap Scene(int width, int height) {
    TBitmap scene(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) scene.SetPixel(x, y, SceneColour(x, y, width, height));
    return scene;
}

// jpegtran's options for the transform that shows a picture stored with an
// orientation upright, and for the one that stores an upright picture so.
inline std::string UprightingOptions(int orientation) {
    static const char* const options[] = {"",           "-flip horizontal", "-rotate 180", "-flip vertical",
                                          "-transpose", "-rotate 90",       "-transverse", "-rotate 270"};
    return options[orientation - 1];
}
inline std::string StoringOptions(int orientation) {
    return orientation == 6 ? "-rotate 270" : orientation == 8 ? "-rotate 90" : UprightingOptions(orientation);
}

// ImageMagick's options that store an upright picture with an orientation.
inline std::string MagickStoringOptions(int orientation) {
    static const char* const options[] = {"",           "-flop",       "-rotate 180", "-flip",
                                          "-transpose", "-rotate 270", "-transverse", "-rotate 90"};
    return options[orientation - 1];
}

// jpegtran's transform of a JPEG file into another, dropping its markers.
inline std::string Jpegtran(const std::string& options, const std::string& from, const std::string& to) {
    Command("jpegtran -perfect -copy none " + options + " " + Quoted(from) + " > " + Quoted(to));
    return to;
}

struct CameraPhoto {
    int orientation = 1;
    int width = 64;  // upright
    int height = 48;
    std::string profile;  // ICC bytes; none when empty
    bool thumbnail = true;
};

inline CameraPhoto Oriented(int orientation, std::string profile = {}) {
    CameraPhoto photo;
    photo.orientation = orientation;
    photo.profile = std::move(profile);
    return photo;
}

// The upright size of the EXIF thumbnails.
inline constexpr int ThumbnailWidth = 24, ThumbnailHeight = 16;

// The tags every camera photo here carries, as exiftool's options.
inline const char* CameraTags() {
    return "-Make=Lumvex -Model='Test Phone 7' -DateTimeOriginal='2024:05:01 10:20:30' -ExposureTime=1/125 "
           "-GPSLatitude=47.4979 -GPSLatitudeRef=N -GPSLongitude=19.0402 -GPSLongitudeRef=E "
           "-XMP-dc:Title='Lake at dawn' -Comment='taken on a walk'";
}

// Writes the photo to dir/name and returns its path.
inline std::string MakeCameraPhoto(const TempDir& dir, const std::string& name, const CameraPhoto& photo) {
    const TempDir scratch;
    const std::string upright = scratch.File("upright.jpg"), path = dir.File(name);
    if (photo.width % 16 == 0 && photo.height % 16 == 0) {
        TJPEGImage encoder;
        encoder.Assign(Scene(photo.width, photo.height));
        encoder.SaveToFile(upright);
        Jpegtran(StoringOptions(photo.orientation), upright, path);
    } else {
        // jpegtran cannot lay part blocks exactly; ImageMagick lays the pixels.
        const std::string scene = scratch.File("scene.bmp");
        Scene(photo.width, photo.height).SaveToFile(scene);
        Command("convert " + Quoted(scene) + " " + MagickStoringOptions(photo.orientation) +
                " ppm:- | cjpeg -quality 90 > " + Quoted(path));
    }
    const bool swapped = photo.orientation >= 5;
    std::string options = std::string(CameraTags()) + " -Orientation#=" + IntToStr(photo.orientation) +
                          " -ExifImageWidth=" + IntToStr(swapped ? photo.height : photo.width) +
                          " -ExifImageHeight=" + IntToStr(swapped ? photo.width : photo.height);
    if (photo.thumbnail) {
        // The thumbnail lies as the picture does: a small copy of it, in
        // whole 8 x 8 blocks so that jpegtran can lay it exactly.
        const std::string small = scratch.File("small.bmp"), thumbnail = scratch.File("thumbnail.jpg");
        Scene(ThumbnailWidth, ThumbnailHeight).SaveToFile(small);
        Command("cjpeg -sample 1x1 " + Quoted(small) + " | jpegtran -perfect -copy none " +
                StoringOptions(photo.orientation) + " > " + Quoted(thumbnail));
        options += " '-ThumbnailImage<=" + thumbnail + "'";
    }
    if (!photo.profile.empty()) options += " '-ICC_Profile<=" + scratch.Write("profile.icc", photo.profile) + "'";
    Command("exiftool -q -overwrite_original " + options + " " + Quoted(path));
    return path;
}

// exiftool's values of tags, as numbers where tags have them ("-" for a tag
// the file does not have), one line each.
inline std::string Tags(const std::string& path, const std::vector<std::string>& tags) {
    std::string command = "exiftool -s3 -f -n";
    for (const std::string& tag : tags) command += " -" + tag;
    return CommandOutput(command + " " + Quoted(path));
}

inline std::string Tag(const std::string& path, const std::string& tag) {
    std::string value = Tags(path, {tag});
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
    return value;
}

// The picture of a JPEG file decoded as stored: no orientation, no colour
// conversion.
inline TBitmap StoredPixels(const std::string& path) {
    TBitmap picture;
    jpeg::Decode(ReadFileBytes(path), jpeg::DecodeOptions{}, picture);
    return picture;
}

// The colour at the centre of each of the scene's three regions that tell
// how the picture lies: top-left, top-right, bottom-left corner blocks.
inline std::array<TColor, 3> Corners(const TBitmap& picture) {
    const int w = picture.Width(), h = picture.Height(), b = std::max(1, std::min(w, h) / 6);
    return {picture.Pixel(b, b), picture.Pixel(w - 1 - b, b), picture.Pixel(b, h - 1 - b)};
}

inline bool Near(TColor a, TColor b, int tolerance = 40) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The picture shows the scene upright: red at the top-left, blue at the
// top-right, grey at the bottom-left.
inline void ExpectUprightScene(const TBitmap& picture, const std::string& what) {
    const std::array<TColor, 3> corners = Corners(picture);
    EXPECT_TRUE(Near(corners[0], clRed)) << what << ": top-left " << std::hex << corners[0];
    EXPECT_TRUE(Near(corners[1], clBlue)) << what << ": top-right " << std::hex << corners[1];
    EXPECT_TRUE(Near(corners[2], RGB(128, 128, 128))) << what << ": bottom-left " << std::hex << corners[2];
}

inline void ExpectSamePixels(const TBitmap& actual, const TBitmap& expected, const std::string& what) {
    ASSERT_EQ(actual.Width(), expected.Width()) << what;
    ASSERT_EQ(actual.Height(), expected.Height()) << what;
    int differing = 0;
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x) differing += actual.Pixel(x, y) != expected.Pixel(x, y);
    EXPECT_EQ(differing, 0) << what;
}

}  // namespace lumvex::test
