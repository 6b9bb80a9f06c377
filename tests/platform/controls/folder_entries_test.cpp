#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "platform/SysUtils.h"
#include "platform/controls/FolderEntries.h"

namespace lumvex {
namespace {

using Names = std::vector<std::string>;
namespace fs = std::filesystem;

// Makes the folder look untouched for a minute, as a user's folder usually is.
void Settle(const std::string& folder) {
    fs::last_write_time(folder, fs::file_time_type::clock::now() - std::chrono::minutes(1));
}

TEST(FolderEntriesTest, FilesByMaskAndVisibleSubfoldersSortedWithoutRegardToCase) {
    test::TempDir dir;
    for (const char* name : {"b.JPG", "a.bmp", ".hidden.gif", "notes.txt", "A.gif", "B.jpg"}) dir.Write(name, "x");
    for (const char* name : {"zeta", "Alpha", ".git"}) fs::create_directory(dir.File(name));
    fs::create_directory_symlink(dir.File("zeta"), dir.File("link"));
    const FileMask pictures("*.bmp;*.jpg;*.gif");
    FolderEntries entries = ReadFolderEntries(dir.Path(), &pictures);
    // Names that differ only in letter case go by their bytes.
    EXPECT_EQ(entries.files, (Names{".hidden.gif", "a.bmp", "A.gif", "B.jpg", "b.JPG"}));
    EXPECT_EQ(entries.subfolders, (Names{"Alpha", "link", "zeta"}));
    EXPECT_TRUE(ReadFolderEntries(dir.Path(), nullptr).files.empty());
    EXPECT_THROW(ReadFolderEntries(dir.File("missing"), &pictures), EInOutError);
}

// A settled folder is read once and then reused, each mask applied to it anew;
// a change to its entries is seen at the next read.
TEST(FolderEntriesTest, KeptReadFollowsMasksAndChanges) {
    test::TempDir dir;
    dir.Write("one.jpg", "x");
    dir.Write("two.gif", "x");
    Settle(dir.Path());
    const FileMask jpegs("*.jpg"), gifs("*.gif");
    EXPECT_EQ(ReadFolderEntries(dir.Path(), &jpegs).files, (Names{"one.jpg"}));
    EXPECT_EQ(ReadFolderEntries(dir.Path(), &gifs).files, (Names{"two.gif"}));

    dir.Write("three.jpg", "x");
    EXPECT_EQ(ReadFolderEntries(dir.Path(), &jpegs).files, (Names{"one.jpg", "three.jpg"}));
    fs::remove(dir.File("one.jpg"));
    fs::create_directory(dir.File("sub"));
    FolderEntries entries = ReadFolderEntries(dir.Path(), &jpegs);
    EXPECT_EQ(entries.files, (Names{"three.jpg"}));
    EXPECT_EQ(entries.subfolders, (Names{"sub"}));

    // Another folder in between, then back: read again, not mixed up.
    test::TempDir other;
    other.Write("else.jpg", "x");
    EXPECT_EQ(ReadFolderEntries(other.Path(), &jpegs).files, (Names{"else.jpg"}));
    EXPECT_EQ(ReadFolderEntries(dir.Path(), &jpegs).files, (Names{"three.jpg"}));
}

// A folder changed moments ago may change again within the same tick of the
// file system's clock, which would leave its time as it was: such a read is
// never reused.
TEST(FolderEntriesTest, RecentlyChangedFolderIsReadEveryTime) {
    test::TempDir dir;
    const FileMask all("*.*");
    for (int i = 0; i < 20; ++i) {
        dir.Write(std::to_string(i) + ".jpg", "x");
        EXPECT_EQ(ReadFolderEntries(dir.Path(), &all).files.size(), static_cast<std::size_t>(i + 1));
    }
}

}  // namespace
}  // namespace lumvex
