#include <gtest/gtest.h>

#include "platform/controls/Menus.h"

namespace lumvex {
namespace {

TEST(PopupMenuTest, CheckingARadioItemClearsItsGroupOnly) {
    TPopupMenu menu;
    TMenuItem* modes[4];
    for (int i = 0; i < 4; ++i) {
        modes[i] = menu.Items().Add("mode " + std::to_string(i));
        modes[i]->SetRadioItem(true);
        modes[i]->SetGroupIndex(1);
        modes[i]->Tag = i;
    }
    TMenuItem* other = menu.Items().Add("other");
    other->SetRadioItem(true);
    other->SetGroupIndex(2);
    other->SetChecked(true);

    modes[2]->SetChecked(true);
    modes[0]->SetChecked(true);
    EXPECT_TRUE(modes[0]->Checked());
    EXPECT_FALSE(modes[2]->Checked());
    EXPECT_TRUE(other->Checked());
}

TEST(PopupMenuTest, ChoosingAnItemChecksItWhenAutoCheckAndRunsOnClick) {
    TPopupMenu menu;
    TMenuItem* a = menu.Items().Add("a");
    TMenuItem* b = menu.Items().Add("b");
    for (TMenuItem* item : {a, b}) {
        item->SetRadioItem(true);
        item->SetAutoCheck(true);
    }
    a->SetChecked(true);
    int chosen = -1;
    b->Tag = 7;
    b->OnClick = [&](TObject* sender) { chosen = sender->Tag; };
    b->Click();
    EXPECT_EQ(chosen, 7);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
}

TEST(PopupMenuTest, PopsUpAndCloses) {
    TPopupMenu menu;
    menu.Items().Add("only");
    int popups = 0;
    menu.OnPopup = [&](TObject*) { ++popups; };
    menu.Popup(10, 10);
    EXPECT_TRUE(menu.PoppedUp());
    menu.CloseMenu();
    EXPECT_FALSE(menu.PoppedUp());
    EXPECT_EQ(popups, 1);
}

}  // namespace
}  // namespace lumvex
