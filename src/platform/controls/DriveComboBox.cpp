#include "platform/controls/FileCtrls.h"

#include <QComboBox>

#include "platform/services/Application.h"

namespace lumvex {

namespace {
QComboBox& Box(const TControl& control) { return *static_cast<QComboBox*>(control.Widget()); }
}  // namespace

// This desktop has one file-system root.
TDriveComboBox::TDriveComboBox(TWinControl* parent) : TWinControl(parent, new QComboBox), roots_{"/"} {
    UseNativeLook();
    QComboBox& box = Box(*this);
    for (const std::string& root : roots_) box.addItem(QString::fromStdString(root));
    box.setCurrentIndex(0);
    QObject::connect(&box, &QComboBox::activated, [this](int index) { Application.Dispatch([&] { Chosen(index); }); });
}

std::string TDriveComboBox::Drive() const {
    int index = Box(*this).currentIndex();
    return index < 0 ? std::string() : roots_[static_cast<std::size_t>(index)];
}

void TDriveComboBox::SetDrive(const std::string& drive) {
    for (std::size_t i = 0; i < roots_.size(); ++i)
        if (roots_[i] == drive) Chosen(static_cast<int>(i));
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) { dirList_ = list; }

void TDriveComboBox::Chosen(int index) {
    Box(*this).setCurrentIndex(index);
    if (dirList_) dirList_->SetDirectory(roots_[static_cast<std::size_t>(index)]);
    if (OnChange) OnChange(this);
}

}  // namespace lumvex
