#include "components/MorphButton.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/SysUtils.h"
#include "platform/graphics/Icon.h"
#include "platform/services/Application.h"

namespace lumvex {

std::function<void(TPicture&, TPicture&)> TMorphButton::LoadDefaultPictures;

void BlendFrames(const TBitmap& snapshot, const TBitmap& target, TBitmap& display, int alpha) {
    if (snapshot.Width() != display.Width() || snapshot.Height() != display.Height() ||
        target.Width() != display.Width() || target.Height() != display.Height() ||
        snapshot.PixelFormat() != display.PixelFormat() || target.PixelFormat() != display.PixelFormat())
        throw EInvalidGraphicOperation("The frames to blend differ in size or format");
    if (display.Empty()) return;
    const std::uint32_t a = static_cast<std::uint32_t>(std::clamp(alpha, 0, 32));
    const std::uint32_t inv = 32 - a;
    const std::size_t words = static_cast<std::size_t>(display.BytesPerLine()) * display.Height() / 4;
    const std::uint8_t* s = snapshot.ScanLine(0);
    const std::uint8_t* t = target.ScanLine(0);
    std::uint8_t* d = display.ScanLine(0);
    for (std::size_t i = 0; i < words; ++i) {
        std::uint32_t sw, tw;
        std::memcpy(&sw, s + 4 * i, 4);
        std::memcpy(&tw, t + 4 * i, 4);
        // Two channels per multiplication: the masks leave 8 spare bits above
        // each channel, enough for a weight of up to 32.
        const std::uint32_t lo = (((sw & 0x00FF00FF) * inv + (tw & 0x00FF00FF) * a) >> 5) & 0x00FF00FF;
        const std::uint32_t hi = ((((sw & 0xFF00FF00) >> 8) * inv + ((tw & 0xFF00FF00) >> 8) * a) << 3) & 0xFF00FF00;
        const std::uint32_t out = lo | hi;
        std::memcpy(d + 4 * i, &out, 4);
    }
}

TMorphButton::TMorphButton(TWinControl* parent)
    : TCustomControl(parent), pic1_(std::make_unique<TPicture>()), pic2_(std::make_unique<TPicture>()) {
    SetControlStyle(ControlStyle() | csNoStdEvents);
    TFont font = static_cast<const TControl&>(*this).Font();
    font.Color = clWhite;
    SetFont(font);
    SetBounds(Left(), Top(), 89, 27);
    if (LoadDefaultPictures) LoadDefaultPictures(*pic1_, *pic2_);
    HookPictures();
    timer_.SetEnabled(false);
    timer_.SetInterval(1);
    timer_.OnTimer = [this](TObject*) { Tick(); };
    Rebuild();
}

TMorphButton::~TMorphButton() {
    *alive_ = false;
    pic1_->OnChange = nullptr;
    pic2_->OnChange = nullptr;
}

void TMorphButton::HookPictures() {
    pic1_->OnChange = [this] { PictureChanged(); };
    pic2_->OnChange = [this] { PictureChanged(); };
}

void TMorphButton::PictureChanged() {
    if (swapped_ || rebuilding_) return;
    Rebuild();
}

void TMorphButton::SetMorphPic1(const TPicture& picture) { pic1_->Assign(picture.Graphic()); }
void TMorphButton::SetMorphPic2(const TPicture& picture) { pic2_->Assign(picture.Graphic()); }

void TMorphButton::SetTransPic1(bool on) {
    transPic1_ = on;
    Repaint();
}

void TMorphButton::SetTransCol1(TColor color) {
    transCol1_ = color;
    Repaint();
}

// The target frame is never painted itself; its transparency is kept for
// reading only.
void TMorphButton::SetTransPic2(bool on) { transPic2_ = on; }
void TMorphButton::SetTransCol2(TColor color) { transCol2_ = color; }

void TMorphButton::SetMorphColor1(TColor color) {
    if (color == morphColor1_) return;
    morphColor1_ = color;
    displayFill_ = color;
    Rebuild();
}

void TMorphButton::SetMorphColor2(TColor color) {
    if (color == morphColor2_) return;
    morphColor2_ = color;
    targetFill_ = color;
    Rebuild();
}

void TMorphButton::SetStretchToFit(bool on) {
    if (on == stretchToFit_) return;
    stretchToFit_ = on;
    Rebuild();
}

void TMorphButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    Repaint();
}

void TMorphButton::FontChanged() {
    TCustomControl::FontChanged();
    Repaint();
}

void TMorphButton::BoundsChanged() {
    if (!rebuilding_) Rebuild();
}

// Renders a picture over the whole frame; an icon is first drawn at its own
// size on the background colour, and that is stretched.
void TMorphButton::RenderFrame(TBitmap& frame, TColor fill, const TPicture& picture, TColor iconBack, int width,
                               int height) {
    frame.SetPixelFormat(TPixelFormat::pf24bit);
    frame.SetSize(width, height);
    const TGraphic* graphic = picture.Graphic();
    TCanvas& canvas = frame.Canvas();
    if (!graphic || graphic->Empty()) {
        canvas.Brush = TBrush{fill, TBrushStyle::bsSolid};
        canvas.FillRect(Bounds(0, 0, width, height));
        return;
    }
    if (dynamic_cast<const TIcon*>(graphic)) {
        TBitmap back(graphic->Width(), graphic->Height(), TPixelFormat::pf24bit);
        back.Canvas().Brush = TBrush{iconBack, TBrushStyle::bsSolid};
        back.Canvas().FillRect(Bounds(0, 0, back.Width(), back.Height()));
        back.Canvas().Draw(0, 0, *graphic);
        canvas.StretchDraw(Bounds(0, 0, width, height), back);
        return;
    }
    canvas.StretchDraw(Bounds(0, 0, width, height), *graphic);
}

void TMorphButton::Rebuild() {
    if (rebuilding_) return;
    rebuilding_ = true;
    if (swapped_) {
        std::swap(morphColor1_, morphColor2_);
        std::swap(pic1_, pic2_);
        displayFill_ = morphColor1_;
        targetFill_ = morphColor2_;
        swapped_ = false;
        stretchToFit_ = savedStretch_;
    }
    int w = Width();
    int h = Height();
    if (!stretchToFit_) {
        const TPicture& sizer = pic1_->Graphic() ? *pic1_ : *pic2_;
        if (sizer.Graphic()) {
            w = sizer.Width();
            h = sizer.Height();
            SetBounds(Left(), Top(), w, h);
        }
    }
    RenderFrame(display_, displayFill_, *pic1_, morphColor1_, w, h);
    RenderFrame(target_, targetFill_, *pic2_, morphColor2_, w, h);
    snapshot_.SetPixelFormat(TPixelFormat::pf24bit);
    snapshot_.SetSize(w, h);
    rebuilding_ = false;
    Invalidate();
}

// Key-colour pixels are copied too: both frames carry the key colour in the
// same places, so those pixels stay transparent throughout the fade.
void TMorphButton::TakeSnapshot() { snapshot_ = display_; }

void TMorphButton::FadeIn() {
    Rebuild();
    TakeSnapshot();
    position_ = std::clamp(position_, 0, 255);
    state_ = TMorphState::FadingIn;
    timer_.SetEnabled(true);
}

void TMorphButton::FadeOut() {
    // A second leave without an enter between starts from the plain pictures.
    if (swapped_) Rebuild();
    savedStretch_ = stretchToFit_;
    stretchToFit_ = true;
    displayFill_ = morphColor2_;
    targetFill_ = morphColor1_;
    std::swap(morphColor1_, morphColor2_);
    std::swap(pic1_, pic2_);
    Rebuild();
    swapped_ = true;
    TakeSnapshot();
    state_ = TMorphState::FadingOut;
    timer_.SetEnabled(true);
}

void TMorphButton::MouseEnter() {
    FadeIn();
    TCustomControl::MouseEnter();
}

void TMorphButton::MouseLeave() {
    FadeOut();
    TCustomControl::MouseLeave();
}

void TMorphButton::Tick() {
    int alpha = 0;
    switch (state_) {
    case TMorphState::Idle: timer_.SetEnabled(false); return;
    case TMorphState::FadingIn:
        position_ = std::clamp(position_ + morphStep1_, 0, 255);
        alpha = position_ * 32 / 255;
        break;
    case TMorphState::FadingOut:
        position_ = std::clamp(position_ - morphStep2_, 0, 255);
        alpha = (255 - position_) * 32 / 255;
        break;
    }
    if (alpha != 0) BlendFrames(snapshot_, target_, display_, alpha);
    Repaint();
    if (processMsgs_) {
        std::shared_ptr<bool> alive = alive_;
        Application.ProcessMessages();
        if (!*alive) return;
    }
    if (state_ == TMorphState::FadingIn && position_ >= 255) {
        state_ = TMorphState::Idle;
        timer_.SetEnabled(false);
    } else if (state_ == TMorphState::FadingOut && position_ <= 0) {
        Rebuild();
        state_ = TMorphState::Idle;
        timer_.SetEnabled(false);
    }
}

void TMorphButton::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Brush.Style = TBrushStyle::bsClear;
    const TRect frame = Bounds(0, 0, display_.Width(), display_.Height());
    if (transPic1_)
        canvas.DrawTransparent(frame, display_, transCol1_);
    else
        canvas.CopyRect(frame, display_, frame);
    if (!caption_.empty()) {
        const TFont& font = static_cast<const TControl&>(*this).Font();
        canvas.Font = font;
        const int x = Width() / 2 - canvas.TextWidth(caption_) / 2 + 1;
        const int y = Height() / 2 - canvas.TextHeight(caption_) / 2 + 1;
        canvas.Font.Color = clBlack;
        canvas.TextOut(x, y, caption_);
        canvas.Font.Color = font.Color;
        canvas.TextOut(x - 1, y - 1, caption_);
    }
    TCustomControl::Paint();
}

}  // namespace lumvex
