// Turning, mirroring, scaling and converting picture files, and the rotate
// commands of the main window.
#include "ImageOpsSupport.h"
#include "TestTools.h"
#include "imageops/ConvertFile.h"
#include "imageops/CopyNaming.h"
#include "imageops/FileTransforms.h"
#include "imageops/ResizeFile.h"
#include "platform/services/Dialogs.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

using FileOperations = WindowTest;

TEST_F(FileOperations, RTurnsTheJpegOnViewRightAndWritesItAtQuality90) {
    const std::string path = WritePicture("a.jpg", Numbered(40, 30));
    WritePicture("b.bmp", Numbered(8, 8));
    Open();
    View("a.jpg");
    const TBitmap before = DecodedJpeg(path);
    ASSERT_EQ(Viewer.PictureWidth, 40);
    MainWindow->Activate();
    test_input::ProcessEventsFor(20);
    ASSERT_TRUE(MainWindow->Active());
    test_input::SendKey(*MainWindow, 'R');
    EXPECT_EQ(ReadFileBytes(path), JpegBytes(Turned(before, false), 90));
    EXPECT_EQ(Viewer.PictureWidth, 30);
    EXPECT_EQ(Viewer.PictureHeight, 40);
    ExpectSamePixels(PictureBitmap(*MainWindow->Image->Picture().Graphic()), Turned(before, false));
    EXPECT_EQ(FolderNames(dir.Path()), (std::set<std::string>{"a.jpg", "b.bmp"}));
}

TEST_F(FileOperations, TheViewedTurnWritesTheFilesOwnPictureAfterTImgChanged) {
    const std::string a = WritePicture("a.bmp", Numbered(6, 4));
    const std::string b = WritePicture("b.bmp", Numbered(3, 5));
    Open();
    View("a.bmp");
    // A mirror of b leaves b's picture in TImg while a is on view.
    MirrorFile(b, false);
    MainWindow->RotateViewedPicture(true, *TransformationsWindow->Gauge);
    ExpectSamePixels(ReadBmp(a), Turned(Numbered(6, 4), true));
    EXPECT_EQ(Viewer.PictureWidth, 4);
    EXPECT_EQ(Viewer.PictureHeight, 6);

    // A selection change in the transformations window names b without loading it.
    TransformationsWindow->FileListBox->SetItemIndex(IndexOf("b.bmp"));
    TransformationsWindow->FileListBoxChange();
    MainWindow->RotateViewedPicture(false, *TransformationsWindow->Gauge);
    ExpectSamePixels(ReadBmp(b), Turned(Mirrored(Numbered(3, 5), false), false));
    ExpectSamePixels(ReadBmp(a), Turned(Numbered(6, 4), true));
}

TEST_F(FileOperations, LWithTwoMarkedFilesTurnsBothThroughTheBatch) {
    const std::string a = WritePicture("a.bmp", Numbered(6, 4));
    const std::string c = WritePicture("c.bmp", Numbered(2, 7));
    Open();
    View("a.bmp");
    Mark({"a.bmp", "c.bmp"});
    ScriptedDialogs dialogs;
    MainWindow->ViewCommand(14);
    ExpectSamePixels(ReadBmp(a), Turned(Numbered(6, 4), true));
    ExpectSamePixels(ReadBmp(c), Turned(Numbered(2, 7), true));
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>{"A művelet sikeres volt!"});
}

TEST_F(FileOperations, TheRotateCommandsLeaveGifsAndUnreadableFilesAlone) {
    const std::string gif = dir.Write("a.gif", "GIF89a not really");
    const std::string bad = dir.Write("b.jpg", "\xFF\xD8 broken");
    Open();
    {
        RecordedErrors errors;
        Application.Dispatch([&] { View("a.gif"); });  // not a picture: its own error
        errors.Messages.clear();
        Application.Dispatch([] { MainWindow->RotateViewedPicture(false, *TransformationsWindow->Gauge); });
        EXPECT_TRUE(errors.Messages.empty());
    }
    RecordedErrors errors;
    Application.Dispatch([&] { View("b.jpg"); });
    errors.Messages.clear();
    Application.Dispatch([] { MainWindow->ViewCommand(13); });
    EXPECT_EQ(errors.Messages.size(), 1u);
    EXPECT_EQ(ReadFileBytes(gif), "GIF89a not really");
    EXPECT_EQ(ReadFileBytes(bad), "\xFF\xD8 broken");
    EXPECT_EQ(FolderNames(dir.Path()).size(), 2u);
}

TEST_F(FileOperations, MirroringOddSizesThroughAFile) {
    const std::string a = WritePicture("a.bmp", Numbered(5, 3));
    const std::string j = WritePicture("j.jpg", Numbered(7, 5));
    const TBitmap jpeg = DecodedJpeg(j);
    MirrorFile(a, true);
    ExpectSamePixels(ReadBmp(a), Mirrored(Numbered(5, 3), true));
    EXPECT_EQ(BmpDepth(a), 24);
    EXPECT_EQ(Numbered(5, 3).Pixel(0, 1), ReadBmp(a).Pixel(0, 1));  // the middle row stays
    MirrorFile(a, false);
    ExpectSamePixels(ReadBmp(a), Mirrored(Mirrored(Numbered(5, 3), true), false));
    MirrorFile(j, false);
    EXPECT_EQ(ReadFileBytes(j), JpegBytes(Mirrored(jpeg, false), 90));
}

TEST_F(FileOperations, ResizeFileScalesByExactExtensionAndNamesItsCopies) {
    const std::string tar = WritePicture("x.tar.bmp", Numbered(10, 7));
    const std::string bmp = WritePicture("b.bmp", Numbered(10, 7));
    const std::string photo = WritePicture("photo.JPG", Numbered(40, 20));
    const TBitmap decoded = DecodedJpeg(photo);
    TResizeWork work;
    TScaleChoice quarter;
    quarter.Fraction = TScaleFraction::sfQuarter;
    ResizeFile(tar, quarter, true, work, *MainWindow->TImg);
    EXPECT_EQ(ReadBmp(tar).Width(), 10);
    ResizeFile(bmp, quarter, true, work, *MainWindow->TImg);
    EXPECT_EQ(BmpDepth(bmp), 32);
    EXPECT_EQ(ReadBmp(bmp).Width(), 2);
    EXPECT_EQ(ReadBmp(bmp).Height(), 1);

    TScaleChoice half;
    ResizeFile(photo, half, false, work, *MainWindow->TImg);
    ResizeFile(photo, half, false, work, *MainWindow->TImg);
    EXPECT_EQ(FolderNames(dir.Path()),
              (std::set<std::string>{"x.tar.bmp", "b.bmp", "photo.JPG", "photo_.jpg", "photo__.jpg"}));
    TBitmap expected(20, 10, TPixelFormat::pf32bit);
    StretchBitmap(decoded, expected);
    EXPECT_EQ(ReadFileBytes(dir.File("photo_.jpg")), JpegBytes(expected, 90));
    EXPECT_EQ(ReadFileBytes(photo), JpegBytes(Numbered(40, 20), 90));
    EXPECT_EQ(CopyName(dir.File("my.photo.jpg")), dir.File("my_.photo.jpg"));
}

class Conversion : public WindowTest {
protected:
    TConvertResult Convert(const std::string& name, TConvertTarget target, int quality = 90) {
        return ConvertFile(dir.Path(), name, target, quality, mode, *MainWindow->TImg2);
    }
    TOverwriteMode mode = TOverwriteMode::Ask;
    ScriptedDialogs dialogs;
};

TEST_F(Conversion, ToBmpAndToJpegAtAQuality) {
    const std::string a = WritePicture("a.jpg", Numbered(9, 6));
    const std::string b = WritePicture("b.bmp", Numbered(5, 4));
    const TBitmap decoded = DecodedJpeg(a);
    EXPECT_EQ(Convert("a.jpg", TConvertTarget::ToBmp), TConvertResult::Done);
    EXPECT_EQ(Convert("b.bmp", TConvertTarget::ToBmp), TConvertResult::PassedOver);
    ExpectSamePixels(ReadBmp(dir.File("a.bmp")), decoded);
    EXPECT_EQ(BmpDepth(dir.File("a.bmp")), 24);
    EXPECT_TRUE(dialogs.Questions.empty());
    DeleteFile(dir.File("a.bmp"));

    dialogs.MessageAnswers = {mrYes};
    EXPECT_TRUE(JpegQualityWarning({"a.jpg", "b.bmp"}));
    EXPECT_EQ(dialogs.Questions.at(0).Message,
              "FIGYELEM!\rJpeg-ből Jpeg-be való konvertáláskor az eredeti kép minősége romolhat!\rFolytatja?");
    EXPECT_EQ(Convert("a.jpg", TConvertTarget::ToJpg, 30), TConvertResult::Done);
    EXPECT_EQ(Convert("b.bmp", TConvertTarget::ToJpg, 30), TConvertResult::Done);
    EXPECT_EQ(ReadFileBytes(a), JpegBytes(decoded, 30));
    EXPECT_EQ(ReadFileBytes(dir.File("b.jpg")), JpegBytes(Numbered(5, 4), 30));
    EXPECT_EQ(FolderNames(dir.Path()), (std::set<std::string>{"a.jpg", "b.bmp", "b.jpg"}));

    // No name with "jpg" in it: no warning; No and Cancel end the batch.
    EXPECT_TRUE(JpegQualityWarning({"b.bmp"}));
    dialogs.MessageAnswers = {mrNo, mrCancel};
    EXPECT_FALSE(JpegQualityWarning({"x.JPEG"}));
    EXPECT_FALSE(JpegQualityWarning({"jpgfolder"}));
    EXPECT_EQ(dialogs.Questions.size(), 3u);
}

TEST_F(Conversion, TheOverwriteQuestionAndItsAnswers) {
    const TBitmap picture = Numbered(4, 4);
    for (const char* name : {"my.photo.jpg", "b.jpg", "c.jpg", "d.jpg"}) WritePicture(name, picture);
    for (const char* name : {"my.bmp", "b.bmp", "c.bmp", "d.bmp"}) dir.Write(name, "old");
    dialogs.MessageAnswers = {mrNo, mrNoToAll};
    EXPECT_EQ(Convert("my.photo.jpg", TConvertTarget::ToBmp), TConvertResult::PassedOver);
    EXPECT_EQ(Convert("b.jpg", TConvertTarget::ToBmp), TConvertResult::PassedOver);
    EXPECT_EQ(Convert("c.jpg", TConvertTarget::ToBmp), TConvertResult::PassedOver);
    ASSERT_EQ(dialogs.Questions.size(), 2u);
    EXPECT_EQ(dialogs.Questions[0].Message, "A(z) my.bmp fájl már létezik.  Felülírja?");
    EXPECT_EQ(dialogs.Questions[0].Buttons, mbYes | mbNo | mbCancel | mbNoToAll | mbYesToAll);
    for (const char* name : {"my.bmp", "b.bmp", "c.bmp"}) EXPECT_EQ(ReadFileBytes(dir.File(name)), "old");

    mode = TOverwriteMode::Ask;
    dialogs.MessageAnswers = {mrYesToAll};
    EXPECT_EQ(Convert("b.jpg", TConvertTarget::ToBmp), TConvertResult::Done);
    EXPECT_EQ(Convert("c.jpg", TConvertTarget::ToBmp), TConvertResult::Done);
    EXPECT_EQ(dialogs.Questions.size(), 3u);
    EXPECT_NE(ReadFileBytes(dir.File("c.bmp")), "old");

    mode = TOverwriteMode::Ask;
    dialogs.MessageAnswers = {mrCancel};
    EXPECT_EQ(Convert("d.jpg", TConvertTarget::ToBmp), TConvertResult::EndBatch);
    EXPECT_EQ(ReadFileBytes(dir.File("d.bmp")), "old");
}

TEST_F(Conversion, ABitmapNamedLikeAJpegIsNeverReencoded) {
    const std::string x = WritePicture("x.jpg.bmp", Numbered(6, 3));
    const std::string before = ReadFileBytes(x);
    EXPECT_EQ(Convert("x.jpg.bmp", TConvertTarget::ToJpg, 50), TConvertResult::Done);
    EXPECT_EQ(ReadFileBytes(x), before);
    EXPECT_EQ(ReadFileBytes(dir.File("x.jpg")), JpegBytes(Numbered(6, 3), 50));
    EXPECT_EQ(Convert("x.gif", TConvertTarget::ToJpg), TConvertResult::PassedOver);
}

// PNG, WebP, TIFF, HEIF and JPEG XL files are read, never rewritten: both
// targets make a new file beside them. What a file holds decides, not its name.
TEST_F(Conversion, APictureOfALibraryReadKindBecomesANewFileBesideIt) {
    if (!ToolInstalled("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
    RunTool("convert -size 6x4 xc:'#ff0000' png24:" + dir.File("p.png"));
    RunTool("convert -size 6x4 xc:'#0000ff' png24:" + dir.File("q.jpg"));
    const std::string png = ReadFileBytes(dir.File("p.png"));
    const std::string pngNamedJpeg = ReadFileBytes(dir.File("q.jpg"));
    EXPECT_EQ(Convert("p.png", TConvertTarget::ToBmp), TConvertResult::Done);
    EXPECT_EQ(Convert("p.png", TConvertTarget::ToJpg, 95), TConvertResult::Done);
    EXPECT_EQ(Convert("q.jpg", TConvertTarget::ToBmp), TConvertResult::Done);
    EXPECT_EQ(ReadFileBytes(dir.File("p.png")), png);
    EXPECT_EQ(ReadFileBytes(dir.File("q.jpg")), pngNamedJpeg);
    EXPECT_EQ(ReadBmp(dir.File("p.bmp")).Pixel(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(ReadBmp(dir.File("q.bmp")).Pixel(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(FileRewriteFormat(dir.File("q.jpg")), TRewriteFormat::None);
    const TColor jpeg = DecodedJpeg(dir.File("p.jpg")).Pixel(2, 2);
    EXPECT_GT(GetRValue(jpeg), 240);
    EXPECT_LT(GetBValue(jpeg), 16);

    // Asked before a taken name is replaced, as for any conversion.
    dialogs.MessageAnswers = {mrNo};
    EXPECT_EQ(Convert("p.png", TConvertTarget::ToBmp), TConvertResult::PassedOver);
    EXPECT_EQ(dialogs.Questions.at(0).Message, "A(z) p.bmp fájl már létezik.  Felülírja?");
}

}  // namespace
