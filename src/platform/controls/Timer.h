#pragma once
// A message-loop timer: OnTimer runs on the user-interface thread through the
// application's dispatcher every Interval milliseconds while Enabled.
#include <memory>

#include "platform/Classes.h"

namespace lumvex {

class TTimer : public TObject {
public:
    TTimer();
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);

    TNotifyEvent OnTimer;

private:
    void Update();
    struct Impl;
    std::unique_ptr<Impl> impl_;
    bool enabled_ = true;
    unsigned interval_ = 1000;
};

}  // namespace lumvex
