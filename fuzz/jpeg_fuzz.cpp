// Feeds arbitrary bytes to the JPEG decoder as the viewer loads a file, then
// decodes them as the thumbnail browser does (an eighth, and 8-bit for odd
// sizes). Any outcome but a picture or the program's own error is a fault.
#include "ViewerLoad.h"
#include "platform/graphics/Jpeg.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    lumvex::fuzz::StartAsTheProgramDoes(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto picture = lumvex::fuzz::LoadAsTheViewerDoes("fuzz.jpg", data, size);
    auto* jpeg = dynamic_cast<lumvex::TJPEGImage*>(picture.get());
    if (!jpeg) return 0;
    try {
        jpeg->SetScale(lumvex::TJPEGScale::jsEighth);
        if (size % 2) jpeg->SetPixelFormat(lumvex::TJPEGPixelFormat::jf8Bit);
        jpeg->Bitmap();
    } catch (const lumvex::Exception&) {
    }
    return 0;
}
