#pragma once
// A scrolling area: its children stand on a surface as large as their
// extent, and the scroll bars show what does not fit.
#include <memory>

#include "platform/controls/Control.h"

namespace lumvex {

class TScrollBox;

class TControlScrollBar {
public:
    int Position() const;
    void SetPosition(int position);
    int Range() const;  // the largest position
    // A hidden bar never shows, whatever the children's extent.
    bool Visible() const;
    void SetVisible(bool visible);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

private:
    friend class TScrollBox;
    TControlScrollBar(TScrollBox& box, bool vertical) : box_(box), vertical_(vertical) {}
    TScrollBox& box_;
    bool vertical_;
    TColor color_ = clSilver;
};

class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TWinControl* parent);
    ~TScrollBox() override;

    TControlScrollBar& HorzScrollBar() { return horz_; }
    TControlScrollBar& VertScrollBar() { return vert_; }
    void SetColor(TColor color) override;
    // Scrolls so that the control is in view.
    void ScrollInView(TControl* control);

    QWidget* ClientWidget() const override;
    // The visible part of the area: less the scroll bars that show.
    int ClientWidth() const override;
    int ClientHeight() const override;

    // The visible part changed size: the box was resized, or a scroll bar
    // came or went.
    TNotifyEvent OnClientResize;

private:
    friend class TControlScrollBar;
    void ApplyScrollBarColors();
    struct Impl;
    std::unique_ptr<Impl> impl_;
    TControlScrollBar horz_{*this, false};
    TControlScrollBar vert_{*this, true};
};

}  // namespace lumvex
