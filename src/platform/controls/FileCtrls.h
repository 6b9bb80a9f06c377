#pragma once
// The four file list controls the file windows are built from: a drive list,
// a folder tree, a file list and a file-type filter list, bound to each other.
// Paths use "/"; the drive list lists the file-system roots.
#include <string>
#include <vector>

#include "platform/controls/Control.h"

namespace lumvex {

class TDirectoryListBox;
class TFileListBox;

class TDriveComboBox : public TWinControl {
public:
    explicit TDriveComboBox(TWinControl* parent);

    // The chosen root ("/").
    std::string Drive() const;
    void SetDrive(const std::string& drive);
    const std::vector<std::string>& Items() const { return roots_; }
    // Choosing a root sets the folder tree's Directory to it.
    TDirectoryListBox* DirList() const { return dirList_; }
    void SetDirList(TDirectoryListBox* list);

    TNotifyEvent OnChange;

private:
    void Chosen(int index);
    std::vector<std::string> roots_;
    TDirectoryListBox* dirList_ = nullptr;
};

class TDirectoryListBox : public TWinControl {
public:
    explicit TDirectoryListBox(TWinControl* parent);
    ~TDirectoryListBox() override;

    // The folder shown, a full path without a trailing "/" (except the root).
    // Setting an empty text or the current folder does nothing; another folder
    // is read, the bound file list follows, then OnChange runs. A folder that
    // does not exist raises EInOutError and changes nothing.
    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& directory);
    // The lines shown: the path's folders from the root, then the current
    // folder's subfolders, by name.
    std::vector<std::string> Items() const;
    int ItemIndex() const;
    // The full path of line index.
    std::string PathOf(int index) const;
    // Opens line index, as a double click does.
    void OpenItem(int index);

    TFileListBox* FileList() const { return fileList_; }
    void SetFileList(TFileListBox* list);
    int ItemHeight() const;
    void SetItemHeight(int height);

    TNotifyEvent OnChange;

protected:
    void DblClick() override;

private:
    // The path's folders and subfolders (read here when not given).
    void ReadTree(const std::vector<std::string>* subfolders = nullptr);
    std::string directory_;
    std::vector<std::string> paths_;  // full path of each line
    int currentLine_ = -1;
    TFileListBox* fileList_ = nullptr;
};

class TFileListBox : public TWinControl {
public:
    // Lists the current folder's files that match mask.
    explicit TFileListBox(TWinControl* parent, std::string mask = "*.*");
    ~TFileListBox() override;

    // The folder listed (the process's current folder at creation).
    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& directory);
    // ";"-separated wildcards, matched without regard to letter case.
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& mask);
    // Re-reads the folder; the selection is cleared.
    void Update();
    // Shows source's folder. With the same mask its listing, just read, is
    // taken over instead of reading the folder again.
    void SetDirectoryFrom(const TFileListBox& source);

    // The bare names of the matching files (hidden ones too), sorted by name
    // without regard to letter case.
    const std::vector<std::string>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // The visible subfolders the last read of the folder came across, sorted
    // the same way: the folder tree takes them instead of reading it again.
    const std::vector<std::string>& Subfolders() const { return subfolders_; }
    // −1 for none; an index outside the list selects nothing. Setting it
    // raises no event.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Directory joined with the selected name, or "" when none is selected.
    std::string FileName() const;

    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool on);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    void ClearSelection();
    int SelCount() const;

    int ItemHeight() const;
    void SetItemHeight(int height);

    // A change of selection by the user (mouse or keys).
    TNotifyEvent OnChange;
    // The entries were read anew (another folder or mask, a re-read, or a
    // listing taken over), whoever asked for it.
    TNotifyEvent OnRead;

private:
    void ReadFolder();
    void ShowItems(std::vector<std::string> names);
    std::string directory_;
    std::string mask_ = "*.*";
    std::vector<std::string> items_;
    std::vector<std::string> subfolders_;
    bool multiSelect_ = false;
    bool settingFromCode_ = false;
};

class TFilterComboBox : public TWinControl {
public:
    explicit TFilterComboBox(TWinControl* parent);

    // Pairs of shown text and mask, all joined by "|".
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& filter);
    // The mask of the selected entry.
    std::string Mask() const;
    int ItemIndex() const;
    // Selecting an entry sets the bound file list's Mask; the user's choice
    // also raises OnChange.
    void SetItemIndex(int index);
    std::vector<std::string> Items() const;

    // Binding gives the file list the selected entry's mask.
    TFileListBox* FileList() const { return fileList_; }
    void SetFileList(TFileListBox* list);

    TNotifyEvent OnChange;

private:
    void Chosen(int index);
    std::string filter_;
    std::vector<std::string> masks_;
    TFileListBox* fileList_ = nullptr;
};

}  // namespace lumvex
