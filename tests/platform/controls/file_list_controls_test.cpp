#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "platform/SysUtils.h"
#include "platform/controls/FileCtrls.h"
#include "platform/controls/FileMask.h"
#include "platform/controls/Form.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/TestInput.h"

namespace lumvex {
namespace {

using Names = std::vector<std::string>;
using namespace test_input;

class FileListControls : public ::testing::Test {
protected:
    FileListControls() {
        for (const char* name : {"b.JPG", "a.bmp", ".hidden.gif", "C.jpeg", "notes.txt", "Émile.GIF", "z.ico"})
            dir.Write(name, "x");
        std::filesystem::create_directory(dir.File("sub.jpg"));  // a folder is no file
        std::filesystem::create_directory(dir.File("Alpha"));
        std::filesystem::create_directory(dir.File(".git"));
        files = new TFileListBox(&form);
        files->SetMask("*.bmp;*.jpg;*.jpeg;*.ico;*.gif");
        files->SetDirectory(dir.Path());
    }
    test::TempDir dir;
    TForm form;
    TFileListBox* files;
};

TEST(FileMaskTest, MatchesWildcardsWithoutRegardToCase) {
    FileMask mask("*.jpg; *.JPEG;a?c.*");
    EXPECT_TRUE(mask.Matches("photo.JPG"));
    EXPECT_TRUE(mask.Matches("x.jpeg"));
    EXPECT_TRUE(mask.Matches("AbC.txt"));
    EXPECT_FALSE(mask.Matches("abbc.txt"));
    EXPECT_FALSE(mask.Matches("photo.jpg.txt"));
    EXPECT_FALSE(mask.Matches("jpg"));
    EXPECT_TRUE(FileMask("*.*").Matches("README"));
    EXPECT_FALSE(FileMask("").Matches("a"));
    EXPECT_TRUE(FileMask("*.gif").Matches("ÉMILE.GIF"));
    EXPECT_EQ(FoldCase("ÁRVÍZTŰRŐ"), "árvíztűrő");
}

TEST_F(FileListControls, ListsMatchingFilesSortedWithoutRegardToCaseHiddenOnesToo) {
    EXPECT_EQ(files->Items(), (Names{".hidden.gif", "a.bmp", "b.JPG", "C.jpeg", "z.ico", "Émile.GIF"}));
    EXPECT_EQ(files->Count(), 6);
    EXPECT_EQ(files->ItemIndex(), -1);
    EXPECT_EQ(files->FileName(), "");

    files->SetMask("*.JPG");
    EXPECT_EQ(files->Items(), (Names{"b.JPG"}));
    files->SetMask("*.*");
    EXPECT_EQ(files->Count(), 7);
}

TEST_F(FileListControls, SelectionFromCodeRaisesNoEventAndNamesTheFullPath) {
    int changes = 0;
    files->OnChange = [&](TObject*) { ++changes; };
    files->SetItemIndex(2);
    EXPECT_EQ(files->ItemIndex(), 2);
    EXPECT_EQ(files->FileName(), dir.File("b.JPG"));
    files->SetItemIndex(99);
    EXPECT_EQ(files->ItemIndex(), -1);
    EXPECT_EQ(files->FileName(), "");
    EXPECT_EQ(changes, 0);

    // The user's selection (arrow keys here) raises OnChange.
    files->SetItemIndex(0);
    files->SetFocus();
    SendKey(*files, VK_DOWN);
    EXPECT_EQ(files->ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(FileListControls, UpdateRereadsAndClearsTheSelection) {
    files->SetItemIndex(1);
    dir.Write("aa.bmp", "x");
    std::filesystem::remove(dir.File("z.ico"));
    files->Update();
    EXPECT_EQ(files->Items(), (Names{".hidden.gif", "a.bmp", "aa.bmp", "b.JPG", "C.jpeg", "Émile.GIF"}));
    EXPECT_EQ(files->ItemIndex(), -1);
}

TEST_F(FileListControls, MultiSelectKeepsIndependentMarks) {
    files->SetMultiSelect(true);
    files->SetSelected(1, true);
    files->SetSelected(3, true);
    files->SetItemIndex(2);
    EXPECT_EQ(files->SelCount(), 2);
    EXPECT_TRUE(files->Selected(3));
    EXPECT_FALSE(files->Selected(2));
    EXPECT_EQ(files->ItemIndex(), 2);
    files->SetSelected(1, false);
    EXPECT_EQ(files->SelCount(), 1);
    EXPECT_THROW(files->SetSelected(-1, true), EListError);
    EXPECT_THROW(files->Selected(6), EListError);
    files->Update();
    EXPECT_EQ(files->SelCount(), 0);

    // Clearing every mark at once, from code, raises no event either.
    int changes = 0;
    files->OnChange = [&](TObject*) { ++changes; };
    for (int i : {0, 2, 5}) files->SetSelected(i, true);
    files->ClearSelection();
    EXPECT_EQ(files->SelCount(), 0);
    EXPECT_FALSE(files->Selected(5));
    EXPECT_EQ(changes, 0);
}

TEST_F(FileListControls, MissingFolderRaisesAndKeepsTheList) {
    EXPECT_THROW(files->SetDirectory(dir.File("nowhere")), EInOutError);
    EXPECT_EQ(files->Directory(), dir.Path());
    EXPECT_EQ(files->Count(), 6);
}

TEST_F(FileListControls, FilterListSetsTheBoundFileListsMask) {
    auto* filter = new TFilterComboBox(&form);
    filter->SetFilter("All|*.bmp;*.jpg;*.jpeg;*.ico;*.gif|*.bmp|*.bmp|*.jpg;*.jpeg|*.jpg;*.jpeg");
    EXPECT_EQ(filter->Items(), (Names{"All", "*.bmp", "*.jpg;*.jpeg"}));
    EXPECT_EQ(filter->ItemIndex(), 0);
    files->SetMask("*.ico");
    filter->SetFileList(files);
    EXPECT_EQ(files->Mask(), "*.bmp;*.jpg;*.jpeg;*.ico;*.gif");
    int changes = 0;
    filter->OnChange = [&](TObject*) { ++changes; };
    filter->SetFocus();
    SendKey(*filter, VK_DOWN);  // the user picks the next entry
    EXPECT_EQ(filter->Mask(), "*.bmp");
    EXPECT_EQ(files->Items(), (Names{"a.bmp"}));
    EXPECT_EQ(changes, 1);
}

TEST_F(FileListControls, FolderTreeDrivesTheFileListThenReportsTheChange) {
    auto* tree = new TDirectoryListBox(&form);
    tree->SetFileList(files);
    tree->SetDirectory(dir.Path());
    std::vector<std::string> seen;
    tree->OnChange = [&](TObject*) { seen.push_back(files->Directory()); };
    tree->SetDirectory(dir.Path() + "/");  // the same folder: nothing happens
    tree->SetDirectory("");
    EXPECT_TRUE(seen.empty());

    tree->SetDirectory(dir.File("Alpha"));
    EXPECT_EQ(tree->Directory(), dir.File("Alpha"));
    EXPECT_EQ(seen, (Names{dir.File("Alpha")}));
    EXPECT_EQ(files->Count(), 0);

    // A link to a folder is listed as a folder; a link to a file is not.
    std::filesystem::create_directory_symlink(dir.File("Alpha"), dir.File("linked"));
    std::filesystem::create_symlink(dir.File("a.bmp"), dir.File("linked.bmp"));
    tree->SetDirectory(dir.Path());
    Names items = tree->Items();
    ASSERT_GE(items.size(), 5u);
    EXPECT_EQ(items.front(), "/");
    // The path's folders, then the visible subfolders by name.
    EXPECT_EQ(Names(items.end() - 4, items.end()),
              (Names{std::filesystem::path(dir.Path()).filename().string(), "Alpha", "linked", "sub.jpg"}));
    tree->OpenItem(static_cast<int>(items.size()) - 1);
    EXPECT_EQ(tree->Directory(), dir.File("sub.jpg"));

    EXPECT_THROW(tree->SetDirectory(dir.File("missing")), EInOutError);
    EXPECT_EQ(tree->Directory(), dir.File("sub.jpg"));
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(FileListControls, DoubleClickingAFolderLineOpensIt) {
    auto* tree = new TDirectoryListBox(&form);
    tree->SetBounds(0, 0, 177, 400);
    tree->SetItemHeight(16);
    tree->SetDirectory(dir.Path());
    form.SetBounds(0, 0, 200, 420);
    form.Show();
    ProcessEventsFor(10);
    const int last = static_cast<int>(tree->Items().size()) - 1;
    SendDblClick(*tree, 20, last * 16 + 8);
    EXPECT_EQ(tree->Directory(), dir.File("sub.jpg"));
}

TEST_F(FileListControls, DriveListListsTheRootAndMovesTheTree) {
    auto* drives = new TDriveComboBox(&form);
    auto* tree = new TDirectoryListBox(&form);
    drives->SetDirList(tree);
    EXPECT_EQ(drives->Items(), (Names{"/"}));
    drives->SetDrive("/");
    EXPECT_EQ(tree->Directory(), "/");
}

}  // namespace
}  // namespace lumvex
