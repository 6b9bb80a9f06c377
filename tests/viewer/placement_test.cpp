// Fit modes, zoom and panning of the display picture.
#include <gtest/gtest.h>

#include <memory>

#include <cmath>

#include "ViewerSupport.h"
#include "platform/services/KeyCodes.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class Placement : public testing::Test {
protected:
    void StartWindows() {
        WriteBmp(*dir, "a-small.bmp", 200, 100, clRed);
        WriteBmp(*dir, "b-large.bmp", 2000, 1000, clBlue);
        WriteBmp(*dir, "c-tile.bmp", 64, 64, clGreen);
        StartViewer(dir->Path());
    }
    void SetUp() override {
        StartWindows();
        MainWindow->SetBounds(100, 50, 632, 446);
        MainWindow->nyjtas1Click(MainWindow->nyjtas1);
        Show(0);
    }
    static void Show(int index) {
        FileWindow->FileListBox->SetItemIndex(index);
        FileWindow->FileListBoxChange();
    }
    static TRect Placed() { return MainWindow->Image->BoundsRect(); }
    std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
};

TEST_F(Placement, ProportionalStretchFitsThePictureInTheArea) {
    EXPECT_EQ(Viewer.FitMode, 2);
    EXPECT_EQ(Placed(), Bounds(1, 66, 630, 314));
    EXPECT_TRUE(MainWindow->border->Visible());
    EXPECT_EQ(MainWindow->border->BoundsRect(), Bounds(0, 65, 632, 316));
}

TEST_F(Placement, NumpadPlusSwitchesToZoomAroundTheCentre) {
    MainWindow->ZoomKey(true);
    EXPECT_EQ(Viewer.FitMode, 4);
    EXPECT_EQ(Viewer.ZoomSteps, 1);
    EXPECT_EQ(Placed(), Bounds(166, 148, 300, 150));
    EXPECT_DOUBLE_EQ(Viewer.ViewCenterX, 150);
    EXPECT_DOUBLE_EQ(Viewer.ViewCenterY, 75);
}

TEST_F(Placement, ZoomStepsRoundEveryStepAndStopAtTheirLimits) {
    MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, true);  // enters zoom mode: own size, then one step
    const int widthsIn[] = {450, 675, 1012};
    const int heightsIn[] = {225, 338, 507};
    EXPECT_EQ(MainWindow->Image->Width(), 300);
    for (int i = 0; i < 3; ++i) {
        MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, true);
        EXPECT_EQ(MainWindow->Image->Width(), widthsIn[i]);
        EXPECT_EQ(MainWindow->Image->Height(), heightsIn[i]);
    }
    for (int i = 0; i < 10; ++i) MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, true);
    EXPECT_EQ(Viewer.ZoomSteps, 10);

    MainWindow->nyjtas1Click(MainWindow->Kzpen1);  // another mode resets the count
    EXPECT_EQ(Viewer.ZoomSteps, 0);
    EXPECT_EQ(Viewer.FitMode, 0);
    const int widthsOut[] = {133, 89, 59};
    const int heightsOut[] = {67, 45, 30};
    for (int i = 0; i < 3; ++i) {
        MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, false);
        EXPECT_EQ(MainWindow->Image->Width(), widthsOut[i]);
        EXPECT_EQ(MainWindow->Image->Height(), heightsOut[i]);
    }
    for (int i = 0; i < 3; ++i) MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, false);
    EXPECT_EQ(Viewer.ZoomSteps, -5);
}

TEST_F(Placement, PanningStaysInsideALargePicture) {
    Show(1);
    Viewer.FitMode = 4;
    MainWindow->ResizeImage(MainWindow->Image, MainWindow->TImg);
    MainWindow->TimerTimer(nullptr);
    EXPECT_EQ(MainWindow->Image->Left(), -684);
    EXPECT_DOUBLE_EQ(Viewer.ViewCenterX, 1000);
    Viewer.KeyHeld[VK_RIGHT] = true;
    MainWindow->TimerTimer(nullptr);
    EXPECT_DOUBLE_EQ(Viewer.ViewCenterX, 1040);
    EXPECT_EQ(MainWindow->Image->Left(), -724);
    for (int i = 0; i < 100; ++i) MainWindow->TimerTimer(nullptr);
    EXPECT_DOUBLE_EQ(Viewer.ViewCenterX, 1684);
    EXPECT_EQ(MainWindow->Image->Left() + MainWindow->Image->Width(), Viewer.AreaWidth);
    EXPECT_EQ(MainWindow->border->BoundsRect(), Bounds(MainWindow->Image->Left() - 1, MainWindow->Image->Top() - 1, 2002, 1002));
}

TEST_F(Placement, ALoadInZoomModeKeepsTheZoomCount) {
    MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, true);
    MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, true);
    Show(2);
    EXPECT_EQ(Viewer.FitMode, 4);
    EXPECT_EQ(Viewer.ZoomSteps, 2);
    EXPECT_EQ(MainWindow->Image->Width(), 144);  // 64 -> 96 -> 144
}

TEST_F(Placement, TileModeTilesOverTheScreenAndOtherModesShowThePictureAgain) {
    Show(2);
    MainWindow->nyjtas1Click(MainWindow->Mozaik1);
    EXPECT_TRUE(Viewer.TiledBitmap);
    const TBitmap& tiled = MainWindow->Image->Picture().Bitmap();
    EXPECT_EQ(tiled.Width(), TestScreenWidth);
    EXPECT_EQ(tiled.Height(), TestScreenHeight);
    EXPECT_EQ(tiled.Pixel(TestScreenWidth - 1, TestScreenHeight - 1), clGreen);
    EXPECT_EQ(Placed(), Bounds(1, 19, TestScreenWidth, TestScreenHeight));
    EXPECT_TRUE(MainWindow->Mozaik1->Checked());
    EXPECT_FALSE(MainWindow->nyjtas1->Checked());

    MainWindow->nyjtas1Click(MainWindow->Nyjts1);
    EXPECT_FALSE(Viewer.TiledBitmap);
    EXPECT_EQ(MainWindow->Image->Picture().Width(), 64);
    EXPECT_EQ(Placed(), Bounds(1, 19, 630, 408));
    EXPECT_TRUE(MainWindow->Image->Stretch());

    MainWindow->nyjtas1Click(MainWindow->Kzpen1);
    EXPECT_EQ(Placed(), Bounds(1, 19, 631, 409));
    EXPECT_TRUE(MainWindow->Image->Center());
}

TEST_F(Placement, AZoomStepAfterTilingZoomsTheTiling) {
    Show(2);
    MainWindow->nyjtas1Click(MainWindow->Mozaik1);
    MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, false);
    EXPECT_EQ(Viewer.FitMode, 4);
    EXPECT_EQ(MainWindow->Image->Width(), static_cast<int>(std::nearbyint(TestScreenWidth / 1.5)));
    // The check mark does not move to a zoom.
    EXPECT_TRUE(MainWindow->Mozaik1->Checked());
}

TEST_F(Placement, ResizingInZoomModeReplaysTheSteps) {
    MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, true);
    MainWindow->SetBounds(100, 50, 800, 600);
    MainWindow->FormResize();
    EXPECT_EQ(Viewer.ZoomSteps, 1);
    EXPECT_EQ(MainWindow->Image->Width(), 300);
    EXPECT_EQ(MainWindow->Image->Left(), 400 - 150);
}

TEST_F(Placement, MenuEntriesCarryTheirModesInOrder) {
    TMenuItem& items = MainWindow->PicturePositionMenu.Items();
    ASSERT_EQ(items.Count(), 4);
    const int modes[] = {2, 0, 3, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items.Items(i)->Tag, modes[i]);
        EXPECT_TRUE(items.Items(i)->RadioItem());
    }
    EXPECT_EQ(items.Items(0)->Caption().rfind("Méretarányos nyújtás", 0), 0u);
}

}  // namespace
