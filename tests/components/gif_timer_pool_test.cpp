// The shared timer pool: handles, scheduling of the one master timer,
// trigger timing against a test clock, and changes made inside a tick.
#include <gtest/gtest.h>

#include <chrono>

#include "components/MPGifImg.h"
#include "components/MPTimer.h"
#include "platform/SysUtils.h"
#include "platform/controls/Timer.h"
#include "platform/services/Application.h"
#include "platform/services/Ticks.h"

using namespace lumvex;

namespace {

class TestClock {
public:
    TestClock() { SetTickSource([this] { return now; }); }
    ~TestClock() { SetTickSource(nullptr); }
    std::uint32_t now = 0xFFFFFF00u;  // the counter wraps during the tests
};

struct Firing {
    int handle, intervalTicks, elapsedTicks;
    friend bool operator==(const Firing&, const Firing&) = default;
};

}  // namespace

TEST(TimerPool, TheFirstGifImageCreatesThePoolAndTheLastFreesIt) {
    ASSERT_EQ(GIFTimerPool(), nullptr);
    auto first = std::make_unique<TGIFImage>();
    TMPTimerPool* pool = GIFTimerPool();
    ASSERT_NE(pool, nullptr);
    EXPECT_FALSE(pool->DefEnabled);
    auto second = std::make_unique<TGIFImage>();
    auto third = std::make_unique<TGIFImage>();
    EXPECT_EQ(pool->TriggerCount(), 3);
    EXPECT_EQ(second->TriggerHandle(), 1);
    second.reset();
    TGIFImage reuse;
    EXPECT_EQ(reuse.TriggerHandle(), 1);  // the smallest free handle
    EXPECT_EQ(pool->Trigger(reuse.TriggerHandle()).Interval(), 55);
    first.reset();
    third.reset();
    EXPECT_EQ(GIFTimerPool(), pool);
    {
        TGIFImage last = reuse;
        EXPECT_EQ(pool->TriggerCount(), 2);
    }
    EXPECT_EQ(pool->TriggerCount(), 1);
}

TEST(TimerPool, AfterTheLastImageANewImageGetsANewPool) {
    { TGIFImage only; }
    EXPECT_EQ(GIFTimerPool(), nullptr);
    TGIFImage again;
    ASSERT_NE(GIFTimerPool(), nullptr);
    EXPECT_EQ(again.TriggerHandle(), 0);
}

TEST(TimerPool, OneMasterTimerRunsAtTheShortestEnabledInterval) {
    TMPTimerPool pool;
    const int slow = pool.AddTrigger(400, -1, nullptr);
    const int fast = pool.AddTrigger(10, -1, nullptr);
    EXPECT_EQ(pool.Trigger(fast).Interval(), 55);
    ASSERT_NE(pool.MasterTimer(), nullptr);
    EXPECT_EQ(pool.MasterTimer()->Interval(), 55u);
    pool.SetTriggerEnabled(fast, false);
    EXPECT_EQ(pool.MasterTimer()->Interval(), 400u);
    pool.SetTriggerInterval(slow, 120);
    EXPECT_EQ(pool.MasterTimer()->Interval(), 120u);
    pool.RemoveTrigger(slow);
    EXPECT_EQ(pool.MasterTimer(), nullptr);
    EXPECT_EQ(pool.TriggerCount(), 1);
    for (int handle : {-1, slow, 7}) {
        try {
            pool.Trigger(handle);
            ADD_FAILURE() << handle;
        } catch (const EListError& error) {
            EXPECT_EQ(error.Message(), "Invalid trigger handle " + std::to_string(handle));
        }
    }
    EXPECT_THROW(pool.RemoveTrigger(slow), EListError);
}

TEST(TimerPool, TriggersFireUpTo23MillisecondsEarlyWithTheirTickCounts) {
    TestClock clock;
    TMPTimerPool pool;
    std::vector<Firing> firings;
    auto record = [&](TMPTimerPool& sender, int handle, int interval, int elapsed) {
        EXPECT_EQ(&sender, &pool);
        firings.push_back({handle, interval, elapsed});
    };
    const int a = pool.AddTrigger(100, -1, record);
    const int b = pool.AddTrigger(300, 2, record);
    int all = 0;
    pool.OnAllTriggers = [&](TMPTimerPool&, int handle, int interval, int elapsed) {
        all += handle == -1 && interval == 0 && elapsed == 0;
    };
    for (int step : {76, 1, 100, 100, 200, 300, 300}) {
        clock.now += static_cast<std::uint32_t>(step);
        pool.Tick();
    }
    EXPECT_EQ(all, 7);
    EXPECT_EQ(firings, (std::vector<Firing>{{a, 77, 77},
                                             {a, 100, 177},
                                             {a, 100, 277},
                                             {b, 277, 277},
                                             {a, 200, 477},
                                             {a, 300, 777},
                                             {b, 500, 777},
                                             {a, 300, 1077}}));
    EXPECT_FALSE(pool.Trigger(b).Enabled());  // its two firings are used up
    EXPECT_EQ(pool.Trigger(b).Count(), -1);
}

TEST(TimerPool, AnEnablingHandlerCanRefuseAndCountZeroDisables) {
    TMPTimerPool pool;
    TTrigger& trigger = pool.Trigger(pool.AddTrigger(60, -1, nullptr));
    bool refuse = true;
    std::vector<bool> asked;
    trigger.OnEnabling = [&](TObject&, int, bool enabled, bool& allow) {
        asked.push_back(enabled);
        allow = !refuse;
    };
    trigger.SetEnabled(false);
    EXPECT_TRUE(trigger.Enabled());
    refuse = false;
    trigger.SetCount(0);
    EXPECT_FALSE(trigger.Enabled());
    EXPECT_EQ(trigger.Count(), -1);
    EXPECT_EQ(pool.MasterTimer(), nullptr);
    EXPECT_EQ(asked, (std::vector<bool>{false, false}));
}

TEST(TimerPool, HandlersMayRemoveTriggersAndTheLastImageInsideATick) {
    TestClock clock;
    {
        TMPTimerPool pool;
        int fired = 0;
        int second = -1;
        const int first = pool.AddTrigger(55, -1, [&](TMPTimerPool& p, int handle, int, int) {
            ++fired;
            p.RemoveTrigger(handle);
            p.RemoveTrigger(second);
        });
        second = pool.AddTrigger(55, -1, [&](TMPTimerPool&, int, int, int) { ++fired; });
        clock.now += 100;
        pool.Tick();
        EXPECT_EQ(fired, 1);
        EXPECT_EQ(pool.TriggerCount(), 0);
        EXPECT_THROW(pool.Trigger(first), EListError);
    }
    auto image = std::make_unique<TGIFImage>();
    image->SetAnimate(true);
    TTrigger& trigger = GIFTimerPool()->Trigger(image->TriggerHandle());
    trigger.OnTrigger = [&](TMPTimerPool&, int, int, int) { image.reset(); };
    clock.now += 100;
    GIFTimerPool()->Tick();
    EXPECT_EQ(GIFTimerPool(), nullptr);
}

TEST(TimerPool, TheMasterTimerCanBeRestartedAndFreedFromItsOwnTick) {
    TMPTimerPool pool;
    int ticks = 0;
    const int handle = pool.AddTrigger(55, -1, nullptr);
    pool.Trigger(handle).OnTrigger = [&](TMPTimerPool& p, int h, int, int) {
        ++ticks;
        if (ticks == 1) p.SetTriggerInterval(h, 60);  // restart inside the tick
        if (ticks == 2) p.SetTriggerEnabled(h, false);  // frees the master timer inside its tick
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (ticks < 2 && std::chrono::steady_clock::now() < deadline) Application.ProcessMessages();
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(pool.MasterTimer(), nullptr);
    Application.ProcessMessages();
}

TEST(TimerPool, TwentyAnimatedImagesShareOneMasterTimer) {
    std::vector<std::unique_ptr<TGIFImage>> images;
    for (int i = 0; i < 20; ++i) {
        images.push_back(std::make_unique<TGIFImage>());
        images.back()->SetAnimate(true);
    }
    EXPECT_EQ(GIFTimerPool()->TriggerCount(), 20);
    ASSERT_NE(GIFTimerPool()->MasterTimer(), nullptr);
    EXPECT_EQ(GIFTimerPool()->MasterTimer()->Interval(), 55u);
}
