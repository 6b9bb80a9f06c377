#include "platform/controls/FileCtrls.h"

#include <dirent.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>

#include "platform/SysUtils.h"
#include "platform/controls/FileMask.h"
#include "platform/controls/ListWidget.h"
#include "platform/services/Application.h"

namespace lumvex {

namespace fs = std::filesystem;

namespace {
LinesView& List(const TControl& control) { return *static_cast<LinesView*>(control.Widget()); }

// A full path without a trailing "/" (the root keeps its own), "." and ".."
// resolved by name only.
std::string NormalFolder(const std::string& folder) {
    std::error_code ec;
    std::string path = fs::absolute(fs::path(folder), ec).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// The subfolders of a folder, without the hidden ones. Read entry by entry
// with the type the folder records: the folder may hold tens of thousands of
// pictures.
std::vector<std::string> Subfolders(const std::string& folder) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> entries(opendir(folder.c_str()), closedir);
    if (!entries) return names;
    const std::string prefix = IncludeTrailingPathDelimiter(folder);
    while (const dirent* entry = readdir(entries.get())) {
        if (entry->d_name[0] == '.') continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info {};
            isFolder = stat((prefix + entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        if (isFolder) names.emplace_back(entry->d_name);
    }
    SortNames(names);
    return names;
}
}  // namespace

TDirectoryListBox::TDirectoryListBox(TWinControl* parent) : TWinControl(parent, new LinesView) {
    UseNativeLook();
    std::error_code ec;
    fs::path current = fs::current_path(ec);
    directory_ = ec ? "/" : NormalFolder(current.string());
    ReadTree();
}

TDirectoryListBox::~TDirectoryListBox() = default;

void TDirectoryListBox::SetDirectory(const std::string& directory) {
    if (directory.empty()) return;
    const std::string folder = NormalFolder(directory);
    if (folder == directory_) return;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) throw EInOutError("The folder \"" + directory + "\" does not exist");
    if (fileList_) fileList_->SetDirectory(folder);
    directory_ = folder;
    ReadTree();
    if (OnChange) OnChange(this);
}

// Lines: "/", each folder of the path, then the current folder's subfolders,
// indented by their depth.
void TDirectoryListBox::ReadTree() {
    paths_.clear();
    std::vector<std::string> lines;
    paths_.push_back("/");
    lines.push_back("/");
    std::string path;
    int depth = 1;
    for (const fs::path& part : fs::path(directory_).relative_path()) {
        path += '/';
        path += part.string();
        paths_.push_back(path);
        lines.push_back(std::string(2 * depth++, ' ') + part.string());
    }
    currentLine_ = static_cast<int>(paths_.size()) - 1;
    for (const std::string& name : Subfolders(directory_)) {
        paths_.push_back(IncludeTrailingPathDelimiter(directory_) + name);
        lines.push_back(std::string(2 * depth, ' ') + name);
    }
    LinesView& list = List(*this);
    list.SetLines(lines);
    list.SetCurrentRow(currentLine_);
}

std::vector<std::string> TDirectoryListBox::Items() const {
    std::vector<std::string> names;
    for (const std::string& path : paths_) names.push_back(path == "/" ? path : fs::path(path).filename().string());
    return names;
}

int TDirectoryListBox::ItemIndex() const { return currentLine_; }

std::string TDirectoryListBox::PathOf(int index) const {
    if (index < 0 || index >= static_cast<int>(paths_.size()))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return paths_[static_cast<std::size_t>(index)];
}

void TDirectoryListBox::OpenItem(int index) { SetDirectory(PathOf(index)); }

void TDirectoryListBox::DblClick() {
    int row = List(*this).CurrentRow();
    if (row >= 0) OpenItem(row);
    TWinControl::DblClick();
}

void TDirectoryListBox::SetFileList(TFileListBox* list) {
    fileList_ = list;
    if (fileList_) fileList_->SetDirectory(directory_);
}

int TDirectoryListBox::ItemHeight() const { return List(*this).RowHeight(); }
void TDirectoryListBox::SetItemHeight(int height) { List(*this).SetRowHeight(height); }

}  // namespace lumvex
