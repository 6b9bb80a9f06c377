// Damaged metadata never stops a photo: EXIF blocks with offsets past their
// end, IFD chains that loop, huge counts or no TIFF header at all, and
// colour profiles lcms2 refuses. The picture then shows as stored, and a turn
// still works and keeps the block it could not read as it was.
#include <gtest/gtest.h>

#include "platform/graphics/CameraPhotos.h"
#include "platform/graphics/JpegFileTransform.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

std::string U16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
std::string U32(unsigned v) { return U16(v & 0xFFFF) + U16(v >> 16); }

// A little-endian TIFF block whose first IFD, at offset 8, holds the entries
// (tag, type, count, value or offset) and then the next IFD's offset.
std::string Tiff(const std::vector<std::array<unsigned, 4>>& entries, unsigned next = 0) {
    std::string block = std::string("II*\0", 4) + U32(8) + U16(static_cast<unsigned>(entries.size()));
    for (const auto& e : entries) block += U16(e[0]) + U16(e[1]) + U32(e[2]) + U32(e[3]);
    return block + U32(next);
}

constexpr unsigned Short = 3, Long = 4, Ascii = 2;
constexpr unsigned Orientation = 0x112, Make = 0x10F, ExifPointer = 0x8769;

// A JPEG file of the scene with one more marker right after its start.
std::string WithMarker(int code, const std::string& payload) {
    TJPEGImage encoder;
    encoder.Assign(Scene(64, 48));
    const std::string jpeg = encoder.SaveToBytes();
    const std::size_t length = payload.size() + 2;
    return jpeg.substr(0, 2) + std::string{'\xFF', static_cast<char>(code), static_cast<char>(length >> 8),
                                          static_cast<char>(length & 0xFF)} +
           payload + jpeg.substr(2);
}

std::string WithExif(const std::string& block) { return WithMarker(0xE1, std::string("Exif\0\0", 6) + block); }

std::string WithProfile(const std::string& chunk) { return WithMarker(0xE2, std::string("ICC_PROFILE\0", 12) + chunk); }

// The payload of the first APP1 EXIF marker of a file.
std::string ExifMarker(const std::string& jpeg) {
    const std::size_t at = jpeg.find(std::string("\xFF\xE1", 2));
    if (at == std::string::npos) return {};
    const std::size_t length = static_cast<unsigned char>(jpeg[at + 2]) << 8 | static_cast<unsigned char>(jpeg[at + 3]);
    return jpeg.substr(at + 4, length - 2);
}

TEST(PhotoMetadataBadInput, DamagedExifBlocksLoadAndDecodeWithoutHarm) {
    const struct {
        const char* what;
        std::string block;
    } cases[] = {
        {"an entry's data past the end", Tiff({{Make, Ascii, 100, 0xFFFFFF00}, {Orientation, Short, 1, 6}})},
        {"the first IFD past the end", std::string("II*\0", 4) + U32(0x7FFFFFF0)},
        {"an IFD chain that loops", Tiff({{Orientation, Short, 1, 6}}, 8)},
        {"a sub-IFD pointing back at its parent", Tiff({{ExifPointer, Long, 1, 8}, {Orientation, Short, 1, 6}}, 8)},
        {"a huge count", Tiff({{Orientation, Short, 0x40000000, 26}})},
        {"an IFD of 65535 entries", std::string("II*\0", 4) + U32(8) + U16(0xFFFF) + std::string(40, '\x01')},
        {"an orientation of 9", Tiff({{Orientation, Short, 1, 9}})},
        {"a text orientation", Tiff({{Orientation, Ascii, 2, '6'}})},
        {"no TIFF header", "not a TIFF block at all"},
        {"a header alone", std::string("MM\0*", 4)},
        {"nothing", ""},
    };
    for (const auto& c : cases) {
        TJPEGImage jpeg;
        ASSERT_NO_THROW(jpeg.LoadFromBytes(WithExif(c.block))) << c.what;
        ASSERT_NO_THROW(jpeg.Bitmap()) << c.what;
        EXPECT_EQ(jpeg.Bitmap().Width(), jpeg.Width()) << c.what;
        EXPECT_EQ(jpeg.Bitmap().Height(), jpeg.Height()) << c.what;
        // Where the block says Orientation 6 exiv2 may still read it; no
        // other value turns the picture.
        const bool saysSix = c.block.find(U16(Orientation) + U16(Short) + U32(1) + U32(6)) != std::string::npos;
        EXPECT_TRUE(jpeg.Width() == 64 || saysSix) << c.what;
    }
}

TEST(PhotoMetadataBadInput, ATurnKeepsAnUnreadableBlockAsItWasAndTurnsThePictureAsStored) {
    TempDir dir;
    for (const std::string& block : {std::string("II*\0", 4) + U32(0x7FFFFFF0), std::string("gibberish")}) {
        const std::string path = dir.Write("damaged.jpg", WithExif(block));
        ASSERT_TRUE(TransformJpegFile(path, TFlipTurn::TurnRight));
        const std::string written = ReadFileBytes(path);
        EXPECT_EQ(ExifMarker(written), std::string("Exif\0\0", 6) + block);
        TJPEGImage jpeg;
        jpeg.LoadFromBytes(written);
        EXPECT_EQ(jpeg.Width(), 48);
        EXPECT_TRUE(Near(jpeg.Bitmap().Pixel(40, 8), clRed));
        EXPECT_TRUE(Near(jpeg.Bitmap().Pixel(40, 56), clBlue));
    }
}

TEST(PhotoMetadataBadInput, ProfilesLcms2RefusesLeaveTheColoursAsStored) {
    TJPEGImage stored;
    stored.SetColors(TJPEGColors::jcStored);
    stored.LoadFromBytes(WithExif(""));
    std::string header(128, '\0');
    header.replace(36, 4, "acsp");
    header.replace(16, 4, "RGB ");
    const std::string cases[] = {
        std::string("\x01\x01", 2) + "not a profile",
        std::string("\x02\x01", 2) + "the second of one piece",
        std::string("\x01\x01", 2) + U32(0x80000000) + header.substr(4) + U32(0x7FFFFFFF),  // huge size and tag count
        std::string("\x01\x01", 2) + std::string(60000, '\xFF'),
    };
    for (const std::string& chunk : cases) {
        TJPEGImage jpeg;
        ASSERT_NO_THROW(jpeg.LoadFromBytes(WithProfile(chunk)));
        ExpectSamePixels(jpeg.Bitmap(), stored.Bitmap(), "a refused profile");
    }
}

}  // namespace
