// Feeds arbitrary bytes to the GIF parser and decoder as the viewer loads a
// file, then steps through the frames as the animation does, stretched and
// tiled.
#include "ViewerLoad.h"
#include "platform/graphics/Canvas.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    lumvex::fuzz::StartAsTheProgramDoes(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto picture = lumvex::fuzz::LoadAsTheViewerDoes("fuzz.gif", data, size);
    auto* image = dynamic_cast<lumvex::TGIFImage*>(picture.get());
    if (!image) return 0;
    lumvex::TBitmap target(16, 16, lumvex::TPixelFormat::pf24bit);
    for (int i = 0; i < image->FrameCount(); ++i) {
        image->SetCurrentFrame(i);
        image->SetTile(i % 2 == 1);
        image->Draw(target.Canvas(), lumvex::Rect(0, 0, 16, 16));
    }
    return 0;
}
