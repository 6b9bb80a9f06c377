#include "components/MPTimer.h"

#include <algorithm>
#include <climits>

#include "platform/SysUtils.h"
#include "platform/controls/Timer.h"
#include "platform/services/Ticks.h"

namespace lumvex {

TTrigger::TTrigger(TMPTimerPool& pool, int handle)
    : pool_(&pool), handle_(handle), enabled_(pool.DefEnabled), lastTick_(GetTickCount()), startTick_(lastTick_) {}

void TTrigger::Reschedule() {
    if (pool_) pool_->Reschedule();
}

void TTrigger::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    bool allow = true;
    if (OnEnabling) OnEnabling(*this, handle_, enabled, allow);
    if (!allow) return;
    enabled_ = enabled;
    Reschedule();
}

void TTrigger::SetInterval(int milliseconds) {
    interval_ = std::max(milliseconds, MinTriggerInterval);
    Reschedule();
}

void TTrigger::SetCount(int count) {
    if (count == 0) {
        count_ = -1;
        SetEnabled(false);
    } else {
        count_ = count;
    }
}

void TTrigger::Fire(std::uint32_t now) {
    if (OnTrigger && pool_)
        OnTrigger(*pool_, handle_, static_cast<int>(now - lastTick_), static_cast<int>(now - startTick_));
    lastTick_ = now;
    if (count_ > 0 && --count_ == 0) SetCount(0);
}

TMPTimerPool::TMPTimerPool() = default;

TMPTimerPool::~TMPTimerPool() {
    *alive_ = false;
    for (auto& trigger : triggers_) trigger->pool_ = nullptr;
}

int TMPTimerPool::AddTrigger(int interval, int count, TMPTriggerEvent handler) {
    std::vector<int> used;
    for (auto& trigger : triggers_) used.push_back(trigger->handle_);
    std::sort(used.begin(), used.end());
    int handle = 0;
    for (int h : used) {
        if (h != handle) break;
        ++handle;
    }
    auto trigger = std::make_shared<TTrigger>(*this, handle);
    trigger->interval_ = std::max(interval, MinTriggerInterval);
    trigger->count_ = count;
    trigger->OnTrigger = std::move(handler);
    triggers_.push_back(std::move(trigger));
    Reschedule();
    return handle;
}

TTrigger& TMPTimerPool::Trigger(int handle) const {
    for (auto& trigger : triggers_)
        if (trigger->handle_ == handle) return *trigger;
    throw EListError("Invalid trigger handle " + IntToStr(handle));
}

void TMPTimerPool::RemoveTrigger(int handle) {
    TTrigger* trigger = &Trigger(handle);
    trigger->pool_ = nullptr;
    std::erase_if(triggers_, [&](const auto& t) { return t.get() == trigger; });
    Reschedule();
}

void TMPTimerPool::SetTriggerEnabled(int handle, bool enabled) { Trigger(handle).SetEnabled(enabled); }

void TMPTimerPool::SetTriggerInterval(int handle, int milliseconds) { Trigger(handle).SetInterval(milliseconds); }

void TMPTimerPool::Reschedule() {
    int wanted = INT_MAX;
    for (auto& trigger : triggers_)
        if (trigger->enabled_) wanted = std::min(wanted, trigger->interval_);
    if (wanted == INT_MAX) {
        master_.reset();  // the platform timer may be freed inside its own tick
        return;
    }
    wanted = std::max(wanted, MinTriggerInterval);
    if (master_ && master_->Interval() == static_cast<unsigned>(wanted)) return;
    if (!master_) {
        master_ = std::make_unique<TTimer>();
        master_->OnTimer = [this](TObject*) { Tick(); };
    }
    master_->SetInterval(static_cast<unsigned>(wanted));  // starts a new period now
}

void TMPTimerPool::Tick() {
    const std::uint32_t now = GetTickCount();
    const std::shared_ptr<bool> alive = alive_;
    const std::vector<std::shared_ptr<TTrigger>> due = triggers_;
    for (const auto& trigger : due) {
        if (!trigger->enabled_ || !trigger->pool_) continue;
        if (static_cast<std::int32_t>(now - trigger->lastTick_) < trigger->interval_ - TriggerEarliness) continue;
        trigger->Fire(now);
        if (!*alive) return;
    }
    if (OnAllTriggers) OnAllTriggers(*this, -1, 0, 0);
}

}  // namespace lumvex
