#pragma once
// Shared by the image operation tests: pictures whose pixels all differ,
// reading files back, and a window fixture that opens a folder of its own
// for every test.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "ViewerSupport.h"
#include "imageops/PictureFiles.h"
#include "imageops/PixelTransforms.h"
#include "platform/SysUtils.h"

namespace lumvex::test {

inline TBitmap Numbered(int width, int height) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x * 37), static_cast<std::uint8_t>(y * 53),
                                      static_cast<std::uint8_t>(x * 7 + y * 13)));
    return bitmap;
}

inline TBitmap Turned(const TBitmap& source, bool left) {
    TBitmap target;
    QuarterTurn(source, target, left);
    return target;
}

inline TBitmap Mirrored(TBitmap bitmap, bool vertical) {
    MirrorBitmap(bitmap, vertical);
    return bitmap;
}

// The bytes our JPEG writer makes of a bitmap at a quality.
inline std::string JpegBytes(const TBitmap& bitmap, int quality) {
    TJPEGImage jpeg;
    jpeg.SetCompressionQuality(quality);
    jpeg.Assign(bitmap);
    return jpeg.SaveToBytes();
}

inline TBitmap DecodedJpeg(const std::string& path) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(path);
    TBitmap bitmap = jpeg.Bitmap();
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    return bitmap;
}

inline TBitmap ReadBmp(const std::string& path) {
    TBitmap bitmap;
    bitmap.LoadFromFile(path);
    return bitmap;
}

// The bits per pixel written in a BMP file's header.
inline int BmpDepth(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    return static_cast<std::uint8_t>(bytes.at(28)) | static_cast<std::uint8_t>(bytes.at(29)) << 8;
}

inline void ExpectSamePixels(const TBitmap& a, const TBitmap& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
}

inline std::set<std::string> FolderNames(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

// The program's windows, started for each test; each test opens a folder of
// its own and marks what it needs.
class WindowTest : public testing::Test {
protected:
    void SetUp() override { StartViewer(start.Path()); }
    void Open() {
        FileWindow->DirectoryListBox->SetDirectory(dir.Path());
        FileWindow->FileListBox->Update();
        TransformationsWindow->FileListBox->Update();
    }
    int IndexOf(const std::string& name) const {
        const auto& items = FileWindow->FileListBox->Items();
        return static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
    }
    // Shows the file; it becomes the only marked file.
    void View(const std::string& name) {
        FileWindow->FileListBox->SetItemIndex(IndexOf(name));
        FileWindow->FileListBoxChange();
    }
    void Mark(std::initializer_list<const char*> names) {
        TFileListBox* marks = TransformationsWindow->FileListBox;
        for (int i = 0; i < marks->Count(); ++i) marks->SetSelected(i, false);
        for (const char* name : names) marks->SetSelected(IndexOf(name), true);
    }
    std::string WritePicture(const std::string& name, const TBitmap& bitmap) {
        const std::string path = dir.File(name);
        if (LowerCase(ExtractFileExt(name)) == ".bmp")
            WriteBmp(bitmap, path, TPixelFormat::pf24bit);
        else
            WriteJpeg(bitmap, path);
        return path;
    }
    TempDir start;
    TempDir dir;
};

}  // namespace lumvex::test
