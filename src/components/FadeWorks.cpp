#include "components/FadeWorks.h"

#include <cmath>

namespace lumvex {

TFadeWorks::TFadeWorks(TForm* owner) {
    timer_.SetEnabled(false);
    timer_.SetInterval(1);
    timer_.OnTimer = [this](TObject*) { Tick(); };
    SetWindowHandle(owner);
    creating_ = false;
}

void TFadeWorks::SetWindowHandle(TForm* window) {
    if (!window || window == window_) return;
    window_ = window;
    window_->SetAlphaBlend(true);
    current_ = 25500;
    Apply(255);
}

void TFadeWorks::SetBlendValue(std::uint8_t value) {
    if (value * 100 == current_) return;
    current_ = static_cast<std::uint16_t>(value * 100);
    if (window_) window_->SetAlphaBlendValue(value);
}

// The constructor makes no opacity change of its own: the window's first
// opacity is the blend value its design sets.
void TFadeWorks::Apply(std::uint8_t alpha) {
    if (window_ && !creating_) window_->SetAlphaBlendValue(alpha);
}

void TFadeWorks::FadeIn(std::uint8_t target) {
    target_ = target;
    Apply(0);
    current_ = 0;
    increment_ = static_cast<int>(std::nearbyint(target * 100.0 / steps_));
    timer_.SetEnabled(true);
}

// A step that rounds to 0 (a low target over many steps) would never arrive:
// such a fade ends at its first tick.
void TFadeWorks::Tick() {
    if (increment_ > 0 && (current_ + increment_) / 100 < target_) {
        current_ = static_cast<std::uint16_t>(current_ + increment_);
        Apply(static_cast<std::uint8_t>(current_ / 100));
        return;
    }
    Apply(target_);
    timer_.SetEnabled(false);
    current_ = static_cast<std::uint16_t>(target_ * 100);
    if (OnFadeInEnd)
        OnFadeInEnd(this);
    else if (OnFadeEnd)
        OnFadeEnd(this);
}

}  // namespace lumvex
