// GIF pictures in the viewer: loaded straight into the display, animated,
// tiled in tile mode and dropped by the next load or a folder change.
#include <gtest/gtest.h>

#include <memory>

#include "GifWriter.h"
#include "ViewerSupport.h"
#include "components/MPGifImg.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

std::string AnimatedGif() {
    GifImage frame;
    frame.width = 16;
    frame.height = 8;
    frame.pixels.assign(16 * 8, 1);
    GifWriter gif(16, 8, {clBlack, clRed, clBlue});
    gif.GraphicControl(50).Image(frame);
    frame.pixels.assign(16 * 8, 2);
    gif.GraphicControl(500).Image(frame);
    return gif.Bytes();
}

class GifInViewer : public testing::Test {
protected:
    void StartWindows() {
        WriteBmp(*dir, "a.bmp", 40, 30, clGreen, TPixelFormat::pf8bit);
        dir->Write("b.gif", AnimatedGif());
        dir->Write("pictures.gif.dir/c.jpg", "");
        WriteJpeg(*dir, "pictures.gif.dir/c.jpg", 20, 10, clWhite);
        StartViewer(dir->Path());
    }
    void SetUp() override {
        StartWindows();
        Form1->nyjtas1Click(Form1->nyjtas1);
        Show(0);
    }
    static void Show(int index) {
        Form2->FileListBox->SetItemIndex(index);
        Form2->FileListBoxChange();
    }
    static TGIFImage* Gif() { return dynamic_cast<TGIFImage*>(Form1->Image->Picture().Graphic()); }
    std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
};

TEST_F(GifInViewer, PlaysStretchedWithTheShortestIntervalAndNoDepth) {
    Show(1);
    ASSERT_NE(Gif(), nullptr);
    EXPECT_TRUE(Gif()->Animate());
    EXPECT_FALSE(Gif()->Tile());
    EXPECT_TRUE(Form1->Image->Stretch());
    EXPECT_EQ(Viewer.PictureWidth, 16);
    EXPECT_EQ(Viewer.PictureHeight, 8);
    for (int i = 0; i < Gif()->FrameCount(); ++i) EXPECT_EQ(Gif()->Frame(i).Delay, 0);
    const std::string info = Form1->BottomLabel->Caption();
    EXPECT_EQ(info.substr(info.size() - 7), " | 16x8");
    // The work holder keeps the picture loaded before.
    EXPECT_EQ(Form1->TImg->Picture().Width(), 40);
}

TEST_F(GifInViewer, TilesInTileModeAndStretchesInTheOthers) {
    Form1->nyjtas1Click(Form1->Mozaik1);
    Show(1);
    ASSERT_NE(Gif(), nullptr);
    EXPECT_TRUE(Gif()->Tile());
    Form1->nyjtas1Click(Form1->Mozaik1);
    EXPECT_TRUE(Gif()->Tile());
    Form1->nyjtas1Click(Form1->Nyjts1);
    EXPECT_FALSE(Gif()->Tile());
    EXPECT_FALSE(Viewer.TiledBitmap);
}

TEST_F(GifInViewer, TheNextLoadAndAFolderChangeDropTheAnimation) {
    Show(1);
    ASSERT_NE(Gif(), nullptr);
    ASSERT_NE(GIFTimerPool(), nullptr);
    Show(0);
    EXPECT_EQ(Gif(), nullptr);
    EXPECT_EQ(GIFTimerPool(), nullptr);

    Show(1);
    TempDir other;
    Form2->DirectoryListBox->SetDirectory(other.Path());
    EXPECT_EQ(Gif(), nullptr);
    EXPECT_EQ(GIFTimerPool(), nullptr);
    Form2->DirectoryListBox->SetDirectory(dir->Path());
}

TEST_F(GifInViewer, AFolderNamedGifMakesAJpegLoadStraightIntoTheDisplay) {
    Form2->DirectoryListBox->SetDirectory(dir->File("pictures.gif.dir"));
    Show(0);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(Form1->Image->Picture().Graphic()), nullptr);
    EXPECT_EQ(Viewer.PictureWidth, 20);
    // No depth: the work holder was not used.
    const std::string info = Form1->BottomLabel->Caption();
    EXPECT_EQ(info.substr(info.size() - 8), " | 20x10");
    Form2->DirectoryListBox->SetDirectory(dir->Path());
}

}  // namespace
