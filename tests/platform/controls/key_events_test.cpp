// Keys and mouse input reach the handlers as desktop virtual-key codes, shift
// states and client coordinates.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "platform/controls/FileCtrls.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/StdCtrls.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/TestInput.h"

namespace lumvex {
namespace {

using namespace test_input;

struct Key {
    TObject* sender;
    std::uint16_t key;
    TShiftState shift;
};

TEST(KeyEvents, KeysArriveAsVirtualKeyCodes) {
    TForm form;
    std::vector<Key> down;
    form.OnKeyDown = [&](TObject* sender, std::uint16_t& key, TShiftState shift) { down.push_back({sender, key, shift}); };
    const std::vector<std::uint16_t> keys{VK_RETURN, VK_SPACE, VK_BACK, VK_ESCAPE, VK_DELETE, 'A', 'Z', '0', '9',
                                          VK_NUMPAD0, VK_NUMPAD9, VK_ADD, VK_SUBTRACT, VK_DECIMAL, VK_MULTIPLY,
                                          VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_F1, VK_F12, VK_HOME, VK_END,
                                          VK_PRIOR, VK_NEXT};
    for (std::uint16_t key : keys) SendKeyDown(form, key);
    ASSERT_EQ(down.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(down[i].key, keys[i]) << i;
        EXPECT_EQ(down[i].sender, &form);
    }
    down.clear();
    SendKeyDown(form, 'B', ssShift | ssCtrl);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].key, 'B');
    EXPECT_EQ(down[0].shift & (ssShift | ssCtrl | ssAlt), ssShift | ssCtrl);
}

TEST(KeyEvents, KeyPreviewShowsTheFormTheKeysOfItsControlsFirst) {
    TForm form;
    auto* list = new TFileListBox(&form);
    std::vector<std::string> order;
    form.OnKeyDown = [&](TObject* sender, std::uint16_t& key, TShiftState) {
        order.push_back(sender == &form ? "form" : "other");
        if (key == 'X') key = 0;  // swallowed
    };
    list->OnKeyDown = [&](TObject* sender, std::uint16_t&, TShiftState) {
        order.push_back(sender == list ? "list" : "other");
    };
    std::vector<std::uint16_t> released;
    list->OnKeyUp = [&](TObject*, std::uint16_t& key, TShiftState) { released.push_back(key); };

    SendKeyDown(*list, VK_NUMPAD0);
    EXPECT_EQ(order, (std::vector<std::string>{"list"}));
    form.SetKeyPreview(true);
    order.clear();
    SendKey(*list, VK_DECIMAL);
    EXPECT_EQ(order, (std::vector<std::string>{"form", "list"}));
    order.clear();
    SendKeyDown(*list, 'X');
    EXPECT_EQ(order, (std::vector<std::string>{"form"}));
    EXPECT_EQ(released, (std::vector<std::uint16_t>{VK_DECIMAL}));
}

TEST(KeyEvents, KeysThatTypeOrEditTextStayInTheBoxAndTheOthersArePassedOn) {
    TForm form;
    form.SetKeyPreview(true);
    auto* edit = new TEdit(&form);
    auto* schemes = new TComboBox(&form);
    schemes->SetItems({"zöld", "kék"});
    auto* list = new TComboBox(&form);
    list->SetStyle(csDropDownList);
    list->SetItems({"alpha", "beta"});
    auto* readOnly = new TEdit(&form);
    readOnly->SetReadOnly(true);
    std::vector<std::uint16_t> seen, released;
    form.OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) { seen.push_back(key); };
    for (TWinControl* box : std::initializer_list<TWinControl*>{edit, schemes, list, readOnly}) {
        box->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) { seen.push_back(key); };
        box->OnKeyUp = [&](TObject*, std::uint16_t& key, TShiftState) { released.push_back(key); };
    }

    TypeText(*edit, "/usr/bin/gimp B.5");
    EXPECT_EQ(edit->Text(), "/usr/bin/gimp B.5");
    for (std::uint16_t key : {VK_DECIMAL, VK_NUMPAD0, VK_SPACE, VK_BACK, VK_DELETE, VK_RETURN}) SendKey(*edit, key);
    EXPECT_EQ(edit->Text(), "/usr/bin/gimp B.5.0");  // Backspace and Delete at the end take one character
    SendKey(*edit, 'V', ssCtrl);  // paste: edits the text
    EXPECT_TRUE(seen.empty()) << seen.size() << " presses seen, the first " << seen.front();
    // Releases are reported, as the size boxes rely on.
    EXPECT_FALSE(released.empty());

    // Keys that type nothing are passed on as before: the window's keys.
    for (std::uint16_t key : {VK_LEFT, VK_UP, VK_ESCAPE, VK_F1, VK_HOME}) SendKeyDown(*edit, key);
    SendKeyDown(*edit, 'B', ssCtrl);
    EXPECT_EQ(seen, (std::vector<std::uint16_t>{VK_LEFT, VK_LEFT, VK_UP, VK_UP, VK_ESCAPE, VK_ESCAPE, VK_F1, VK_F1,
                                                 VK_HOME, VK_HOME, 'B', 'B'}));

    // The editable scheme box keeps its typing too.
    seen.clear();
    TypeText(*schemes, "bb");
    SendKey(*schemes, VK_RETURN);
    EXPECT_EQ(schemes->Text(), "bb");
    EXPECT_TRUE(seen.empty());

    // A drop-down list keeps typed letters (they choose its entry); it has no
    // text to edit, so Enter is passed on. A read-only box keeps nothing.
    TypeText(*list, "b");
    EXPECT_EQ(list->Text(), "beta");
    SendKeyDown(*list, VK_RETURN);
    TypeText(*readOnly, "b");
    EXPECT_EQ(readOnly->Text(), "");
    EXPECT_EQ(seen, (std::vector<std::uint16_t>{VK_RETURN, VK_RETURN, 'B', 'B'}));
}

TEST(KeyEvents, MouseEventsCarryButtonShiftAndClientPosition) {
    TForm form;
    form.SetBounds(100, 100, 300, 200);
    auto* image = new TImage(&form);
    image->SetBounds(50, 40, 100, 80);
    auto* label = new TLabel(&form);
    label->SetBounds(60, 50, 30, 20);
    struct Press {
        TObject* sender;
        TMouseButton button;
        TShiftState shift;
        int x, y;
    };
    std::vector<Press> presses;
    std::vector<Press> moves;
    int formPresses = 0, clicks = 0;
    image->OnMouseDown = [&](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { presses.push_back({s, b, sh, x, y}); };
    image->OnMouseMove = [&](TObject* s, TShiftState sh, int x, int y) { moves.push_back({s, mbLeft, sh, x, y}); };
    image->OnClick = [&](TObject*) { ++clicks; };
    form.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++formPresses; };

    SendMouseDown(*image, mbRight, 7, 9, ssShift);
    SendMouseMove(*image, 8, 10, ssLeft);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].sender, image);
    EXPECT_EQ(presses[0].button, mbRight);
    EXPECT_TRUE(presses[0].shift & ssShift);
    EXPECT_TRUE(presses[0].shift & ssRight);
    EXPECT_EQ(presses[0].x, 7);
    EXPECT_EQ(presses[0].y, 9);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_TRUE(moves[0].shift & ssLeft);
    EXPECT_EQ(moves[0].x, 8);
    // The image took the press; it does not bubble up to the form.
    EXPECT_EQ(formPresses, 0);

    // A click is a left press and release inside the control; a release
    // outside it is no click.
    SendClick(*image, 5, 5);
    SendMouseDown(*image, mbLeft, 5, 5);
    SendMouseUp(*image, mbLeft, 500, 5);
    EXPECT_EQ(clicks, 1);

    // The label above the image takes the input at its place.
    int labelMoves = 0;
    label->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
        ++labelMoves;
        EXPECT_EQ(x, 3);
        EXPECT_EQ(y, 4);
    };
    SendMouseMove(*label, 3, 4);
    EXPECT_EQ(labelMoves, 1);
    EXPECT_EQ(image->ClientToScreen({0, 0}).X - form.ClientToScreen({0, 0}).X, 50);
    EXPECT_EQ(image->ScreenToClient(image->ClientToScreen({3, 4})), (TPoint{3, 4}));
}

}  // namespace
}  // namespace lumvex
