// A JPEG shown reduced is painted from a reduced decoding first; the full
// picture then takes its place on the same geometry, only sharper.
#include <utility>

#include "viewer/MainWindow.h"
#include "platform/graphics/DisplayCopy.h"
#include "platform/services/StartupTiming.h"
#include "viewer/ShownSize.h"

namespace lumvex {

bool TMainWindow::ShowReducedFirst(const TJPEGImage& held, TDecodedAhead& ahead) {
    if (held.Decoded()) return false;
    const TPoint shown = StretchedSize(CurrentShowing(), held.Width(), held.Height());
    const TJPEGScale scale = CoveringScale(held, shown);
    // The full picture decoded ahead is taken as soon as it is there, or
    // waited for when it is wanted now.
    if (ahead.Full && (ahead.Full->Done() || scale == TJPEGScale::jsFullSize)) {
        TImg->Picture().SetGraphic(ahead.Full->Take());
        return false;
    }
    if (scale == TJPEGScale::jsFullSize) return false;
    std::unique_ptr<TJPEGImage> reduced = std::move(ahead.Reduced);
    // Decoded ahead for a smaller area than the one shown now.
    if (!reduced || reduced->Width() < shown.X || reduced->Height() < shown.Y) {
        reduced = std::make_unique<TJPEGImage>(held);
        reduced->SetScale(scale);
    }
    // Damaged data raises the loader's error here, before any full decoding
    // is asked for and before the display, emptied by the load, is sized.
    reduced->DIBNeeded();
    CopyToDisplay(*reduced, Image->Picture().Bitmap());
    ReducedOnView.Full = ahead.Full ? std::move(ahead.Full) : TFullDecode::QueueAfterPaint(held);
    ReducedOnView.Held = &held;
    ReducedOnView.Width = reduced->Width();
    ReducedOnView.Height = reduced->Height();
    return true;
}

void TMainWindow::UseFullPicture() {
    if (!ReducedOnView.Showing()) return;
    const TReducedOnView was = std::exchange(ReducedOnView, {});
    std::unique_ptr<TJPEGImage> full = was.Full->Take();
    // The display may have been emptied meanwhile (a folder change).
    const TPicture& display = Image->Picture();
    if (display.Width() == was.Width && display.Height() == was.Height)
        CopyToDisplay(*full, Image->Picture().Bitmap());
    // A batch or a delete may have taken TImg for its work meanwhile, even
    // leaving a picture of its own at the same address.
    if (HeldPicture.HoldsAFile() && TImg->Picture().Graphic() == was.Held)
        TImg->Picture().SetGraphic(std::move(full));
    TimingMark("full picture in place");
}

void TMainWindow::FullPictureDecoded(const TFullDecode& decode) {
    if (ReducedOnView.Full.get() == &decode) UseFullPicture();
}

}  // namespace lumvex
