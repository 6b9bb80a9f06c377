#pragma once
// Work on items 0 .. count-1 spread over a pool's workers, whose results
// reach the user-interface thread one by one in item order, whatever order
// the workers finish in. The first result is handed over at once, the
// following ones together in hand-overs some sixty times a second, so that
// the user-interface thread's cost per turn (a repaint, say) is shared by
// every result of the turn however quick the work. A bounded number of
// items are ahead of the one delivered next: enough to keep the workers busy
// between two hand-overs, few enough that the results held stay few.
// Cancelling stops the work promptly: no task starts after it, a running
// task sees the token, and nothing more is delivered.
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/services/Application.h"
#include "platform/threads/CancelToken.h"
#include "platform/threads/WorkerPool.h"

namespace lumvex {

template <class Result>
class TOrderedBatch : public std::enable_shared_from_this<TOrderedBatch<Result>> {
public:
    // On a worker: the result for an item. It may raise ECancelled when the
    // token is cancelled; any other exception counts as a failed item.
    using Work = std::function<Result(int index, const TCancelToken& cancel)>;
    // On the user-interface thread, in item order; result is nullptr for a failed item.
    using Deliver = std::function<void(int index, Result* result)>;
    // On the user-interface thread, after the last item was delivered.
    using Finished = std::function<void()>;

    static std::shared_ptr<TOrderedBatch> Start(TWorkerPool& pool, int count, Work work, Deliver deliver,
                                                Finished finished) {
        std::shared_ptr<TOrderedBatch> batch(
            new TOrderedBatch(pool, count, std::move(work), std::move(deliver), std::move(finished)));
        const int ahead = AheadPerWorker * pool.WorkerCount();
        while (batch->submitted_ < count && batch->submitted_ < ahead) batch->SubmitNext();
        if (count == 0) QueueOnUiThread([batch] { batch->Drain(); });
        return batch;
    }

    static constexpr int AheadPerWorker = 128;
    static constexpr std::chrono::milliseconds HandOverEvery{15};

    void Cancel() { token_.Cancel(); }
    bool Cancelled() const { return token_.Cancelled(); }
    // Every item was delivered.
    bool Done() const { return delivered_ == count_; }

private:
    TOrderedBatch(TWorkerPool& pool, int count, Work work, Deliver deliver, Finished finished)
        : pool_(pool),
          count_(count),
          work_(std::move(work)),
          deliver_(std::move(deliver)),
          finished_(std::move(finished)) {}

    // User-interface thread only.
    void SubmitNext() {
        const int index = submitted_++;
        pool_.Submit([self = this->shared_from_this(), index] { self->Run(index); });
    }

    // On a worker.
    void Run(int index) {
        if (token_.Cancelled()) return;
        std::optional<Result> result;
        try {
            result.emplace(work_(index, token_));
        } catch (const ECancelled&) {
            return;
        } catch (...) {
            // a failed item: delivered without a result
        }
        bool queue = false;
        {
            std::lock_guard guard(lock_);
            ready_.emplace(index, std::move(result));
            queue = !drainQueued_;
            drainQueued_ = true;
        }
        if (queue) QueueOnUiThread([self = this->shared_from_this()] { self->DrainWhenDue(); });
    }

    // On the user-interface thread: a hand-over, or one booked for when it is due.
    void DrainWhenDue() {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(lastDrain_ + HandOverEvery -
                                                                      std::chrono::steady_clock::now());
        if (wait.count() <= 0)
            Drain();
        else
            QueueOnUiThreadAfter(static_cast<int>(wait.count()), [self = this->shared_from_this()] { self->Drain(); });
    }

    // On the user-interface thread: hands over every result that is next in order.
    void Drain() {
        if (draining_) return;  // a delivery ran the message loop; the outer drain goes on
        draining_ = true;
        lastDrain_ = std::chrono::steady_clock::now();
        for (;;) {
            if (token_.Cancelled()) break;
            std::optional<Result> result;
            {
                std::lock_guard guard(lock_);
                drainQueued_ = false;
                auto it = ready_.find(delivered_);
                if (it == ready_.end()) break;
                result = std::move(it->second);
                ready_.erase(it);
            }
            const int index = delivered_++;
            if (submitted_ < count_) SubmitNext();
            Application.Dispatch([&] { deliver_(index, result ? &*result : nullptr); });
        }
        draining_ = false;
        if (!token_.Cancelled() && delivered_ == count_ && !finishedRun_) {
            finishedRun_ = true;
            if (finished_) finished_();
        }
    }

    TWorkerPool& pool_;
    const int count_;
    Work work_;
    Deliver deliver_;
    Finished finished_;
    TCancelToken token_;

    std::mutex lock_;
    std::map<int, std::optional<Result>> ready_;  // finished, not yet delivered
    bool drainQueued_ = false;

    // User-interface thread only.
    int submitted_ = 0;
    int delivered_ = 0;
    bool draining_ = false;
    bool finishedRun_ = false;
    std::chrono::steady_clock::time_point lastDrain_{};
};

}  // namespace lumvex
