#include "viewer/Prefetch.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/LibraryImage.h"
#include "platform/graphics/Picture.h"
#include "platform/threads/CancelToken.h"
#include "platform/threads/WorkerPool.h"
#include "viewer/FileStamp.h"

namespace lumvex {

TPrefetch Prefetch;

struct TPrefetch::Entry {
    enum class State { Queued, Running, Ready, Dropped };

    explicit Entry(std::string file) : path(std::move(file)) {}

    const std::string path;
    TCancelToken cancel;
    std::mutex lock;
    std::condition_variable finished;
    State state = State::Queued;  // guarded by lock, as are the two below
    TFileStamp stamp;             // the file as it was read
    std::unique_ptr<TGraphic> picture;
};

TPrefetch::~TPrefetch() { Clear(); }

bool TPrefetch::Decodable(const std::string& path) {
    return !path.empty() && LowerCase(path).find(".gif") == std::string::npos;
}

void TPrefetch::Start(const std::string& path) {
    if (!Decodable(path) || entries_.count(path)) return;
    auto entry = std::make_shared<Entry>(path);
    entries_.emplace(path, entry);
    TWorkerPool::Shared().Submit([entry] { Decode(entry); });
}

void TPrefetch::KeepOnly(const std::vector<std::string>& paths) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (std::find(paths.begin(), paths.end(), it->first) != paths.end()) {
            ++it;
            continue;
        }
        it->second->cancel.Cancel();
        it = entries_.erase(it);
    }
}

// On a worker: the file read and decoded just as the viewer loads it.
void TPrefetch::Decode(const std::shared_ptr<Entry>& entry) {
    {
        std::lock_guard guard(entry->lock);
        if (entry->state != Entry::State::Queued || entry->cancel.Cancelled()) return;
        entry->state = Entry::State::Running;
    }
    TFileStamp stamp;
    std::unique_ptr<TGraphic> picture;
    try {
        // The stamp is taken before reading: a change while reading then
        // shows as a changed stamp when the picture is taken.
        if (StampFile(entry->path, stamp)) {
            CheckPictureFileSize(entry->path);
            std::string bytes = ReadFileBytes(entry->path);
            if (!TPicture::AnimatedContent(bytes, entry->path)) {
                picture = TPicture::CreateForContent(bytes, entry->path);
                if (auto* still = dynamic_cast<TLibraryImage*>(picture.get()))
                    still->Load(std::move(bytes), TDecodeRequest{&entry->cancel});
                else
                    picture->LoadFromBytes(std::move(bytes));
                if (auto* jpeg = dynamic_cast<TJPEGImage*>(picture.get())) jpeg->DIBNeeded(entry->cancel);
            }
        }
    } catch (...) {
        // Damaged or cancelled: dropped; the viewer loads it itself when shown.
        picture.reset();
    }
    {
        std::lock_guard guard(entry->lock);
        entry->state = picture ? Entry::State::Ready : Entry::State::Dropped;
        entry->stamp = stamp;
        entry->picture = std::move(picture);
    }
    entry->finished.notify_all();
}

std::unique_ptr<TGraphic> TPrefetch::Take(const std::string& path) {
    auto it = entries_.find(path);
    if (it == entries_.end()) return nullptr;
    const std::shared_ptr<Entry> entry = it->second;
    entries_.erase(it);
    std::unique_lock guard(entry->lock);
    if (entry->state == Entry::State::Queued) {
        // Not started (the workers are busy): loading it here is sooner.
        entry->state = Entry::State::Dropped;
        return nullptr;
    }
    entry->finished.wait(guard, [&] { return entry->state != Entry::State::Running; });
    TFileStamp now;
    if (entry->state != Entry::State::Ready || !StampFile(path, now) || now != entry->stamp) return nullptr;
    return std::move(entry->picture);
}

bool TPrefetch::Busy() const {
    for (const auto& [path, entry] : entries_) {
        std::lock_guard guard(entry->lock);
        if (entry->state == Entry::State::Queued || entry->state == Entry::State::Running) return true;
    }
    return false;
}

}  // namespace lumvex
