#pragma once
// Background workers for picture decoding. Tasks run on the workers in the
// order they were submitted; their results come back to the user-interface
// thread through QueueOnUiThread. A task never touches a control.
#include <functional>
#include <memory>

namespace lumvex {

class TWorkerPool {
public:
    // At least one worker.
    explicit TWorkerPool(int workers);
    // Drops the tasks that have not started and waits for the running ones.
    ~TWorkerPool();
    TWorkerPool(const TWorkerPool&) = delete;
    TWorkerPool& operator=(const TWorkerPool&) = delete;

    int WorkerCount() const;
    // Runs task on a free worker; an exception it raises is dropped.
    void Submit(std::function<void()> task);

    // The program's pool: as many workers as the machine has cores.
    static TWorkerPool& Shared();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Runs call on the user-interface thread once the message loop gets to it,
// through the application's dispatcher. Callable from any thread.
void QueueOnUiThread(std::function<void()> call);
// Runs call on the user-interface thread after at least ms milliseconds.
// Callable from the user-interface thread.
void QueueOnUiThreadAfter(int ms, std::function<void()> call);

}  // namespace lumvex
