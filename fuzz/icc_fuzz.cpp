// Feeds arbitrary bytes as a photo's colour profile through the viewer's
// load path: libjpeg joins the profile, lcms2 reads it and converts the
// picture for the screen (sRGB here), 24-bit and 8-bit. Any outcome but a
// picture or the program's own error is a fault; so is a hang.
#include "PhotoMarkers.h"
#include "ViewerLoad.h"
#include "platform/graphics/Jpeg.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    lumvex::fuzz::StartAsTheProgramDoes(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The profile as the one piece of one.
    const std::string photo = lumvex::fuzz::PhotoWithMarker(0xE2, std::string("ICC_PROFILE\0\1\1", 14), data, size);
    auto picture = lumvex::fuzz::LoadAsTheViewerDoes("fuzz.jpg", reinterpret_cast<const std::uint8_t*>(photo.data()),
                                                     photo.size());
    if (auto* jpeg = dynamic_cast<lumvex::TJPEGImage*>(picture.get())) {
        try {
            jpeg->SetPixelFormat(lumvex::TJPEGPixelFormat::jf8Bit);
            jpeg->Bitmap();
        } catch (const lumvex::Exception&) {
        }
    }
    return 0;
}
