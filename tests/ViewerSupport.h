#pragma once
// Shared by the window tests: a folder of pictures made in the test, and the
// program's six windows created with that folder as the current folder,
// started as the program starts them. Each test starts its own windows; they
// are destroyed, and the viewer's state reset, when the test ends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "Program.h"
#include "TestFiles.h"
#include "viewer/LateWindows.h"
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/TransformationsWindow.h"
#include "appearance/OptionsWindow.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Jpeg.h"
#include "platform/services/Application.h"
#include "platform/services/Screen.h"

namespace lumvex::test {

inline TBitmap SolidBitmap(int width, int height, TColor color, TPixelFormat format = TPixelFormat::pf24bit) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    bitmap.Canvas().Brush.Color = color;
    bitmap.Canvas().FillRect(Rect(0, 0, width, height));
    bitmap.SetPixelFormat(format);
    return bitmap;
}

inline std::string WriteBmp(const TempDir& dir, const std::string& name, int width, int height, TColor color,
                            TPixelFormat format = TPixelFormat::pf24bit) {
    std::string path = dir.File(name);
    SolidBitmap(width, height, color, format).SaveToFile(path);
    return path;
}

inline std::string WriteJpeg(const TempDir& dir, const std::string& name, int width, int height, TColor color) {
    std::string path = dir.File(name);
    TJPEGImage jpeg;
    jpeg.Assign(SolidBitmap(width, height, color));
    jpeg.SaveToFile(path);
    return path;
}

// The screen the window tests see.
inline constexpr int TestScreenWidth = 1280;
inline constexpr int TestScreenHeight = 1024;

// Creates the windows in folder (made the current folder first) with the
// command line's picture, shows the main window, runs the start-up step and
// builds the windows that the program builds after its first paint.
// Windows still standing from before are destroyed first.
inline void StartViewer(const std::string& folder, const std::string& picture = "") {
    DestroyWindows();
    Screen.SetTestSize(TPoint{TestScreenWidth, TestScreenHeight});
    if (chdir(folder.c_str()) != 0) throw std::runtime_error("cannot enter " + folder);
    CreateWindows(picture);
    MainWindow->Show();  // as the message loop shows the main window
    MainWindow->DestruktorTimer();
    BuildLateWindows();  // as the first paint does
}

// A test of the started program in a folder of its own that holds one
// picture, a.bmp.
class OnePictureFolderTest : public testing::Test {
protected:
    void StartWindows() {
        WriteBmp(dir, "a.bmp", 40, 30, clBlue);
        StartViewer(dir.Path());
    }
    TempDir dir;
};

}  // namespace lumvex::test
