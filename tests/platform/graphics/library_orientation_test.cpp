// PNG, WebP and TIFF pictures carrying an orientation show upright at their
// upright size, full size and reduced for the browser; HEIF, AVIF and JPEG XL
// come upright from their libraries. Damaged metadata leaves a picture as
// stored, without an error.
#include <gtest/gtest.h>

#include "Crc32.h"
#include "platform/graphics/CameraPhotos.h"
#include "platform/graphics/LibraryImage.h"
#include "platform/graphics/Picture.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

constexpr int UprightWidth = 96, UprightHeight = 72;

// The scene stored as a camera with the orientation would: a PNG without tags.
std::string StoredScene(const TempDir& dir, int orientation) {
    const std::string scene = dir.File("scene.bmp"), stored = dir.File("stored.png");
    Scene(UprightWidth, UprightHeight).SaveToFile(scene);
    Command("convert " + Quoted(scene) + " " + MagickStoringOptions(orientation) + " +repage png24:" + Quoted(stored));
    return stored;
}

std::string Tagged(const std::string& path, int orientation) {
    Command("exiftool -q -overwrite_original -Orientation#=" + IntToStr(orientation) + " " + Quoted(path));
    return path;
}

// The scene with the orientation in an eXIf chunk, an EXIF chunk, or (TIFF)
// its own tag; the TIFF has a reduced page of half the size after the picture.
std::string OrientedFile(const TempDir& dir, const std::string& kind, int orientation) {
    const std::string stored = StoredScene(dir, orientation), path = dir.File("o" + IntToStr(orientation) + "." + kind);
    if (kind == "png") {
        Command("cp " + Quoted(stored) + " " + Quoted(path));
        return Tagged(path, orientation);
    }
    if (kind == "webp") {
        Command("cwebp -quiet -lossless -exact " + Quoted(stored) + " -o " + Quoted(path));
        return Tagged(path, orientation);
    }
    const std::string full = dir.File("full.tif"), small = dir.File("small.tif");
    Command("convert " + Quoted(stored) + " -compress none " + Quoted(full) + " && convert " + Quoted(stored) +
            " -resize 50% -compress none " + Quoted(small) + " && tiffcp -c lzw " + Quoted(full) + " " +
            Quoted(small) + " " + Quoted(path) + " && tiffset -d 1 -s 254 1 " + Quoted(path) + " && tiffset -s 274 " +
            IntToStr(orientation) + " " + Quoted(path));
    return path;
}

std::unique_ptr<TLibraryImage> Loaded(const std::string& path, const TDecodeRequest& request = {}) {
    const std::string bytes = ReadFileBytes(path);
    std::unique_ptr<TGraphic> graphic = TPicture::CreateForContent(bytes, path);
    auto* still = dynamic_cast<TLibraryImage*>(graphic.get());
    if (!still) throw std::runtime_error(path + " is not a library picture");
    graphic.release();
    std::unique_ptr<TLibraryImage> picture(still);
    picture->Load(bytes, request);
    return picture;
}

TEST(LibraryOrientation, EachOrientationShowsTheSceneUprightFullAndReduced) {
    for (const std::string kind : {"png", "webp", "tif"})
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const std::string what = kind + ", orientation " + IntToStr(orientation);
            const TempDir dir;
            const std::string path = OrientedFile(dir, kind, orientation);
            TPicture picture;
            picture.LoadFromFile(path);
            EXPECT_EQ(picture.Width(), UprightWidth) << what;
            EXPECT_EQ(picture.Height(), UprightHeight) << what;
            const auto full = Loaded(path);
            EXPECT_EQ(full->FullWidth(), UprightWidth) << what;
            EXPECT_EQ(full->FullHeight(), UprightHeight) << what;
            ExpectUprightScene(full->Bitmap(), what);
            if (kind == "png") continue;

            // The browser's cell asks for an upright size: libwebp scales to
            // it, a TIFF gives its reduced page.
            const auto reduced = Loaded(path, TDecodeRequest{nullptr, UprightWidth / 4, UprightHeight / 4});
            EXPECT_EQ(reduced->Width(), kind == "webp" ? UprightWidth / 4 : UprightWidth / 2) << what;
            EXPECT_EQ(reduced->Height(), kind == "webp" ? UprightHeight / 4 : UprightHeight / 2) << what;
            EXPECT_EQ(reduced->FullWidth(), UprightWidth) << what;
            ExpectUprightScene(reduced->Bitmap(), what + ", reduced");
        }
}

// libheif applies HEIF's own transformations (which avifenc writes from the
// JPEG's orientation) and libjxl the codestream's orientation: they are not
// applied again. An EXIF orientation in a HEIF file only tells what the
// transformations did, so heif-enc's file, which has none, shows as stored.
TEST(LibraryOrientation, HeifAvifAndJpegXlComeUprightFromTheirLibraries) {
    const TempDir dir;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const std::string photo = "o" + IntToStr(orientation) + ".jpg";
        MakeCameraPhoto(dir, photo, Oriented(orientation));
        for (const std::string& command : {"avifenc -s 9 " + photo + " " + photo + ".avif",
                                           "cjxl " + photo + " " + photo + ".jxl"}) {
            Command("cd " + Quoted(dir.Path()) + " && " + command + " >/dev/null");
            const auto picture = Loaded(dir.File(command.substr(command.rfind(' ') + 1)));
            EXPECT_EQ(picture->Width(), 64) << command;
            EXPECT_EQ(picture->Height(), 48) << command;
            ExpectUprightScene(picture->Bitmap(), command);
        }
    }
    Command("cd " + Quoted(dir.Path()) + " && heif-enc -q 90 o6.jpg -o o6.heic >/dev/null");
    ASSERT_EQ(Tag(dir.File("o6.heic"), "Orientation"), "6");
    EXPECT_EQ(Loaded(dir.File("o6.heic"))->Width(), 48);
}

void Put32BigEndian(std::string& s, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) s += char(v >> shift & 0xFF);
}

// The PNG with an eXIf chunk of the bytes given after its header.
std::string WithExifChunk(const std::string& png, const std::string& exif) {
    std::string chunk;
    Put32BigEndian(chunk, std::uint32_t(exif.size()));
    chunk += "eXIf" + exif;
    Put32BigEndian(chunk, Crc32("eXIf" + exif));
    constexpr std::size_t AfterHeader = 8 + 25;
    return png.substr(0, AfterHeader) + chunk + png.substr(AfterHeader);
}

// A big-endian EXIF block whose first directory holds one Orientation entry.
std::string ExifBlock(std::uint32_t directory, std::uint32_t count, std::uint32_t value, std::uint32_t next) {
    std::string block("MM\0*", 4);
    Put32BigEndian(block, directory);
    block += std::string("\0\x01\x01\x12\0\x03", 6);
    Put32BigEndian(block, count);
    Put32BigEndian(block, value);
    Put32BigEndian(block, next);
    return block;
}

TEST(LibraryOrientation, DamagedExifLeavesThePictureAsStoredWithoutAnError) {
    const TempDir dir;
    const std::string png = ReadFileBytes(StoredScene(dir, 6));
    const std::string damaged[] = {
        ExifBlock(0xFFFFFFF0, 1, 6u << 16, 0),  // the directory past the end
        ExifBlock(8, 0x40000000, 0xFFFF0000, 0),  // a huge count, its values past the end
        std::string("MM\0*\0\0\0\x08\0\x01\x01\x12", 12),  // ends inside its entry
        std::string(200, '\xFF'),
    };
    for (const std::string& exif : damaged) {
        const std::string path = dir.Write("damaged.png", WithExifChunk(png, exif));
        const auto picture = Loaded(path);
        EXPECT_EQ(picture->Width(), UprightHeight) << "as stored";
        EXPECT_EQ(picture->Height(), UprightWidth);
    }
    // A directory that names itself as the next one is read once.
    const std::string path = dir.Write("loop.png", WithExifChunk(png, ExifBlock(8, 1, 6u << 16, 8)));
    ExpectUprightScene(Loaded(path)->Bitmap(), "a directory chain that loops");

    const std::string webp = dir.File("damaged.webp");
    Command("cwebp -quiet -lossless " + Quoted(dir.File("stored.png")) + " -o " + Quoted(dir.File("plain.webp")) +
            " && webpmux -set exif " + Quoted(dir.Write("exif.bin", damaged[1])) + " " +
            Quoted(dir.File("plain.webp")) + " -o " + Quoted(webp));
    EXPECT_EQ(Loaded(webp)->Width(), UprightHeight);
}

}  // namespace
