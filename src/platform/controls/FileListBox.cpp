#include "platform/controls/FileCtrls.h"

#include <filesystem>

#include "platform/SysUtils.h"
#include "platform/controls/FileMask.h"
#include "platform/controls/FolderEntries.h"
#include "platform/controls/ListWidget.h"
#include "platform/services/Application.h"

namespace lumvex {

namespace fs = std::filesystem;

namespace {
LinesView& List(const TControl& control) { return *static_cast<LinesView*>(control.Widget()); }

std::string CurrentFolder() {
    std::error_code ec;
    fs::path path = fs::current_path(ec);
    return ec ? std::string("/") : path.string();
}
}  // namespace

TFileListBox::TFileListBox(TWinControl* parent, std::string mask)
    : TWinControl(parent, new LinesView), directory_(CurrentFolder()), mask_(std::move(mask)) {
    UseNativeLook();
    LinesView& list = List(*this);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(list.selectionModel(), &QItemSelectionModel::currentRowChanged, [this] {
        if (!settingFromCode_ && !multiSelect_ && OnChange) Application.Dispatch([this] { OnChange(this); });
    });
    QObject::connect(list.selectionModel(), &QItemSelectionModel::selectionChanged, [this] {
        if (!settingFromCode_ && multiSelect_ && OnChange) Application.Dispatch([this] { OnChange(this); });
    });
    try {
        ReadFolder();
    } catch (const EInOutError&) {
        // A current folder that cannot be read leaves the new list empty.
    }
}

TFileListBox::~TFileListBox() = default;

void TFileListBox::SetDirectory(const std::string& directory) {
    if (directory.empty() || directory == directory_) return;
    const std::string previous = directory_;
    directory_ = directory;
    try {
        ReadFolder();
    } catch (...) {
        directory_ = previous;
        throw;
    }
}

void TFileListBox::SetMask(const std::string& mask) {
    if (mask == mask_) return;
    mask_ = mask;
    ReadFolder();
}

void TFileListBox::Update() { ReadFolder(); }

void TFileListBox::SetDirectoryFrom(const TFileListBox& source) {
    if (source.mask_ != mask_ || source.directory_ == directory_) {
        SetDirectory(source.directory_);
        return;
    }
    directory_ = source.directory_;
    subfolders_ = source.subfolders_;
    ShowItems(source.items_);
}

void TFileListBox::ReadFolder() {
    const FileMask mask(mask_);
    FolderEntries entries = ReadFolderEntries(directory_, &mask);
    subfolders_ = std::move(entries.subfolders);
    ShowItems(std::move(entries.files));
}

void TFileListBox::ShowItems(std::vector<std::string> names) {
    items_ = std::move(names);
    settingFromCode_ = true;
    List(*this).SetLines(items_);
    List(*this).SetCurrentRow(-1);
    settingFromCode_ = false;
    if (OnRead) OnRead(this);
}

int TFileListBox::ItemIndex() const {
    const LinesView& list = List(*this);
    int row = list.CurrentRow();
    if (row < 0 || row >= Count()) return -1;
    if (!multiSelect_ && !list.IsSelected(row)) return -1;
    return row;
}

void TFileListBox::SetItemIndex(int index) {
    settingFromCode_ = true;
    LinesView& list = List(*this);
    if (index < 0 || index >= Count()) {
        if (!multiSelect_) list.clearSelection();
        list.SetCurrentRow(-1, QItemSelectionModel::NoUpdate);
    } else if (multiSelect_) {
        list.SetCurrentRow(index, QItemSelectionModel::NoUpdate);
    } else {
        list.SetCurrentRow(index);
    }
    settingFromCode_ = false;
}

std::string TFileListBox::FileName() const {
    int index = ItemIndex();
    return index < 0 ? std::string() : IncludeTrailingPathDelimiter(directory_) + items_[static_cast<std::size_t>(index)];
}

void TFileListBox::SetMultiSelect(bool on) {
    multiSelect_ = on;
    List(*this).setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

static void CheckIndex(int index, int count) {
    if (index < 0 || index >= count) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

bool TFileListBox::Selected(int index) const {
    CheckIndex(index, Count());
    return List(*this).IsSelected(index);
}

void TFileListBox::SetSelected(int index, bool selected) {
    CheckIndex(index, Count());
    settingFromCode_ = true;
    List(*this).SetSelected(index, selected);
    settingFromCode_ = false;
}

void TFileListBox::ClearSelection() {
    settingFromCode_ = true;
    List(*this).clearSelection();
    settingFromCode_ = false;
}

int TFileListBox::SelCount() const { return List(*this).SelectedCount(); }

int TFileListBox::ItemHeight() const { return List(*this).RowHeight(); }
void TFileListBox::SetItemHeight(int height) { List(*this).SetRowHeight(height); }

}  // namespace lumvex
