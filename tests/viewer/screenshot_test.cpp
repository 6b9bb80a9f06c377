// The headless run: the program starts on a picture, renders its main window
// to a PNG and ends.
#include <gtest/gtest.h>

#include "ViewerSupport.h"
#include "platform/SysUtils.h"

using namespace lumvex;
using namespace lumvex::test;

TEST(Screenshot, RendersTheMainWindowWithThePictureAndEnds) {
    TempDir dir;
    const std::string picture = WriteBmp(dir, "red.bmp", 300, 200, clRed);
    const std::string shot = dir.File("shot.png");
    Screen.SetTestSize(TPoint{TestScreenWidth, TestScreenHeight});
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    RunProgram(picture, shot);

    const std::string bytes = ReadFileBytes(shot);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    // The picture area shows the picture's pixels, proportionally fitted.
    TBitmap window = MainWindow->GetFormImage();
    const TRect placed = MainWindow->Image->BoundsRect();
    EXPECT_EQ(window.Pixel(placed.Left + placed.Width() / 2, placed.Top + placed.Height() / 2), clRed);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - red.bmp");
}

TEST(Screenshot, RendersTheWindowItIsAskedFor) {
    TempDir dir;
    const std::string picture = WriteBmp(dir, "red.bmp", 300, 200, clRed);
    const std::string shot = dir.File("files.png");
    Screen.SetTestSize(TPoint{TestScreenWidth, TestScreenHeight});
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    RunProgram(picture, shot, "files");
    const std::string bytes = ReadFileBytes(shot);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    // The PNG's header holds the file window's size, big-endian.
    auto word = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    EXPECT_EQ(word(16), FileWindow->Width());
    EXPECT_EQ(word(20), FileWindow->Height());
    DestroyWindows();
}
