// Feeds arbitrary bytes to the JPEG decoder at full size and at an eighth;
// any outcome but a lumvex::Exception is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        lumvex::TJPEGImage jpeg;
        jpeg.LoadFromBytes(std::string(reinterpret_cast<const char*>(data), size));
        // A few bytes of arithmetic-coded data may rightly describe a picture
        // of gigabytes; decoding one only measures the allocator.
        if (std::int64_t(jpeg.Width()) * jpeg.Height() > (std::int64_t(1) << 22)) return 0;
        jpeg.Bitmap();
        jpeg.SetScale(lumvex::TJPEGScale::jsEighth);
        if (size % 2) jpeg.SetPixelFormat(lumvex::TJPEGPixelFormat::jf8Bit);
        jpeg.Bitmap();
    } catch (const lumvex::Exception&) {
    }
    return 0;
}
