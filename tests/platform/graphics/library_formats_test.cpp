// The kinds read through their own libraries, on files made by the formats'
// own tools: the colours at known places, alpha, 16-bit and palette PNGs, a
// file named for another kind, the cheap reduced decodes and the metadata
// handed on.
#include <gtest/gtest.h>

#include <filesystem>

#include "FormatFiles.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DisplayCopy.h"
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/LibraryImage.h"
#include "platform/graphics/Picture.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

struct Kind {
    const char* name;       // the file made
    const char* className;  // the picture it loads as
    const char* command;    // from quadrants.png or translucent.png (%s) to %o
};

const Kind Kinds[] = {
    {"lossless.webp", "TWebPImage", "cwebp -quiet -lossless -exact %s -o %o"},
    {"lossy.webp", "TWebPImage", "cwebp -quiet -q 95 %s -o %o"},
    {"lzw.tif", "TTiffImage", "convert %s -compress none plain.tif && tiffcp -c lzw plain.tif %o"},
    {"tiled.tif", "TTiffImage", "convert %s -compress none plain.tif && tiffcp -c zip -t -w 16 -l 16 plain.tif %o"},
    {"photo.heic", "THeifImage", "heif-enc -L -p chroma=444 --matrix_coefficients=0 %s -o %o"},
    {"picture.avif", "THeifImage", "avifenc -l -s 9 %s %o"},
    {"picture.jxl", "TJxlImage", "cjxl -d 0 %s %o"},
};

std::string Command(const char* pattern, const std::string& source) {
    std::string command = pattern;
    command.replace(command.find("%s"), 2, source);
    return command;
}

class LibraryKinds : public testing::TestWithParam<Kind> {
protected:
    TempDir dir;
    FormatFiles files{dir};
};

TColor At(const TLibraryImage& picture, int x, int y) { return picture.Bitmap().Pixel(x, y); }

const TLibraryImage& Loaded(TPicture& picture) {
    auto* still = dynamic_cast<const TLibraryImage*>(picture.Graphic());
    if (!still) throw std::runtime_error("not a library picture");
    return *still;
}

}  // namespace

TEST_P(LibraryKinds, ShowTheirColoursAtKnownPlaces) {
    const std::string source = files.Quadrants();
    LUMVEX_REQUIRE_FILE(files, source);
    const std::string path = files.Make(GetParam().name, Command(GetParam().command, "quadrants.png"));
    LUMVEX_REQUIRE_FILE(files, path);
    TPicture picture;
    picture.LoadFromFile(path);
    EXPECT_STREQ(picture.Graphic()->ClassName(), GetParam().className);
    const TLibraryImage& still = Loaded(picture);
    ASSERT_EQ(still.Width(), 64);
    ASSERT_EQ(still.Height(), 48);
    EXPECT_FALSE(still.HasAlpha());
    EXPECT_FALSE(still.Transparent());
    EXPECT_TRUE(Near(At(still, 8, 8), clRed));
    EXPECT_TRUE(Near(At(still, 56, 8), clLime));
    EXPECT_TRUE(Near(At(still, 8, 40), clBlue));
    EXPECT_TRUE(Near(At(still, 56, 40), clWhite));
    // The viewer's copy shows the same.
    TBitmap display;
    CopyToDisplay(still, display);
    EXPECT_EQ(display.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_TRUE(Near(display.Pixel(56, 8), clLime));
    // Read only: saving gives the file back as it was.
    EXPECT_EQ(still.SaveToBytes(), ReadFileBytes(path));
}

TEST_P(LibraryKinds, KeepAlphaAndShowTransparentPlacesOverWhatIsBeneath) {
    const std::string source = files.Translucent();
    LUMVEX_REQUIRE_FILE(files, source);
    const std::string path = files.Make(GetParam().name, Command(GetParam().command, "translucent.png"));
    LUMVEX_REQUIRE_FILE(files, path);
    TPicture picture;
    picture.LoadFromFile(path);
    const TLibraryImage& still = Loaded(picture);
    EXPECT_TRUE(still.HasAlpha());
    EXPECT_TRUE(still.Transparent());

    // On the viewer's display, as an icon's transparent pixel: black beneath.
    TBitmap display;
    CopyToDisplay(still, display);
    EXPECT_TRUE(Near(display.Pixel(8, 8), clRed));
    EXPECT_TRUE(Near(display.Pixel(56, 8), RGB(0, 0, 128)));
    EXPECT_TRUE(Near(display.Pixel(56, 40), clBlack));
    // Over white the same places show white through.
    TBitmap white(64, 48);
    white.Canvas().Brush.Color = clWhite;
    white.Canvas().FillRect(Rect(0, 0, 64, 48));
    white.Canvas().Draw(0, 0, still);
    EXPECT_TRUE(Near(white.Pixel(8, 8), clRed));
    EXPECT_TRUE(Near(white.Pixel(56, 8), RGB(127, 127, 255)));
    EXPECT_TRUE(Near(white.Pixel(56, 40), clWhite));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, LibraryKinds, testing::ValuesIn(Kinds),
                         [](const testing::TestParamInfo<Kind>& info) {
                             std::string name = info.param.name;
                             name[name.find('.')] = '_';
                             return name;
                         });

TEST(PngPictures, ReadEveryLayoutAsItsColours) {
    TempDir dir;
    FormatFiles files(dir);
    const std::string source = files.Quadrants();
    LUMVEX_REQUIRE_FILE(files, source);
    for (const char* command : {"convert quadrants.png -type Palette png8:%o", "convert quadrants.png -interlace PNG %o",
                                "convert quadrants.png -depth 16 png48:%o"}) {
        SCOPED_TRACE(command);
        TPicture picture;
        picture.LoadFromFile(files.Make("layout.png", command));
        const TLibraryImage& still = Loaded(picture);
        EXPECT_FALSE(still.HasAlpha());
        EXPECT_EQ(At(still, 8, 8), clRed);
        EXPECT_EQ(At(still, 56, 8), clLime);
        EXPECT_EQ(At(still, 8, 40), clBlue);
        EXPECT_EQ(At(still, 56, 40), clWhite);
    }
    // Sixteen-bit samples are scaled to their nearest eight-bit value.
    TPicture deep;
    deep.LoadFromFile(files.Make("deep.png", "convert -size 4x4 xc:'#12345678EDCB' -depth 16 png48:%o"));
    EXPECT_EQ(At(Loaded(deep), 1, 1), RGB(0x12, 0x56, 0xED));
    // A palette with a transparent entry has alpha.
    files.Translucent();
    TPicture keyed;
    keyed.LoadFromFile(files.Make("keyed.png", "convert translucent.png -channel A -threshold 60% +channel "
                                               "-type PaletteAlpha png8:%o"));
    EXPECT_TRUE(Loaded(keyed).HasAlpha());
}

TEST(PictureKinds, TheContentChoosesTheKindWhateverTheName) {
    TempDir dir;
    FormatFiles files(dir);
    const std::string source = files.Quadrants();
    LUMVEX_REQUIRE_FILE(files, source);
    std::filesystem::copy_file(source, dir.File("x.jpg"));
    TPicture picture;
    picture.LoadFromFile(dir.File("x.jpg"));
    EXPECT_STREQ(picture.Graphic()->ClassName(), "TPngImage") << "a PNG named x.jpg is the PNG it is";
    EXPECT_EQ(At(Loaded(picture), 56, 8), clLime);

    TJPEGImage jpeg;
    jpeg.Assign(TBitmap(8, 8));
    jpeg.SaveToFile(dir.File("photo.png"));
    picture.LoadFromFile(dir.File("photo.png"));
    EXPECT_STREQ(picture.Graphic()->ClassName(), "TJPEGImage");

    // No kind knows the content: the extension decides, and its reader tells what is wrong.
    const std::string text = dir.Write("notes.tif", "plain text, not a picture");
    try {
        picture.LoadFromFile(text);
        ADD_FAILURE() << "text loaded as a picture";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find("TIFF"), std::string::npos) << e.Message();
    }
    EXPECT_STREQ(picture.Graphic()->ClassName(), "TJPEGImage") << "the old picture stays";
}

TEST(ReducedDecodes, UseEachFormatsCheapPathAndKeepTheFullSize) {
    TempDir dir;
    FormatFiles files(dir);
    const std::string large = files.Make("large.png", "convert -size 640x480 plasma:fractal -seed 4 %o");
    LUMVEX_REQUIRE_FILE(files, large);
    const TDecodeRequest cell{nullptr, 80, 70};
    struct Case {
        const char* name;
        const char* command;
    };
    for (const Case& c : {Case{"scaled.webp", "cwebp -quiet -q 80 large.png -o %o"},
                          Case{"thumbnail.heic", "heif-enc -q 50 -t 160 large.png -o %o"},
                          Case{"reduced.tif", "convert large.png -compress lzw full.tif && "
                                              "convert large.png -resize 25% -compress lzw small.tif && "
                                              "tiffcp full.tif small.tif %o && tiffset -d 1 -s 254 1 %o"}}) {
        SCOPED_TRACE(c.name);
        const std::string path = files.Make(c.name, c.command);
        if (path.empty()) continue;
        std::unique_ptr<TGraphic> graphic = TPicture::CreateForContent(ReadFileBytes(path), path);
        auto& still = dynamic_cast<TLibraryImage&>(*graphic);
        still.Load(ReadFileBytes(path), cell);
        EXPECT_EQ(still.FullWidth(), 640);
        EXPECT_EQ(still.FullHeight(), 480);
        EXPECT_LE(still.Width(), 160);
        EXPECT_GE(still.Width(), 80);
        EXPECT_GE(still.Height(), 70);
    }
    // Without a request the full picture is decoded.
    const std::string tiff = dir.File("reduced.tif");
    if (std::filesystem::exists(tiff)) {
        TPicture picture;
        picture.LoadFromFile(tiff);
        EXPECT_EQ(picture.Width(), 640);
    }
}

TEST(EmbeddedMetadata, TheExifBlockAndTheProfileAreHandedOn) {
    TempDir dir;
    FormatFiles files(dir);
    const std::string source = files.Quadrants();
    LUMVEX_REQUIRE_FILE(files, source);
    const std::string exif("MM\0*\0\0\0\x08\0\0", 10), icc = "a stand-in for a colour profile";
    dir.Write("exif.bin", exif);
    dir.Write("icc.bin", icc);
    const std::string webp = files.Make("meta.webp", "cwebp -quiet -lossless quadrants.png -o plain.webp && "
                                                     "webpmux -set exif exif.bin plain.webp -o exif.webp && "
                                                     "webpmux -set icc icc.bin exif.webp -o %o");
    LUMVEX_REQUIRE_FILE(files, webp);
    TPicture picture;
    picture.LoadFromFile(webp);
    EXPECT_EQ(Loaded(picture).Metadata().Exif, exif);
    EXPECT_EQ(Loaded(picture).Metadata().Icc, icc);
    EXPECT_FALSE(Loaded(picture).Metadata().Upright);

    const std::string tiff = files.Make("turned.tif", "convert quadrants.png -compress lzw %o && tiffset -s 274 3 %o");
    picture.LoadFromFile(tiff);
    EXPECT_EQ(Loaded(picture).Metadata().Orientation, 3) << "the TIFF's own orientation is handed on";
    EXPECT_EQ(At(Loaded(picture), 56, 40), clRed) << "and applied: the picture is turned half round";
}

TEST(HeifPictures, AGridIsPutTogetherFromItsTiles) {
    TempDir dir;
    FormatFiles files(dir);
    const std::string path = files.Make("grid.avif", "convert -size 64x64 xc:red xc:lime +append "
                                                     "\\( -size 64x64 xc:blue xc:white +append \\) -append +repage "
                                                     "png24:tiles.png && avifenc -s 9 -l --grid 2x2 tiles.png %o");
    LUMVEX_REQUIRE_FILE(files, path);
    EXPECT_NE(ReadFileBytes(path).find("grid"), std::string::npos) << "avifenc wrote a grid";
    TPicture picture;
    picture.LoadFromFile(path);
    ASSERT_EQ(picture.Width(), 128);
    ASSERT_EQ(picture.Height(), 128);
    EXPECT_TRUE(Near(At(Loaded(picture), 10, 10), clRed));
    EXPECT_TRUE(Near(At(Loaded(picture), 100, 10), clLime));
    EXPECT_TRUE(Near(At(Loaded(picture), 10, 100), clBlue));
    EXPECT_TRUE(Near(At(Loaded(picture), 100, 100), clWhite));
}
