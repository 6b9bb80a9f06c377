#include "platform/controls/FileCtrls.h"

#include <filesystem>

#include "platform/SysUtils.h"
#include "platform/controls/FolderEntries.h"
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
    // A file list that reads the folder now brings its subfolders along.
    const bool listReads = fileList_ && fileList_->Directory() != folder;
    if (fileList_) fileList_->SetDirectory(folder);
    directory_ = folder;
    ReadTree(listReads ? &fileList_->Subfolders() : nullptr);
    if (OnChange) OnChange(this);
}

// Lines: "/", each folder of the path, then the current folder's subfolders,
// indented by their depth.
void TDirectoryListBox::ReadTree(const std::vector<std::string>* subfolders) {
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
    std::vector<std::string> read;
    if (!subfolders) {
        try {
            read = ReadFolderEntries(directory_, nullptr).subfolders;
        } catch (const EInOutError&) {
            // A folder that cannot be read shows no subfolders.
        }
        subfolders = &read;
    }
    for (const std::string& name : *subfolders) {
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
