#include "platform/controls/Timer.h"

#include <QTimer>

#include "platform/services/Application.h"

namespace lumvex {

struct TTimer::Impl {
    QTimer* timer = new QTimer;
    // Shared with the running tick, which outlives a timer destroyed inside it.
    // Ticks may nest when a handler processes pending messages.
    std::shared_ptr<int> ticking = std::make_shared<int>(0);
};

TTimer::TTimer() : impl_(std::make_unique<Impl>()) {
    impl_->timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(impl_->timer, &QTimer::timeout, [this, ticking = impl_->ticking] {
        if (!OnTimer) return;
        ++*ticking;
        Application.Dispatch([this] { OnTimer(this); });
        --*ticking;  // `this` may be gone by now
    });
    Update();
}

// A timer may be destroyed by its own OnTimer: the Qt timer then goes once
// its signal has returned.
TTimer::~TTimer() {
    impl_->timer->stop();
    if (*impl_->ticking > 0)
        impl_->timer->deleteLater();
    else
        delete impl_->timer;
}

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
        impl_->timer->start(static_cast<int>(interval_));
    else
        impl_->timer->stop();
}

}  // namespace lumvex
