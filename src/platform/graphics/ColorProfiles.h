#pragma once
// Colour conversion of decoded pictures from the colour profile they carry
// to the screen's profile or to sRGB, through lcms2. Profiles and prepared
// conversions are cached, so a picture pays for the pixels alone.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics/Bitmap.h"

namespace lumvex {

enum class TColorTarget {
    Screen,  // the profile the X server publishes for the screen, else sRGB
    SRGB,
};

class TColorConversion {
public:
    // The conversion from a picture's ICC profile to the target, prepared once
    // and shared by every thread; nullptr when the colours stay as they are:
    // no profile, a profile lcms2 refuses or that is not RGB, or one that
    // maps every colour to itself.
    static std::shared_ptr<const TColorConversion> For(const std::string& profile, TColorTarget target);

    virtual ~TColorConversion() = default;
    // Converts count pixels in place, each pixelBytes long (3: blue, green,
    // red; 4: the same and one more byte, left as it is).
    virtual void Convert(std::uint8_t* pixels, std::size_t count, int pixelBytes) const = 0;
};

// The profile is one lcms2 reads, for RGB colours.
bool IsRgbProfile(const std::string& profile);

// Converts a decoded picture in place: the pixels of a 24 or 32-bit bitmap,
// the palette of a paletted one; other formats stay as they are.
void ConvertColors(TBitmap& bitmap, const TColorConversion& conversion);

}  // namespace lumvex
