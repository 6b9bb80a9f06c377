// Feeds arbitrary bytes to the GIF parser and decoder, and draws each frame.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/MPGifImg.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/services/Application.h"

// The plain-text extension draws text, which needs the toolkit's application.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    lumvex::Application.Initialize(*argc, *argv);
    lumvex::Application.ErrorBox = [](const std::string&) {};
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumvex::TGIFImage image;
    try {
        image.LoadFromBytes(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const lumvex::Exception&) {
        return 0;
    }
    lumvex::TBitmap target(16, 16, lumvex::TPixelFormat::pf24bit);
    for (int i = 0; i < image.FrameCount(); ++i) {
        image.SetCurrentFrame(i);
        image.SetTile(i % 2 == 1);
        image.Draw(target.Canvas(), lumvex::Rect(0, 0, 16, 16));
    }
    return 0;
}
