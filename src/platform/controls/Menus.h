#pragma once
// Pop-up menus and their items. Items belong to the item or menu they were
// added to; checking a radio item clears the others of its group.
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"

class QMenu;

namespace lumvex {

class TMenuItem : public TObject {
public:
    TMenuItem();
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the other radio items of the same
    // GroupIndex under the same parent.
    void SetChecked(bool checked);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool on) { radioItem_ = on; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    // Choosing the item checks it (a radio item) or flips its check.
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool on) { autoCheck_ = on; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }

    // Takes ownership of item.
    TMenuItem* Add(std::unique_ptr<TMenuItem> item);
    // A new item with the caption, added at the end.
    TMenuItem* Add(const std::string& caption);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index).get(); }
    TMenuItem* Parent() const { return parent_; }

    // Chooses the item as the user would: AutoCheck, then OnClick.
    void Click();

    TNotifyEvent OnClick;

private:
    std::string caption_;
    bool checked_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool autoCheck_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    TMenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<TMenuItem>> items_;
};

class TPopupMenu : public TObject {
public:
    TPopupMenu();
    ~TPopupMenu() override;

    TMenuItem& Items() { return items_; }
    // Shows the menu with its top-left corner at the screen point; returns
    // at once, the chosen item's OnClick runs later.
    void Popup(int x, int y);
    // The menu of the last Popup is still open.
    bool PoppedUp() const;
    void CloseMenu();

    TNotifyEvent OnPopup;

private:
    TMenuItem items_;
    std::unique_ptr<QMenu> menu_;
};

}  // namespace lumvex
