#pragma once
// A line of text in the control's font.
#include <string>

#include "platform/controls/Control.h"

namespace lumvex {

class TLabel : public TCustomControl {
public:
    explicit TLabel(TWinControl* parent);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // The background (Color) is not painted.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // The label takes its text's size whenever caption or font change.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

    // Long captions break into lines at spaces to fit the width.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);

protected:
    void Paint() override;
    void FontChanged() override;

private:
    void AdjustSize();

    std::string caption_;
    TAlignment alignment_ = taLeftJustify;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool wordWrap_ = false;
};

}  // namespace lumvex
