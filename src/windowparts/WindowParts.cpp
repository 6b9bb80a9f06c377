#include "windowparts/WindowParts.h"

#include <algorithm>

#include "platform/services/Screen.h"

namespace lumvex {

void DesignWindow(TForm* window, const std::string& caption, const TRect& bounds, TWindowKind kind) {
    window->SetBorderStyle(bsNone);
    if (kind == TWindowKind::StaysOnTop) window->SetFormStyle(fsStayOnTop);
    window->SetCaption(caption);
    TFont font;
    font.Size = 8;
    window->SetFont(font);
    window->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
}

TImage* CreateTitleBar(TWinControl* window) {
    auto* bar = new TImage(window);
    bar->SetHeight(18);
    bar->SetAlign(alTop);
    bar->SetStretch(true);
    return bar;
}

TLabel* CreateTitle(TWinControl* window, const std::string& caption, int left, int top) {
    auto* title = new TLabel(window);
    TFont font;
    font.Name = "Courier New";
    font.PixelHeight = 11;
    font.Style = fsBold;
    title->SetFont(font);
    title->SetTransparent(true);
    title->SetCaption(caption);
    title->SetLeft(left);
    title->SetTop(top);
    return title;
}

TMorphButton* CreateImageButton(TWinControl* window, int tag, const std::string& hint, int left, int top, int size) {
    auto* button = new TMorphButton(window);
    button->Tag = tag;
    button->SetBounds(left, top, size, size);
    button->SetHint(hint);
    button->SetShowHint(!hint.empty());
    button->SetTransCol1(clFuchsia);
    button->SetTransCol2(clFuchsia);
    button->SetMorphStep1(15);
    button->SetMorphStep2(5);
    return button;
}

TShape* CreateFrame(TWinControl* window, const TRect& bounds) {
    auto* frame = new TShape(window);
    frame->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    frame->Brush().Style = TBrushStyle::bsClear;
    frame->Pen().Style = TPenStyle::psDot;
    return frame;
}

void ResizeToGrip(TForm& window, const TControl& grip, int minWidth, int minHeight) {
    const TPoint p = Mouse.CursorPos();
    const int width = std::max(minWidth, p.X - window.Left() + grip.Width() / 2);
    const int height = std::max(minHeight, p.Y - window.Top() + grip.Height() / 2);
    window.SetBounds(window.Left(), window.Top(), width, height);
}

}  // namespace lumvex
