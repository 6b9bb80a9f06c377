#pragma once
// Makes a window translucent: sets its opacity at once, or fades it in from
// transparent to a target opacity over a number of timer ticks.
#include <cstdint>

#include "platform/Classes.h"
#include "platform/controls/Form.h"
#include "platform/controls/Timer.h"

namespace lumvex {

class TFadeWorks : public TObject {
public:
    explicit TFadeWorks(TForm* owner);

    // The window's opacity, 0 (transparent) to 255 (opaque); set at once.
    std::uint8_t BlendValue() const { return static_cast<std::uint8_t>(current_ / 100); }
    void SetBlendValue(std::uint8_t value);

    // Ticks a fade-in takes; at least 1.
    std::uint16_t Steps() const { return steps_; }
    void SetSteps(std::uint16_t steps) { steps_ = steps == 0 ? 1 : steps; }

    // The window being faded; another window is made layered and opaque.
    TForm* WindowHandle() const { return window_; }
    void SetWindowHandle(TForm* window);

    // From transparent to target over Steps ticks of a 1 ms timer.
    void FadeIn(std::uint8_t target);
    // One tick of a fade, as the timer runs it.
    void Tick();
    bool Fading() const { return timer_.Enabled(); }

    TNotifyEvent OnFadeEnd;    // at the end of a fade when OnFadeInEnd is not set
    TNotifyEvent OnFadeInEnd;  // at the end of a fade-in
    TNotifyEvent OnFadeOutEnd; // kept for the stored windows; nothing fades out

private:
    void Apply(std::uint8_t alpha);

    TForm* window_ = nullptr;
    std::uint16_t current_ = 25500;  // opacity x 100
    std::uint8_t target_ = 255;
    int increment_ = 0;              // per tick, x 100
    std::uint16_t steps_ = 20;
    bool creating_ = true;
    TTimer timer_;
};

}  // namespace lumvex
