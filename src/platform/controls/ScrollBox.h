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
    int ClientWidth() const override;
    int ClientHeight() const override;

private:
    friend class TControlScrollBar;
    void ApplyScrollBarColors();
    struct Impl;
    std::unique_ptr<Impl> impl_;
    TControlScrollBar horz_{*this, false};
    TControlScrollBar vert_{*this, true};
};

}  // namespace lumvex
