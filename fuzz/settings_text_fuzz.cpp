// Feeds arbitrary text to the readers of settings texts: the colour text of
// the settings store and the desktop's mimeapps.list. Each must read or
// raise, and putting Lumvex into the defaults twice changes nothing the
// second time.
#include <cstddef>
#include <cstdint>
#include <string>

#include "appearance/ColorText.h"
#include "appearance/DesktopAssociations.h"
#include "platform/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        lumvex::StringToColor(text);
    } catch (const lumvex::EConvertError&) {
    }
    const std::vector<lumvex::MimeDefault> on = {{"image/jpeg", true}, {"image/bmp", true}};
    const std::vector<lumvex::MimeDefault> mixed = {{"image/jpeg", false}, {"image/gif", true}};
    try {
        const std::string once = lumvex::WithLumvexDefaults(text, on);
        if (lumvex::WithLumvexDefaults(once, on) != once) __builtin_trap();
        lumvex::WithLumvexDefaults(once, mixed);
    } catch (const lumvex::EConvertError&) {
    }
    return 0;
}
