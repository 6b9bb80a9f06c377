#include "platform/controls/Timer.h"

#include <QTimer>

#include "platform/services/Application.h"

namespace lumvex {

struct TTimer::Impl {
    QTimer timer;
};

TTimer::TTimer() : impl_(std::make_unique<Impl>()) {
    impl_->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&impl_->timer, &QTimer::timeout, [this] {
        if (OnTimer) Application.Dispatch([this] { OnTimer(this); });
    });
    Update();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(unsigned interval) {
    interval_ = interval;
    Update();
}

// Like the desktop's timers: an interval of 0 means stopped.
void TTimer::Update() {
    if (enabled_ && interval_ > 0)
        impl_->timer.start(static_cast<int>(interval_));
    else
        impl_->timer.stop();
}

}  // namespace lumvex
