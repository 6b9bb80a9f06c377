#include "platform/threads/WorkerPool.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/services/Application.h"

namespace lumvex {

struct TWorkerPool::Impl {
    std::mutex lock;
    std::condition_variable wake;
    std::deque<std::function<void()>> tasks;
    bool stopping = false;
    std::vector<std::thread> threads;

    void Work() {
        for (;;) {
            std::function<void()> task;
            {
                std::unique_lock guard(lock);
                wake.wait(guard, [this] { return stopping || !tasks.empty(); });
                if (stopping) return;
                task = std::move(tasks.front());
                tasks.pop_front();
            }
            try {
                task();
            } catch (...) {
                // A task reports its own failures; nothing may end a worker.
            }
        }
    }
};

TWorkerPool::TWorkerPool(int workers) : impl_(std::make_unique<Impl>()) {
    for (int i = 0; i < std::max(1, workers); ++i) impl_->threads.emplace_back([this] { impl_->Work(); });
}

TWorkerPool::~TWorkerPool() {
    {
        std::lock_guard guard(impl_->lock);
        impl_->stopping = true;
        impl_->tasks.clear();
    }
    impl_->wake.notify_all();
    for (std::thread& thread : impl_->threads) thread.join();
}

int TWorkerPool::WorkerCount() const { return static_cast<int>(impl_->threads.size()); }

void TWorkerPool::Submit(std::function<void()> task) {
    {
        std::lock_guard guard(impl_->lock);
        impl_->tasks.push_back(std::move(task));
    }
    impl_->wake.notify_one();
}

TWorkerPool& TWorkerPool::Shared() {
    static TWorkerPool pool(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    return pool;
}

void QueueOnUiThread(std::function<void()> call) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;  // no message loop: nothing could deliver it
    QMetaObject::invokeMethod(
        app, [call = std::move(call)] { Application.Dispatch(call); }, Qt::QueuedConnection);
}

void QueueOnUiThreadAfter(int ms, std::function<void()> call) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    QTimer::singleShot(ms, Qt::PreciseTimer, app, [call = std::move(call)] { Application.Dispatch(call); });
}

}  // namespace lumvex
