// A file is written only in the format its picture was read in: a JPEG
// picture as JPEG, a bitmap as BMP, whatever the file's or folder's name
// says; a picture of any other kind is never rewritten and keeps its bytes.
#include <filesystem>

#include "GifWriter.h"
#include "ImageOpsSupport.h"
#include "components/Gauges.h"
#include "imageops/ConvertFile.h"
#include "imageops/FileTransforms.h"
#include "imageops/ResizeFile.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/Picture.h"
#include "platform/services/Dialogs.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

bool IsJpegFile(const std::string& path) { return ReadFileBytes(path).starts_with("\xFF\xD8"); }

std::string AnimatedGif() { return RedThenBlueGif(6, 4, 10, 10); }

// A 2 x 2 icon of one 24-bit image.
std::string IconBytes() {
    std::string image(40, '\0');
    image[0] = 40;
    image[4] = 2;
    image[8] = 4;  // height counts the colour and mask rows
    image[12] = 1;
    image[14] = 24;
    image += std::string(2 * 8, '\x7F') + std::string(2 * 4, '\0');
    std::string file{"\0\0\1\0\1\0", 6};
    file += std::string{"\2\2\0\0\1\0\x18\0", 8};
    const auto size = static_cast<std::uint32_t>(image.size());
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<char>(size >> (8 * i)));
    file += std::string{"\x16\0\0\0", 4};
    return file + image;
}

TEST(RewriteFormat, TheExactKindOfTheLoadedPictureDecides) {
    EXPECT_EQ(RewriteFormat(TJPEGImage()), TRewriteFormat::Jpeg);
    EXPECT_EQ(RewriteFormat(TBitmap()), TRewriteFormat::Bmp);
    EXPECT_EQ(RewriteFormat(TIcon()), TRewriteFormat::None);
    // A kind built on a bitmap is still not a BMP file.
    EXPECT_EQ(RewriteFormat(TBltBitmap()), TRewriteFormat::None);
}

using RewriteFormats = WindowTest;

TEST_F(RewriteFormats, RTurnsAJpegNamedLikeABitmapAsAJpegTwice) {
    const std::string scan = WritePicture("scan.bmp.jpg", Numbered(12, 8));
    const TBitmap before = DecodedJpeg(scan);
    Open();
    View("scan.bmp.jpg");
    MainWindow->Activate();
    test_input::ProcessEventsFor(20);
    ASSERT_TRUE(MainWindow->Active());
    test_input::SendKey(*MainWindow, 'R');
    EXPECT_EQ(ReadFileBytes(scan), JpegBytes(Turned(before, false), 90));
    // The turned picture is held as a JPEG picture: the next turn is a JPEG
    // too, made from the file (a JPEG turn always reads its file, so that it
    // keeps what the file carries).
    const TBitmap once = DecodedJpeg(scan);
    test_input::SendKey(*MainWindow, 'R');
    EXPECT_EQ(ReadFileBytes(scan), JpegBytes(Turned(once, false), 90));
    MainWindow->LoadImage(scan, MainWindow->Image, MainWindow->TImg);
    EXPECT_EQ(Viewer.PictureWidth, 12);
}

TEST_F(RewriteFormats, AFolderNameDecidesNothing) {
    std::filesystem::create_directory(dir.File("export.bmp"));
    const std::string jpeg = dir.File("export.bmp/a.jpg");
    WriteJpeg(Numbered(6, 4), jpeg);
    const TBitmap before = DecodedJpeg(jpeg);
    TGauge& gauge = *TransformationsWindow->Gauge;
    EXPECT_TRUE(RotateFile(jpeg, true, *MainWindow->TImg2, gauge));
    EXPECT_EQ(ReadFileBytes(jpeg), JpegBytes(Turned(before, true), 90));
    EXPECT_TRUE(MirrorFile(jpeg, false));
    EXPECT_TRUE(IsJpegFile(jpeg));
    TResizeWork work;
    ResizeFile(jpeg, TScaleChoice{}, true, work, *MainWindow->TImg);
    EXPECT_TRUE(IsJpegFile(jpeg));
    EXPECT_EQ(DecodedJpeg(jpeg).Width(), 2);
    // A bitmap whose name also says jpg is still turned as the bitmap it is.
    const std::string bmp = WritePicture("a.jpg.bmp", Numbered(3, 5));
    EXPECT_TRUE(RotateFile(bmp, false, *MainWindow->TImg2, gauge));
    ExpectSamePixels(ReadBmp(bmp), Turned(Numbered(3, 5), false));
    const std::string photo = WritePicture("photo.JPG", Numbered(5, 3));
    EXPECT_TRUE(RotateFile(photo, false, *MainWindow->TImg2, gauge));
    EXPECT_TRUE(IsJpegFile(photo));
}

TEST_F(RewriteFormats, AGifNamedLikeAJpegIsReportedAndKeepsItsAnimation) {
    EXPECT_EQ(RewriteFormat(*TPicture::CreateForFile("holiday.jpg.gif")), TRewriteFormat::None);
    const std::string gif = dir.Write("holiday.jpg.gif", AnimatedGif());
    const std::string x = WritePicture("x.bmp", Numbered(4, 2));
    Open();
    View("x.bmp");
    for (bool turn : {true, false}) {
        Mark({"holiday.jpg.gif", "x.bmp"});
        ScriptedDialogs dialogs;
        if (turn)
            TransformationsWindow->TurnBatch(false);
        else
            TransformationsWindow->MirrorBatch(true);
        const std::string line = turn ? "A(z) holiday.jpg.gif fájlt nem sikerült elforgatni (csak jpg-et és bmp-t lehet).\r"
                                      : "A(z) holiday.jpg.gif fájlt nem sikerült tükrözni (csak jpg-et és bmp-t lehet).\r";
        EXPECT_EQ(dialogs.Messages, std::vector<std::string>{line});
        EXPECT_EQ(ReadFileBytes(gif), AnimatedGif());
    }
    ExpectSamePixels(ReadBmp(x), Mirrored(Turned(Numbered(4, 2), false), true));
}

TEST_F(RewriteFormats, ConversionAndScalingPassOverPicturesOfOtherKinds) {
    const std::string gif = dir.Write("x.jpg.gif", AnimatedGif());
    const std::string icon = dir.Write("x.jpg.ico", IconBytes());
    ASSERT_EQ(RewriteFormat(*[&] {
        TPicture picture;
        picture.LoadFromFile(icon);
        return picture.Graphic()->Clone();
    }()), TRewriteFormat::None);
    TOverwriteMode mode = TOverwriteMode::OverwriteAll;
    for (TConvertTarget target : {TConvertTarget::ToJpg, TConvertTarget::ToBmp})
        for (const char* name : {"x.jpg.gif", "x.jpg.ico"})
            EXPECT_EQ(ConvertFile(dir.Path(), name, target, 50, mode, *MainWindow->TImg2), TConvertResult::PassedOver);
    EXPECT_EQ(ReadFileBytes(gif), AnimatedGif());
    EXPECT_EQ(ReadFileBytes(icon), IconBytes());
    EXPECT_EQ(FolderNames(dir.Path()), (std::set<std::string>{"x.jpg.gif", "x.jpg.ico"}));

    // A JPEG picture named like a bitmap is re-encoded as a JPEG, never given BMP bytes.
    const std::string scan = WritePicture("scan.bmp.jpg", Numbered(6, 6));
    const TBitmap decoded = DecodedJpeg(scan);
    EXPECT_EQ(ConvertFile(dir.Path(), "scan.bmp.jpg", TConvertTarget::ToJpg, 40, mode, *MainWindow->TImg2),
              TConvertResult::Done);
    EXPECT_EQ(ReadFileBytes(scan), JpegBytes(decoded, 40));
    EXPECT_EQ(FolderNames(dir.Path()), (std::set<std::string>{"x.jpg.gif", "x.jpg.ico", "scan.bmp.jpg"}));
}

}  // namespace
