// The browser and the desktop's thumbnail cache: a folder seen before fills
// from the cache without decoding, a changed file is made again, a damaged
// file is not decoded again until it changes, a damaged entry is made again,
// and a cache that cannot be written or that holds the pictures itself costs
// nothing but the cache.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "BrowserFixture.h"
#include "platform/SysUtils.h"
#include "platform/services/ThumbnailCache.h"
#include "platform/services/ThumbnailEntryFiles.h"
#include "platform/services/ThumbnailNames.h"
#include "platform/services/ThumbnailPng.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing))
        names.insert(entry.path().filename().string());
    return names;
}

timespec TimeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mtim;
}

void SetTime(const std::string& path, timespec time) {
    const timespec times[2] = {time, time};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// Other bytes in the file, which keeps its length and time: to the cache it
// is the file it was.
void ReplaceUnnoticed(const std::string& path, const std::string& bytes) {
    const timespec time = TimeOf(path);
    ASSERT_EQ(FileSize(path), static_cast<std::int64_t>(bytes.size()));
    WriteFileAtomically(path, bytes);
    SetTime(path, time);
}

// A new time for the file, ten seconds on.
void Touch(const std::string& path) {
    timespec time = TimeOf(path);
    time.tv_sec += 10;
    SetTime(path, time);
}

class BrowserCache : public Browser {
protected:
    const std::string cache = TThumbnailCache::UserFolder();
    const std::string failFolder = cache + "/fail/lumvex-" LUMVEX_VERSION;

    // Closes the browser and opens it again on the same folder, without
    // showing a picture in the viewer.
    static void Reopen() {
        BrowserWindow->MorphButton1Click(BrowserWindow->MorphButton1);
        MainWindow->ViewCommand(16);
        ASSERT_TRUE(WaitForBuild());
    }
    static TBitmap PictureCopy(int cell) { return dynamic_cast<const TBitmap&>(*PictureOf(cell)); }
    static bool SamePixels(const TBitmap& a, const TBitmap& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
        return true;
    }
};

TEST_F(BrowserCache, ASecondOpenFillsFromTheCacheWithoutDecoding) {
    const std::string files[] = {WriteJpeg(dir, "a.jpg", 800, 600, clRed), WriteBmp(dir, "b.bmp", 600, 800, clBlue),
                                 WriteBmp(dir, "c.bmp", 2000, 1000, clLime)};
    RecordedErrors errors;
    OpenAndWait(dir);
    EXPECT_EQ(NamesIn(cache + "/normal").size(), 3u);
    const TBitmap jpeg = PictureCopy(0);
    std::vector<TRect> places;
    for (int i = 0; i < 3; ++i) places.push_back(BrowserWindow->Cells->Cell(i).Place);
    for (const std::string& file : files) ReplaceUnnoticed(file, std::string(FileSize(file), 'x'));
    Reopen();
    ASSERT_EQ(BrowserWindow->Cells->Count(), 3);
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(PictureOf(i), nullptr) << i;
        EXPECT_EQ(BrowserWindow->Cells->Cell(i).Place, places[i]) << i;
    }
    // A picture small enough for the cache as it was decoded comes back as it was made.
    EXPECT_TRUE(SamePixels(PictureCopy(0), jpeg));
    EXPECT_EQ(PicturePixel(1, 20, 30), clBlue);
    EXPECT_EQ(PicturePixel(2, 30, 10), clLime);
    EXPECT_TRUE(errors.Messages.empty());
}

TEST_F(BrowserCache, AChangedFileIsMadeAgainAndAFailureStandsUntilTheFileChanges) {
    const std::string changing = WriteBmp(dir, "a.bmp", 40, 30, clRed);
    const std::string valid = SolidBitmap(64, 48, clBlue).SaveToBytes();
    std::string damaged = valid;
    damaged[0] = 'x';
    const std::string broken = dir.Write("b.bmp", damaged);
    OpenAndWait(dir);
    EXPECT_EQ(PicturePixel(0, 10, 10), clRed);
    EXPECT_EQ(PictureOf(1), nullptr);
    EXPECT_EQ(NamesIn(failFolder), std::set<std::string>{ThumbnailEntryName(FileUri(broken))});
    EXPECT_EQ(NamesIn(cache + "/normal"), std::set<std::string>{ThumbnailEntryName(FileUri(changing))});

    // Of the same length, only the time tells the new picture from the old one.
    WriteBmp(dir, "a.bmp", 40, 30, clYellow);
    Touch(changing);
    ReplaceUnnoticed(broken, valid);
    Reopen();
    EXPECT_EQ(PicturePixel(0, 10, 10), clYellow);
    EXPECT_EQ(PictureOf(1), nullptr);  // not decoded again

    Touch(broken);
    Reopen();
    ASSERT_NE(PictureOf(1), nullptr);
    EXPECT_EQ(PicturePixel(1, 10, 10), clBlue);
}

TEST_F(BrowserCache, ADamagedEntryIsIgnoredAndMadeAgain) {
    const std::string file = WriteBmp(dir, "a.bmp", 40, 30, clRed);
    OpenAndWait(dir);
    const std::string entry = cache + "/normal/" + ThumbnailEntryName(FileUri(file));
    const std::string whole = ReadFileBytes(entry);
    WriteFileAtomically(entry, whole.substr(0, whole.size() / 2));
    Reopen();
    ASSERT_NE(PictureOf(0), nullptr);
    EXPECT_EQ(PicturePixel(0, 10, 10), clRed);
    EXPECT_EQ(ReadFileBytes(entry), whole);
}

// Another program keeps only a large thumbnail, and does not record the
// picture's size: the cell is placed by the thumbnail's proportions.
TEST_F(BrowserCache, AThumbnailThatAnotherProgramKeptFillsTheCell) {
    const std::string file = WriteBmp(dir, "a.bmp", 800, 600, clRed);
    const std::string uri = FileUri(file);
    ASSERT_TRUE(WriteEntryAtomically(cache + "/large", ThumbnailEntryName(uri),
                                     WriteThumbnailPng(SolidBitmap(256, 192, clLime),
                                                       {{"Thumb::URI", uri},
                                                        {"Thumb::MTime", IntToStr(TimeOf(file).tv_sec)}})));
    OpenAndWait(dir);
    EXPECT_EQ(BrowserWindow->Cells->Cell(0).Place, Bounds(4, 9, 72, 56));
    EXPECT_EQ(PictureOf(0)->Width(), 72);
    EXPECT_EQ(PicturePixel(0, 30, 30), clLime);
}

TEST_F(BrowserCache, ACacheThatCannotBeWrittenCostsNothingButTheCache) {
    WriteBmp(dir, "a.bmp", 40, 30, clRed);
    dir.Write("b.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
    std::filesystem::create_directories(ExtractFileDir(cache));
    WriteFileAtomically(cache, "a file where the cache's folder should be");
    RecordedErrors errors;
    OpenAndWait(dir);
    EXPECT_EQ(PicturePixel(0, 10, 10), clRed);
    EXPECT_EQ(PictureOf(1), nullptr);
    EXPECT_TRUE(errors.Messages.empty());
    EXPECT_EQ(ReadFileBytes(cache), "a file where the cache's folder should be");
}

// Root writes through permission bits, but not into an immutable folder.
TEST_F(BrowserCache, AnImmutableCacheFolderCostsNothingButTheCache) {
    WriteBmp(dir, "a.bmp", 40, 30, clRed);
    std::filesystem::create_directories(cache);
    if (std::system(("chattr +i '" + cache + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "chattr +i is not available here (not root, or a file system without the flag)";
    struct Thaw {
        std::string folder;
        ~Thaw() { [[maybe_unused]] const int ignored = std::system(("chattr -i '" + folder + "'").c_str()); }
    } thaw{cache};
    RecordedErrors errors;
    OpenAndWait(dir);
    EXPECT_EQ(PicturePixel(0, 10, 10), clRed);
    EXPECT_TRUE(NamesIn(cache).empty());
    EXPECT_TRUE(errors.Messages.empty());
}

TEST_F(BrowserCache, PicturesInsideTheCacheFolderAreNotKept) {
    const std::string inside = cache + "/pictures";
    std::filesystem::create_directories(inside);
    SolidBitmap(40, 30, clRed).SaveToFile(inside + "/a.bmp");
    OpenAndWait(inside);
    EXPECT_EQ(PicturePixel(0, 10, 10), clRed);
    EXPECT_EQ(NamesIn(cache), std::set<std::string>{"pictures"});
}

}  // namespace
