#pragma once
// A progress gauge: a framed, opaque control that shows how far an operation
// has come as a filled bar (or a pie, or a needle) with the percentage written
// over it in the inverse of whatever lies beneath.
#include <cstdint>

#include "platform/SysUtils.h"
#include "platform/controls/Control.h"
#include "platform/controls/Form.h"
#include "platform/graphics/Bitmap.h"

namespace lumvex {

enum TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// A range whose maximum would fall below its minimum.
class EGaugeRangeError : public Exception {
    using Exception::Exception;
};

// A work bitmap that can take another bitmap's size in one step.
class TBltBitmap : public TBitmap {
public:
    using TBitmap::TBitmap;
    // The desktop's window-frame colour.
    static constexpr TColor WindowFrameColor = clBlack;
    // Takes the template's width and height and fills itself with the
    // window-frame colour.
    void MakeLike(const TBitmap& templ);
};

class TGauge : public TCustomControl {
public:
    // 100 x 100 pixels, in the parent's font.
    explicit TGauge(TWinControl* parent);

    int MinValue() const { return minValue_; }
    // Raises EGaugeRangeError when value is above MaxValue (except while loading).
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    // Raises EGaugeRangeError when value is below MinValue (except while loading).
    void SetMaxValue(int value);
    int Progress() const { return progress_; }
    // Clamped into MinValue .. MaxValue.
    void SetProgress(int value);
    // 0 when the range is empty, else the whole percent of the range done.
    int PercentDone() const;

    TGaugeKind Kind() const { return kind_; }
    void SetKind(TGaugeKind kind);
    bool ShowText() const { return showText_; }
    void SetShowText(bool on);
    // bsNone or bsSingle (a 1-pixel black frame).
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TColor ForeColor() const { return foreColor_; }
    void SetForeColor(TColor color);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color);

    // While the stored design of a window is applied, the range may pass
    // through states where the maximum is below the minimum.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    // The control's look, as Paint puts it on the screen.
    TBitmap PaintImage() const;

protected:
    void Paint() override;

private:
    template <class T>
    void Change(T& field, T value);
    TRect PaintRect() const;
    void PaintKind(TCanvas& canvas, const TRect& rect) const;
    void PaintText(TBitmap& image, const TRect& rect) const;

    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 0;
    TGaugeKind kind_ = gkHorizontalBar;
    bool showText_ = true;
    TFormBorderStyle borderStyle_ = bsSingle;
    TColor foreColor_ = clBlack;
    TColor backColor_ = clWhite;
    bool loading_ = false;
};

}  // namespace lumvex
