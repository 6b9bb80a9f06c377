#pragma once
// A plain area in its colour with an optional bevel and a centred caption;
// holds other controls.
#include <string>

#include "platform/controls/Control.h"

namespace lumvex {

enum TPanelBevel { bvNone, bvLowered, bvRaised };

// A panel's face: rect filled with the canvas's brush, framed by the bevel.
void PaintPanelFace(TCanvas& canvas, const TRect& rect, TPanelBevel bevel);

class TPanel : public TCustomControl {
public:
    explicit TPanel(TWinControl* parent);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);

protected:
    void Paint() override;

private:
    std::string caption_;
    TPanelBevel bevelOuter_ = bvRaised;
};

}  // namespace lumvex
