#pragma once
// A small JPEG photo carrying the fuzzer's bytes in one marker, as a camera
// stores EXIF (APP1) or a colour profile (APP2): random bytes alone would
// seldom make a JPEG file that reaches the metadata.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/JpegCodec.h"

namespace lumvex::fuzz {

inline std::string PhotoWithMarker(int code, const std::string& prefix, const std::uint8_t* data, std::size_t size) {
    static const std::string photo = [] {
        TBitmap picture(24, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x) picture.SetPixel(x, y, RGB(x * 10, y * 15, 200));
        return jpeg::Encode(picture, 90);
    }();
    jpeg::Marker marker{code, prefix};
    marker.data.append(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 65533 - prefix.size()));
    const std::size_t length = marker.data.size() + 2;
    return photo.substr(0, 2) +
           std::string{'\xFF', static_cast<char>(code), static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)} +
           marker.data + photo.substr(2);
}

}  // namespace lumvex::fuzz
