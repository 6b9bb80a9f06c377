// Feeds arbitrary bytes as a photo's EXIF block through the viewer's load
// path (orientation read and applied), the thumbnail browser's eighth, and
// the update a turn makes of the block. Any outcome but a picture or the
// program's own error is a fault; so is a hang.
#include "PhotoMarkers.h"
#include "ViewerLoad.h"
#include "platform/graphics/ExifMetadata.h"
#include "platform/graphics/Jpeg.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    lumvex::fuzz::StartAsTheProgramDoes(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string photo = lumvex::fuzz::PhotoWithMarker(0xE1, std::string("Exif\0\0", 6), data, size);
    auto picture = lumvex::fuzz::LoadAsTheViewerDoes("fuzz.jpg", reinterpret_cast<const std::uint8_t*>(photo.data()),
                                                     photo.size());
    if (auto* jpeg = dynamic_cast<lumvex::TJPEGImage*>(picture.get())) {
        try {
            jpeg->SetScale(lumvex::TJPEGScale::jsEighth);
            jpeg->Bitmap();
        } catch (const lumvex::Exception&) {
        }
    }
    lumvex::ExifForWrittenPicture(std::string(reinterpret_cast<const char*>(data), size), lumvex::TFlipTurn::TurnRight,
                                  16, 24);
    return 0;
}
