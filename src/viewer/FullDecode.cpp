#include "viewer/FullDecode.h"

#include <utility>

#include "platform/threads/WorkerPool.h"
#include "viewer/MainWindow.h"

namespace lumvex {

TFullDecode::TFullDecode(const TJPEGImage& picture) : picture_(std::make_unique<TJPEGImage>(picture)) {
    picture_->SetScale(TJPEGScale::jsFullSize);
}

std::shared_ptr<TFullDecode> TFullDecode::QueueAfterPaint(const TJPEGImage& picture) {
    auto decode = std::make_shared<TFullDecode>(picture);
    QueueOnUiThread([weak = decode->weak_from_this()] {
        if (auto held = weak.lock()) held->RunOnWorkers();
    });
    return decode;
}

void TFullDecode::RunOnWorkers() {
    TWorkerPool::Shared().Submit([weak = weak_from_this()] {
        if (auto held = weak.lock()) held->Run();
    });
}

void TFullDecode::Run() {
    {
        std::lock_guard guard(lock_);
        if (state_ != State::Queued || cancel_.Cancelled()) return;
        state_ = State::Running;
    }
    Decode();
    QueueOnUiThread([weak = weak_from_this()] {
        if (auto decode = weak.lock(); decode && MainWindow) MainWindow->FullPictureDecoded(*decode);
    });
}

void TFullDecode::Decode() {
    std::exception_ptr error;
    try {
        picture_->DIBNeeded(cancel_);
    } catch (...) {
        error = std::current_exception();
    }
    {
        std::lock_guard guard(lock_);
        error_ = error;
        state_ = State::Done;
    }
    finished_.notify_all();
}

bool TFullDecode::Done() const {
    std::lock_guard guard(lock_);
    return state_ == State::Done;
}

std::unique_ptr<TJPEGImage> TFullDecode::Take() {
    std::unique_lock guard(lock_);
    if (state_ == State::Queued) {
        state_ = State::Running;
        guard.unlock();
        Decode();
        guard.lock();
    }
    finished_.wait(guard, [&] { return state_ == State::Done; });
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
    return std::move(picture_);
}

}  // namespace lumvex
