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

std::string AnimatedGif() { return RedThenBlueGif(16, 8, 50, 500); }

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
        MainWindow->nyjtas1Click(MainWindow->nyjtas1);
        Show(0);
    }
    static void Show(int index) {
        FileWindow->FileListBox->SetItemIndex(index);
        FileWindow->FileListBoxChange();
    }
    static TGIFImage* Gif() { return dynamic_cast<TGIFImage*>(MainWindow->Image->Picture().Graphic()); }
    std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
};

TEST_F(GifInViewer, PlaysStretchedWithTheShortestIntervalAndNoDepth) {
    Show(1);
    ASSERT_NE(Gif(), nullptr);
    EXPECT_TRUE(Gif()->Animate());
    EXPECT_FALSE(Gif()->Tile());
    EXPECT_TRUE(MainWindow->Image->Stretch());
    EXPECT_EQ(Viewer.PictureWidth, 16);
    EXPECT_EQ(Viewer.PictureHeight, 8);
    for (int i = 0; i < Gif()->FrameCount(); ++i) EXPECT_EQ(Gif()->Frame(i).Delay, 0);
    const std::string info = MainWindow->BottomLabel->Caption();
    EXPECT_EQ(info.substr(info.size() - 7), " | 16x8");
    // The work holder keeps the picture loaded before.
    EXPECT_EQ(MainWindow->TImg->Picture().Width(), 40);
}

TEST_F(GifInViewer, TilesInTileModeAndStretchesInTheOthers) {
    MainWindow->nyjtas1Click(MainWindow->Mozaik1);
    Show(1);
    ASSERT_NE(Gif(), nullptr);
    EXPECT_TRUE(Gif()->Tile());
    MainWindow->nyjtas1Click(MainWindow->Mozaik1);
    EXPECT_TRUE(Gif()->Tile());
    MainWindow->nyjtas1Click(MainWindow->Nyjts1);
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
    FileWindow->DirectoryListBox->SetDirectory(other.Path());
    EXPECT_EQ(Gif(), nullptr);
    EXPECT_EQ(GIFTimerPool(), nullptr);
    FileWindow->DirectoryListBox->SetDirectory(dir->Path());
}

TEST_F(GifInViewer, AFolderNamedGifMakesAJpegLoadStraightIntoTheDisplay) {
    FileWindow->DirectoryListBox->SetDirectory(dir->File("pictures.gif.dir"));
    Show(0);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(MainWindow->Image->Picture().Graphic()), nullptr);
    EXPECT_EQ(Viewer.PictureWidth, 20);
    // No depth: the work holder was not used.
    const std::string info = MainWindow->BottomLabel->Caption();
    EXPECT_EQ(info.substr(info.size() - 8), " | 20x10");
    FileWindow->DirectoryListBox->SetDirectory(dir->Path());
}

}  // namespace
