// Feeds arbitrary bytes to the WebP readers as the viewer loads a file (an
// animation then plays a few frames) and as the browser makes its
// thumbnail. Any outcome but a picture or the program's own error is a fault.
#include "ViewerLoad.h"
#include "components/WebPAnimation.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    lumvex::fuzz::StartAsTheProgramDoes(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto picture = lumvex::fuzz::LoadAsTheViewerDoes("fuzz.webp", data, size);
    if (auto* animation = dynamic_cast<lumvex::TWebPAnimation*>(picture.get())) {
        lumvex::TBitmap display(animation->Width(), animation->Height());
        for (int frame = 1; frame < 8; ++frame) {
            animation->SetCurrentFrame(frame % animation->FrameCount());
            animation->Draw(display.Canvas(), lumvex::Rect(0, 0, display.Width(), display.Height()));
        }
    }
    lumvex::fuzz::LoadAsTheBrowserDoes("fuzz.webp", data, size);
    return 0;
}
