#include "platform/controls/FileCtrls.h"

#include <QComboBox>

#include "platform/services/Application.h"

namespace lumvex {

namespace {
QComboBox& Box(const TControl& control) { return *static_cast<QComboBox*>(control.Widget()); }
}  // namespace

TFilterComboBox::TFilterComboBox(TWinControl* parent) : TWinControl(parent, new QComboBox) {
    UseNativeLook();
    QObject::connect(&Box(*this), &QComboBox::activated,
                     [this](int index) { Application.Dispatch([&] { Chosen(index); }); });
    SetFilter("All files (*.*)|*.*");
}

// "shown|mask|shown|mask"; a shown text without its mask is dropped.
void TFilterComboBox::SetFilter(const std::string& filter) {
    filter_ = filter;
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    masks_.clear();
    QComboBox& box = Box(*this);
    const QSignalBlocker block(box);
    box.clear();
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        box.addItem(QString::fromStdString(parts[i]));
        masks_.push_back(parts[i + 1]);
    }
    SetItemIndex(masks_.empty() ? -1 : 0);
}

std::string TFilterComboBox::Mask() const {
    int index = ItemIndex();
    return index < 0 ? std::string("*.*") : masks_[static_cast<std::size_t>(index)];
}

int TFilterComboBox::ItemIndex() const { return Box(*this).currentIndex(); }

void TFilterComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(masks_.size())) index = -1;
    const QSignalBlocker block(Box(*this));
    Box(*this).setCurrentIndex(index);
    if (fileList_) fileList_->SetMask(Mask());
}

std::vector<std::string> TFilterComboBox::Items() const {
    std::vector<std::string> items;
    const QComboBox& box = Box(*this);
    for (int i = 0; i < box.count(); ++i) items.push_back(box.itemText(i).toStdString());
    return items;
}

void TFilterComboBox::SetFileList(TFileListBox* list) {
    fileList_ = list;
    if (fileList_) fileList_->SetMask(Mask());
}

void TFilterComboBox::Chosen(int index) {
    SetItemIndex(index);
    if (OnChange) OnChange(this);
}

}  // namespace lumvex
