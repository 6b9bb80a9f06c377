// Labels, check and radio boxes, combo boxes, edit boxes, up-down buttons
// and the scroll box behave as the windows rely on.
#include <gtest/gtest.h>

#include "platform/controls/Form.h"
#include "platform/controls/Label.h"
#include "platform/controls/ScrollBox.h"
#include "platform/controls/StdCtrls.h"
#include "platform/services/TestInput.h"

namespace lumvex {
namespace {

TEST(LabelTest, AutoSizeFollowsCaptionAndFontAndKeepsTheAlignedEdge) {
    TForm form;
    auto* label = new TLabel(&form);
    label->SetBounds(100, 10, 50, 14);
    label->SetCaption("Lumvex");
    const int narrow = label->Width();
    EXPECT_GT(narrow, 0);
    label->SetCaption("Lumvex - a longer title");
    EXPECT_GT(label->Width(), narrow);

    // A change made through Font() shows once the handler has returned.
    const int before = label->Height();
    label->Font().PixelHeight = 40;
    test_input::ProcessEventsFor(10);
    EXPECT_GT(label->Height(), before);

    auto* right = new TLabel(&form);
    right->SetAlignment(taRightJustify);
    right->SetBounds(10, 40, 100, 14);
    right->SetCaption("x");
    EXPECT_EQ(right->Left() + right->Width(), 110);

    auto* fixed = new TLabel(&form);
    fixed->SetAutoSize(false);
    fixed->SetBounds(0, 0, 169, 17);
    fixed->SetCaption("/a/very/long/path/that/does/not/fit/in/the/box.jpg");
    EXPECT_EQ(fixed->Width(), 169);
}

TEST(StandardControlsTest, CheckAndRadioBoxesReportChangesAsClicks) {
    TForm form;
    auto* check = new TCheckBox(&form);
    int clicks = 0;
    check->OnClick = [&](TObject*) { ++clicks; };
    check->SetChecked(true);
    check->SetChecked(true);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(clicks, 1);

    // A click of the mouse is one click, not one for the press and release
    // and one for the change.
    test_input::SendClick(*check, 5, 5);
    EXPECT_FALSE(check->Checked());
    EXPECT_EQ(clicks, 2);

    auto* a = new TRadioButton(&form);
    auto* b = new TRadioButton(&form);
    int radioClicks = 0;
    b->OnClick = [&](TObject*) { ++radioClicks; };
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    test_input::SendClick(*b, 5, 5);
    EXPECT_EQ(radioClicks, 1);
}

TEST(StandardControlsTest, ComboBoxIndexFromCodeIsQuietAndTextFollowsIt) {
    TForm form;
    auto* combo = new TComboBox(&form);
    combo->SetStyle(csDropDownList);
    combo->SetItems({"Zöld", "Kék", "Piros"});
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "Kék");
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(changes, 0);
}

TEST(StandardControlsTest, UpDownStaysInRangeAndShowsItsPositionInTheEdit) {
    TForm form;
    auto* edit = new TEdit(&form);
    auto* updown = new TUpDown(&form);
    updown->SetMin(1);
    updown->SetMax(3);
    updown->SetAssociate(edit);
    int changes = 0;
    updown->OnChange = [&](TObject*) { ++changes; };
    updown->StepUp();
    updown->StepUp();
    updown->StepUp();
    EXPECT_EQ(updown->Position(), 3);
    EXPECT_EQ(edit->Text(), "3");
    EXPECT_EQ(changes, 2);
}

TEST(StandardControlsTest, ScrollBoxScrollsOverItsChildrensExtent) {
    TForm form;
    auto* box = new TScrollBox(&form);
    box->SetBounds(0, 0, 100, 100);
    form.SetBounds(0, 0, 100, 100);
    form.Show();
    auto* far = new TLabel(box);
    far->SetAutoSize(false);
    far->SetBounds(0, 500, 50, 20);
    test_input::ProcessEventsFor(10);
    EXPECT_GT(box->VertScrollBar().Range(), 400);
    box->VertScrollBar().SetPosition(100);
    EXPECT_EQ(box->VertScrollBar().Position(), 100);
}

}  // namespace
}  // namespace lumvex
