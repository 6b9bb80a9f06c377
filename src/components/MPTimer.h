#pragma once
// A pool of software triggers served by one platform timer: the master timer
// runs at the shortest interval any enabled trigger needs (never below 55 ms),
// and each tick fires the triggers that are due, up to 23 ms early.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Classes.h"

namespace lumvex {

class TMPTimerPool;
class TTimer;

// Sender, the trigger's handle (-1 for the pool's own tick), milliseconds since
// the trigger last fired, milliseconds since it was created.
using TMPTriggerEvent =
    std::function<void(TMPTimerPool& sender, int handle, int intervalTicks, int elapsedTicks)>;
// Sender, handle, the Enabled value asked for; clearing allow refuses the change.
using TMPEnablingEvent = std::function<void(TObject& sender, int handle, bool enabled, bool& allow)>;

inline constexpr int MinTriggerInterval = 55;
inline constexpr int TriggerEarliness = 23;

class TTrigger : public TObject {
public:
    TTrigger(TMPTimerPool& pool, int handle);

    int Handle() const { return handle_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    // Firings left; -1 is unlimited. Setting 0 disables the trigger.
    int Count() const { return count_; }
    void SetCount(int count);
    std::uint32_t LastTick() const { return lastTick_; }
    std::uint32_t StartTick() const { return startTick_; }

    TMPTriggerEvent OnTrigger;
    TMPEnablingEvent OnEnabling;

private:
    friend class TMPTimerPool;
    void Fire(std::uint32_t now);
    void Reschedule();

    TMPTimerPool* pool_;  // cleared when the pool lets the trigger go
    int handle_;
    bool enabled_ = false;
    int interval_ = MinTriggerInterval;
    int count_ = -1;
    std::uint32_t lastTick_;
    std::uint32_t startTick_;
};

class TMPTimerPool : public TObject {
public:
    TMPTimerPool();
    ~TMPTimerPool() override;
    TMPTimerPool(const TMPTimerPool&) = delete;
    TMPTimerPool& operator=(const TMPTimerPool&) = delete;

    // The Enabled value new triggers take.
    bool DefEnabled = true;
    // Called after every tick with handle -1 and both tick values 0.
    TMPTriggerEvent OnAllTriggers;

    // Returns the new trigger's handle: the smallest one not in use.
    int AddTrigger(int interval, int count, TMPTriggerEvent handler);
    void RemoveTrigger(int handle);
    void SetTriggerEnabled(int handle, bool enabled);
    void SetTriggerInterval(int handle, int milliseconds);
    // Raises EListError "Invalid trigger handle %d" for a handle not in use.
    TTrigger& Trigger(int handle) const;
    int TriggerCount() const { return static_cast<int>(triggers_.size()); }

    // The master timer, or nullptr while no trigger is enabled.
    const TTimer* MasterTimer() const { return master_.get(); }
    // One tick of the master timer: fires every enabled trigger that is due.
    void Tick();

private:
    friend class TTrigger;
    void Reschedule();

    // Shared with the triggers a running tick holds, so that a handler may
    // remove its own trigger or the whole pool.
    std::vector<std::shared_ptr<TTrigger>> triggers_;
    std::unique_ptr<TTimer> master_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace lumvex
