#pragma once
// The full-size decoding of a JPEG picture shown first from a reduced
// decoding. It runs on a worker; the main window takes the picture when the
// worker is done (told through a queued call), or as soon as a command needs
// the picture's own pixels, waiting for it then. A decoding that nobody holds
// any more is never started, and one cancelled ends promptly.
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

#include "platform/Types.h"
#include "platform/graphics/Jpeg.h"
#include "platform/threads/CancelToken.h"

namespace lumvex {

class TFullDecode : public std::enable_shared_from_this<TFullDecode> {
public:
    // Works on a full-size copy of picture (which shares its bytes).
    explicit TFullDecode(const TJPEGImage& picture);
    // A decoding of picture, handed to the shared workers once the
    // user-interface thread has handled what waits for it now (the paint of
    // the reduced picture), so as not to compete with that.
    static std::shared_ptr<TFullDecode> QueueAfterPaint(const TJPEGImage& picture);

    // Runs on the shared workers when its turn comes, unless nobody holds
    // the decoding by then.
    void RunOnWorkers();
    // Decodes on this thread unless the decoding has started elsewhere or
    // was cancelled; then tells the main window.
    void Run();
    bool Done() const;
    // The decoded picture, taken once: waits for a decoding under way or
    // decodes here one not started yet; raises the decoder's error.
    std::unique_ptr<TJPEGImage> Take();
    void Cancel() { cancel_.Cancel(); }

private:
    enum class State { Queued, Running, Done };
    void Decode();

    TCancelToken cancel_;
    mutable std::mutex lock_;
    std::condition_variable finished_;
    State state_ = State::Queued;  // guarded by lock_, as is error_
    std::exception_ptr error_;
    std::unique_ptr<TJPEGImage> picture_;  // touched only by whoever decodes, then by Take
};

// A picture read ahead of its showing: the picture as TImg takes it; for a
// JPEG that the fit mode shows reduced, also that reduced decoding and the
// full one to follow it.
struct TDecodedAhead {
    std::unique_ptr<TGraphic> Picture;
    std::unique_ptr<TJPEGImage> Reduced;
    std::shared_ptr<TFullDecode> Full;
};

// The main window's display while it shows a reduced picture.
struct TReducedOnView {
    std::shared_ptr<TFullDecode> Full;  // none: the display shows the full picture
    const TGraphic* Held = nullptr;     // the full-size picture TImg was given with it
    int Width = 0, Height = 0;          // the reduced picture's size

    bool Showing() const { return Full != nullptr; }
    // The reduced picture serves a picture stretched to this size.
    bool Covers(TPoint shown) const { return Full && shown.X > 0 && shown.Y > 0 && shown.X <= Width && shown.Y <= Height; }
    // The display moves on: the full picture will not be wanted.
    void Drop() {
        if (Full) Full->Cancel();
        *this = {};
    }
};

}  // namespace lumvex
