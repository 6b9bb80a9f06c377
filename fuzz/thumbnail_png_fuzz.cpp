// Feeds arbitrary bytes to the reader of the shared thumbnail cache's entries,
// which any program on the desktop may have written: it must return an entry
// within the size asked for, or nothing, and never raise.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/services/ThumbnailPng.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto entry = lumvex::ReadThumbnailPng(bytes, 128, lumvex::clWhite);
    if (entry && (entry->Picture.Width() > 128 || entry->Picture.Height() > 128)) __builtin_trap();
    return 0;
}
