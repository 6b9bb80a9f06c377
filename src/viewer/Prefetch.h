#pragma once
// Pictures decoded ahead of time. While a picture is on view the workers
// decode its neighbours in the file list with the loader the viewer uses, so
// that stepping shows them at once: a JPEG that the fit mode shows reduced
// is decoded reduced first, and in full after the others' reduced ones; at start the command-line picture is
// decoded while the windows are being built. A picture is handed over only
// when its file still has the size and time it had when it was read; a
// picture that failed to decode is dropped, so the viewer loads it itself and
// reports its error when it is shown. Animations (a GIF, any path with
// ".gif", an animated WebP) are never decoded here: their graphic runs
// timers, which belong to the user-interface thread.
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/graphics/Graphic.h"
#include "viewer/FullDecode.h"
#include "viewer/ShownSize.h"

namespace lumvex {

class TPrefetch {
public:
    TPrefetch() = default;
    ~TPrefetch();
    TPrefetch(const TPrefetch&) = delete;
    TPrefetch& operator=(const TPrefetch&) = delete;

    static bool Decodable(const std::string& path);

    // Starts decoding path on the shared workers unless it is held or under
    // way already, or is a GIF; reduced for the main window's showing as it
    // is now.
    void Start(const std::string& path);
    // Keeps the pictures of these paths; every other one is dropped and its
    // decoding cancelled.
    void KeepOnly(const std::vector<std::string>& paths);
    // Drops everything.
    void Clear() { KeepOnly({}); }

    // While held, full decodings that follow reduced ones wait (at start, so
    // that they do not compete with building the windows and the first
    // paint); released, those waiting go to the workers.
    void HoldFullDecodes();
    void ReleaseFullDecodes();

    // The decoded picture of path, taken out of the prefetch: waits for a
    // decoding already running (the reduced one, when there is one); no
    // picture when there is none, it failed, it has not started yet (it is
    // then dropped) or the file changed since it was read.
    TDecodedAhead Take(const std::string& path);

    // Pictures held or under way, and whether a decoding is still running
    // or queued (for tests and benchmarks).
    int Count() const { return static_cast<int>(entries_.size()); }
    bool Busy() const;

private:
    struct Entry;
    void Decode(const std::shared_ptr<Entry>& entry);
    static TDecodedAhead Read(const Entry& entry);

    // Hands a full decoding to the workers, or keeps it while they are held.
    void RunFullDecode(const std::shared_ptr<TFullDecode>& full);

    // User-interface thread only; each entry is shared with its task.
    std::map<std::string, std::shared_ptr<Entry>> entries_;
    // Shared with the workers.
    std::mutex holdLock_;
    bool holdFull_ = false;                          // guarded by holdLock_
    std::vector<std::weak_ptr<TFullDecode>> held_;  // guarded by holdLock_
};

// The viewer's prefetch, for the life of the process.
extern TPrefetch Prefetch;

}  // namespace lumvex
