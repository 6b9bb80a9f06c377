// Feeds arbitrary bytes to the icon reader: it must decode or raise, nothing else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/SysUtils.h"
#include "platform/graphics/Icon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        lumvex::TIcon icon;
        icon.LoadFromBytes(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const lumvex::Exception&) {
    }
    return 0;
}
