// Feeds arbitrary bytes to the bitmap reader: it must decode or raise, nothing else.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/SysUtils.h"
#include "platform/graphics/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        lumvex::ReadBmp(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const lumvex::Exception&) {
    }
    return 0;
}
