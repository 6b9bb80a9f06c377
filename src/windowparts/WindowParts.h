#pragma once
// The parts every window is built from: the title bar image, the title, the
// image buttons with the program's glyph settings, and the dotted frame.
#include <cstdint>
#include <string>

#include "components/MorphButton.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Shape.h"
#include "platform/controls/ControlTypes.h"
#include "platform/controls/Form.h"

namespace lumvex {

// A borderless window of the program with its caption, its 8-point font and
// its design bounds; tool windows stay on top.
enum class TWindowKind { Normal, StaysOnTop };
void DesignWindow(TForm* window, const std::string& caption, const TRect& bounds,
                  TWindowKind kind = TWindowKind::Normal);

// An 18-pixel title bar image aligned to the top of the window.
TImage* CreateTitleBar(TWinControl* window);
// A title in "Courier New" 11 pixels bold, transparent.
TLabel* CreateTitle(TWinControl* window, const std::string& caption, int left, int top);
// An image button: fuchsia transparent in both glyphs, morph steps 15 and 5.
TMorphButton* CreateImageButton(TWinControl* window, int tag, const std::string& hint, int left, int top,
                                int size = 16);
// The frame of a window's body: a dotted pen and a clear brush.
TShape* CreateFrame(TWinControl* window, const TRect& bounds);

// A size grip being dragged: the window's bottom-right corner follows the
// mouse (the grip's centre under it), no smaller than the minimum.
void ResizeToGrip(TForm& window, const TControl& grip, int minWidth, int minHeight);

// A key handler that hands the key press to the window's own FormKeyDown;
// every window binds it to itself and its focusable controls.
template <class Window>
TKeyEvent KeysTo(Window* window) {
    return [window](TObject* sender, std::uint16_t& key, TShiftState shift) {
        window->FormKeyDown(sender, key, shift);
    };
}

}  // namespace lumvex
