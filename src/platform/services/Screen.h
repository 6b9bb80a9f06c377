#pragma once
// The desktop: its size, the active form and the mouse position, each with a
// seam for tests (a fixed screen, a fixed mouse position).
#include <optional>
#include <vector>

#include "platform/Types.h"
#include "platform/controls/ControlTypes.h"

namespace lumvex {

class TForm;

class TScreen {
public:
    int Width() const;
    int Height() const;
    // The program's form that holds the keyboard focus, or nullptr.
    TForm* ActiveForm() const;
    // Every form that exists, in creation order.
    const std::vector<TForm*>& Forms() const { return forms_; }

    // The cursor over every window of the program (the busy cursor of long
    // work); crDefault gives each control its own cursor back.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    // Tests: a fixed desktop size; std::nullopt restores the real one.
    void SetTestSize(std::optional<TPoint> size) { testSize_ = size; }

    // Platform-internal: forms register themselves.
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

private:
    std::optional<TPoint> testSize_;
    std::vector<TForm*> forms_;
    TCursor cursor_ = crDefault;
};

class TMouse {
public:
    // The mouse cursor's position on the screen.
    TPoint CursorPos() const;
    // Tests: a fixed cursor position; std::nullopt restores the real one.
    void SetTestCursorPos(std::optional<TPoint> pos) { testPos_ = pos; }

private:
    std::optional<TPoint> testPos_;
};

extern TScreen Screen;
extern TMouse Mouse;

}  // namespace lumvex
