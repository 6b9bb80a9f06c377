#include "platform/controls/Menus.h"

#include <QActionGroup>
#include <QMenu>

#include "platform/services/Application.h"

namespace lumvex {

TMenuItem::TMenuItem() = default;
TMenuItem::~TMenuItem() = default;

void TMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    if (!checked || !radioItem_ || !parent_) return;
    for (auto& sibling : parent_->items_)
        if (sibling.get() != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->checked_ = false;
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> item) {
    item->parent_ = this;
    items_.push_back(std::move(item));
    return items_.back().get();
}

TMenuItem* TMenuItem::Add(const std::string& caption) {
    auto item = std::make_unique<TMenuItem>();
    item->SetCaption(caption);
    return Add(std::move(item));
}

void TMenuItem::Click() {
    if (autoCheck_) SetChecked(radioItem_ ? true : !checked_);
    if (OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu() = default;
TPopupMenu::~TPopupMenu() = default;

namespace {
void Fill(QMenu& menu, TMenuItem& items) {
    for (int i = 0; i < items.Count(); ++i) {
        TMenuItem* item = items.Items(i);
        if (!item->Visible()) continue;
        if (item->Caption() == "-") {
            menu.addSeparator();
            continue;
        }
        if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(QString::fromStdString(item->Caption()));
            Fill(*sub, *item);
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(item->Caption()));
        action->setEnabled(item->Enabled());
        action->setCheckable(item->Checked() || item->RadioItem() || item->AutoCheck());
        action->setChecked(item->Checked());
        QObject::connect(action, &QAction::triggered, [item] { Application.Dispatch([item] { item->Click(); }); });
    }
}
}  // namespace

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    menu_ = std::make_unique<QMenu>();
    Fill(*menu_, items_);
    menu_->popup(QPoint(x, y));
}

bool TPopupMenu::PoppedUp() const { return menu_ && menu_->isVisible(); }

void TPopupMenu::CloseMenu() {
    if (menu_) menu_->close();
}

}  // namespace lumvex
