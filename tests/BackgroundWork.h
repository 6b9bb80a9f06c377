#pragma once
// Shared by the tests of background work: waiting through the message loop,
// and a worker pool that holds its tasks back until a test lets them go.
#include <chrono>
#include <future>
#include <thread>

#include "platform/services/Application.h"
#include "platform/threads/WorkerPool.h"

namespace lumvex::test {

// Runs the message loop until done() holds or a generous time has passed.
template <class Condition>
bool RunMessagesUntil(Condition done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Application.ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A one-worker pool whose worker is held until Release.
class HeldPool {
public:
    HeldPool() {
        pool.Submit([gate = gate_.get_future().share()] { gate.wait(); });
    }
    ~HeldPool() { Release(); }
    void Release() {
        if (!released_) gate_.set_value();
        released_ = true;
    }
    // Lets the worker finish every task submitted so far, then delivers what
    // they queued for the user-interface thread.
    void Drain() {
        Release();
        std::promise<void> done;
        auto finished = done.get_future();
        pool.Submit([&done] { done.set_value(); });
        RunMessagesUntil([&] { return finished.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        for (int i = 0; i < 10; ++i) Application.ProcessMessages();
    }
    TWorkerPool pool{1};

private:
    std::promise<void> gate_;
    bool released_ = false;
};

}  // namespace lumvex::test
