#pragma once
// Cooperative cancellation of background work: the user-interface thread
// cancels, the worker looks at the token between pictures and inside a long
// decode and leaves by raising ECancelled.
#include <atomic>

#include "platform/SysUtils.h"

namespace lumvex {

class ECancelled : public Exception {
public:
    ECancelled() : Exception("The work was cancelled") {}
};

class TCancelToken {
public:
    bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
    void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    void ThrowIfCancelled() const {
        if (Cancelled()) throw ECancelled();
    }

private:
    std::atomic<bool> cancelled_{false};
};

}  // namespace lumvex
