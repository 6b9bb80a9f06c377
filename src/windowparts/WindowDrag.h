#pragma once
// Moving a borderless window by dragging its background: the first move with
// the left button down remembers the mouse position, each further move shifts
// the window by the difference, and the first move without the button ends it.
#include "platform/controls/Form.h"

namespace lumvex {

class WindowDrag {
public:
    // True when the window was moved. A window that may not move now (a
    // full-screen one, say) passes movable false.
    bool MouseMove(TForm& window, TShiftState shift, int x, int y, bool movable = true) {
        if ((shift & ssLeft) && movable && window.WindowState() == wsNormal) {
            if (!dragging_) {
                dragging_ = true;
                originX_ = x;
                originY_ = y;
            }
            window.SetBounds(window.Left() + x - originX_, window.Top() + y - originY_, window.Width(),
                             window.Height());
            return true;
        }
        if (!(shift & ssLeft)) dragging_ = false;
        return false;
    }

    bool Dragging() const { return dragging_; }

private:
    bool dragging_ = false;
    int originX_ = 0;
    int originY_ = 0;
};

}  // namespace lumvex
