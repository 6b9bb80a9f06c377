// Background work handed back to the user-interface thread in item order,
// and its cancellation; a JPEG decode that is cancelled.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "BackgroundWork.h"
#include "ViewerSupport.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/threads/OrderedBatch.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

using Batch = TOrderedBatch<int>;

TEST(OrderedBatch, DeliversInItemOrderWhateverOrderTheWorkersFinishIn) {
    TWorkerPool pool(3);
    std::vector<int> delivered;
    int finished = 0;
    auto batch = Batch::Start(
        pool, 20,
        [](int i, const TCancelToken&) {
            // Later items finish first.
            std::this_thread::sleep_for(std::chrono::milliseconds((20 - i) % 4));
            if (i == 7) throw EInvalidGraphic("damaged");
            return i * 10;
        },
        [&](int i, int* result) { delivered.push_back(result ? *result : -i); }, [&] { ++finished; });
    ASSERT_TRUE(RunMessagesUntil([&] { return finished > 0; }));
    std::vector<int> expected;
    for (int i = 0; i < 20; ++i) expected.push_back(i == 7 ? -7 : i * 10);
    EXPECT_EQ(delivered, expected);
    EXPECT_TRUE(batch->Done());
    for (int i = 0; i < 5; ++i) Application.ProcessMessages();
    EXPECT_EQ(finished, 1);
}

TEST(OrderedBatch, AnEmptyBatchFinishesThroughTheMessageLoop) {
    TWorkerPool pool(1);
    bool finished = false;
    auto batch = Batch::Start(pool, 0, [](int, const TCancelToken&) { return 0; }, [](int, int*) {},
                              [&] { finished = true; });
    EXPECT_FALSE(finished);
    EXPECT_TRUE(RunMessagesUntil([&] { return finished; }));
}

TEST(OrderedBatch, CancellingStopsTheRunningWorkAndDeliversNothingMore) {
    HeldPool held;
    std::atomic<int> started{0};
    std::atomic<bool> sawCancel{false};
    std::vector<int> delivered;
    bool finished = false;
    auto batch = Batch::Start(
        held.pool, 50,
        [&](int i, const TCancelToken& cancel) {
            ++started;
            if (i == 0) return 0;
            // A long piece of work that looks at the token as it goes.
            while (!cancel.Cancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            sawCancel = true;
            cancel.ThrowIfCancelled();
            return i;
        },
        [&](int i, int*) { delivered.push_back(i); }, [&] { finished = true; });
    held.Release();
    ASSERT_TRUE(RunMessagesUntil([&] { return !delivered.empty(); }));
    batch->Cancel();
    held.Drain();
    EXPECT_TRUE(sawCancel);
    EXPECT_EQ(delivered, std::vector<int>{0});
    EXPECT_FALSE(finished);
    // Only the items within reach of the delivered one ever started.
    EXPECT_LE(started, 3);
}

TEST(JpegDecode, ACancelledTokenEndsTheDecodeWithECancelled) {
    TempDir dir;
    const std::string bytes = ReadFileBytes(WriteJpeg(dir, "a.jpg", 256, 256, clRed));
    TCancelToken cancel;
    cancel.Cancel();
    jpeg::DecodeOptions options;
    options.cancel = &cancel;
    TBitmap bitmap;
    EXPECT_THROW(jpeg::Decode(bytes, options, bitmap), ECancelled);

    TJPEGImage picture;
    picture.LoadFromBytes(bytes);
    EXPECT_THROW(picture.DIBNeeded(cancel), ECancelled);
    // Not cancelled, the same picture decodes.
    TCancelToken running;
    picture.DIBNeeded(running);
    EXPECT_EQ(picture.Bitmap().Width(), 256);
}

}  // namespace
