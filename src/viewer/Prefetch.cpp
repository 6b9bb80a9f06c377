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

    Entry(std::string file, TShowing shown) : path(std::move(file)), showing(shown) {}

    const std::string path;
    const TShowing showing;
    TCancelToken cancel;
    std::mutex lock;
    std::condition_variable finished;
    State state = State::Queued;  // guarded by lock, as are the two below
    TFileStamp stamp;             // the file as it was read
    TDecodedAhead picture;
};

TPrefetch::~TPrefetch() { Clear(); }

bool TPrefetch::Decodable(const std::string& path) {
    return !path.empty() && LowerCase(path).find(".gif") == std::string::npos;
}

void TPrefetch::Start(const std::string& path) {
    if (!Decodable(path) || entries_.count(path)) return;
    auto entry = std::make_shared<Entry>(path, CurrentShowing());
    entries_.emplace(path, entry);
    TWorkerPool::Shared().Submit([this, entry] { Decode(entry); });
}

void TPrefetch::KeepOnly(const std::vector<std::string>& paths) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (std::find(paths.begin(), paths.end(), it->first) != paths.end()) {
            ++it;
            continue;
        }
        {
            std::lock_guard guard(it->second->lock);
            it->second->cancel.Cancel();
            if (it->second->picture.Full) it->second->picture.Full->Cancel();
        }
        it = entries_.erase(it);
    }
}

// On a worker: the file read and decoded just as the viewer loads it; a
// JPEG shown reduced is handed over reduced, then decoded in full here.
void TPrefetch::Decode(const std::shared_ptr<Entry>& entry) {
    {
        std::lock_guard guard(entry->lock);
        if (entry->state != Entry::State::Queued || entry->cancel.Cancelled()) return;
        entry->state = Entry::State::Running;
    }
    // The stamp is taken before reading: a change while reading then shows
    // as a changed stamp when the picture is taken.
    TFileStamp stamp;
    TDecodedAhead picture;
    try {
        if (StampFile(entry->path, stamp)) picture = Read(*entry);
    } catch (...) {
        // Damaged or cancelled: dropped; the viewer loads it itself when shown.
        picture = {};
    }
    const std::shared_ptr<TFullDecode> full = picture.Full;
    {
        std::lock_guard guard(entry->lock);
        entry->state = picture.Picture ? Entry::State::Ready : Entry::State::Dropped;
        entry->stamp = stamp;
        entry->picture = std::move(picture);
        if (full && entry->cancel.Cancelled()) full->Cancel();
    }
    entry->finished.notify_all();
    if (full) RunFullDecode(full);
}

void TPrefetch::RunFullDecode(const std::shared_ptr<TFullDecode>& full) {
    {
        std::lock_guard guard(holdLock_);
        if (holdFull_) {
            held_.push_back(full);
            return;
        }
    }
    full->RunOnWorkers();  // behind the reduced decodings queued meanwhile
}

void TPrefetch::HoldFullDecodes() {
    std::lock_guard guard(holdLock_);
    holdFull_ = true;
}

void TPrefetch::ReleaseFullDecodes() {
    std::vector<std::weak_ptr<TFullDecode>> waiting;
    {
        std::lock_guard guard(holdLock_);
        holdFull_ = false;
        waiting.swap(held_);
    }
    for (const std::weak_ptr<TFullDecode>& decode : waiting)
        if (auto full = decode.lock()) full->RunOnWorkers();
}

TDecodedAhead TPrefetch::Read(const Entry& entry) {
    CheckPictureFileSize(entry.path);
    std::string bytes = ReadFileBytes(entry.path);
    TDecodedAhead ahead;
    if (TPicture::AnimatedContent(bytes, entry.path)) return ahead;
    ahead.Picture = TPicture::CreateForContent(bytes, entry.path);
    if (auto* still = dynamic_cast<TLibraryImage*>(ahead.Picture.get())) {
        still->Load(std::move(bytes), TDecodeRequest{&entry.cancel});
        return ahead;
    }
    ahead.Picture->LoadFromBytes(std::move(bytes));
    auto* jpeg = dynamic_cast<TJPEGImage*>(ahead.Picture.get());
    if (!jpeg) return ahead;
    const TPoint shown = StretchedSize(entry.showing, jpeg->Width(), jpeg->Height());
    const TJPEGScale scale = CoveringScale(*jpeg, shown);
    if (scale == TJPEGScale::jsFullSize) {
        jpeg->DIBNeeded(entry.cancel);
        return ahead;
    }
    ahead.Reduced = std::make_unique<TJPEGImage>(*jpeg);
    ahead.Reduced->SetScale(scale);
    ahead.Reduced->DIBNeeded(entry.cancel);
    ahead.Full = std::make_shared<TFullDecode>(*jpeg);
    return ahead;
}

TDecodedAhead TPrefetch::Take(const std::string& path) {
    auto it = entries_.find(path);
    if (it == entries_.end()) return {};
    const std::shared_ptr<Entry> entry = it->second;
    entries_.erase(it);
    std::unique_lock guard(entry->lock);
    if (entry->state == Entry::State::Queued) {
        // Not started (the workers are busy): loading it here is sooner.
        entry->state = Entry::State::Dropped;
        return {};
    }
    entry->finished.wait(guard, [&] { return entry->state != Entry::State::Running; });
    TFileStamp now;
    if (entry->state != Entry::State::Ready || !StampFile(path, now) || now != entry->stamp) {
        if (entry->picture.Full) entry->picture.Full->Cancel();
        return {};
    }
    return std::move(entry->picture);
}

bool TPrefetch::Busy() const {
    for (const auto& [path, entry] : entries_) {
        std::lock_guard guard(entry->lock);
        if (entry->state == Entry::State::Queued || entry->state == Entry::State::Running) return true;
        if (entry->picture.Full && !entry->picture.Full->Done()) return true;
    }
    return false;
}

}  // namespace lumvex
