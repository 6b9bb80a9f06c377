#include "platform/controls/Label.h"

#include <QFontMetrics>

#include "platform/graphics/QtBridge.h"

namespace lumvex {

TLabel::TLabel(TWinControl* parent) : TCustomControl(parent) { AdjustSize(); }

void TLabel::SetCaption(const std::string& caption) {
    caption_ = caption;
    AdjustSize();
    Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
}

void TLabel::SetAutoSize(bool on) {
    autoSize_ = on;
    AdjustSize();
}

void TLabel::SetWordWrap(bool on) {
    wordWrap_ = on;
    Invalidate();
}

void TLabel::FontChanged() {
    AdjustSize();
    TCustomControl::FontChanged();
}

// A right-aligned label keeps its right edge, a centred one its middle.
void TLabel::AdjustSize() {
    if (!autoSize_) return;
    const TControl& self = *this;
    QFontMetrics metrics(ToQFont(self.Font()));
    int w = metrics.horizontalAdvance(QString::fromStdString(caption_));
    int h = metrics.height();
    int left = Left();
    if (alignment_ == taRightJustify) left += Width() - w;
    if (alignment_ == taCenter) left += (Width() - w) / 2;
    SetBounds(left, Top(), w, h);
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    if (!transparent_) canvas.FillRect(ClientRect());
    canvas.Brush.Style = TBrushStyle::bsClear;
    if (wordWrap_) {
        canvas.TextRectWrapped(ClientRect(), caption_);
        TCustomControl::Paint();
        return;
    }
    int w = canvas.TextWidth(caption_);
    int x = alignment_ == taRightJustify ? Width() - w : alignment_ == taCenter ? (Width() - w) / 2 : 0;
    canvas.TextOut(x, 0, caption_);
    TCustomControl::Paint();
}

}  // namespace lumvex
