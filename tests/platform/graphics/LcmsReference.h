#pragma once
// What the colour tests compare with: lcms2's own conversion of colours, and
// a screen that publishes a profile for the length of a test.
#include <lcms2.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/graphics/ScreenColorProfile.h"

namespace lumvex::test {

// lcms2's answer for colours, from a profile to another (sRGB when empty).
inline std::vector<TColor> LcmsColours(const std::string& from, const std::string& to,
                                       const std::vector<TColor>& colours) {
    cmsHPROFILE source = cmsOpenProfileFromMem(from.data(), static_cast<cmsUInt32Number>(from.size()));
    cmsHPROFILE target = to.empty() ? cmsCreate_sRGBProfile()
                                    : cmsOpenProfileFromMem(to.data(), static_cast<cmsUInt32Number>(to.size()));
    cmsHTRANSFORM transform = cmsCreateTransform(source, TYPE_RGB_8, target, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
    std::vector<TColor> converted;
    for (TColor colour : colours) {
        std::uint8_t in[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)}, out[3];
        cmsDoTransform(transform, in, out, 1);
        converted.push_back(RGB(out[0], out[1], out[2]));
    }
    cmsDeleteTransform(transform);
    cmsCloseProfile(source);
    cmsCloseProfile(target);
    return converted;
}

struct ScreenProfile {
    explicit ScreenProfile(std::string profile) { SetTestScreenColorProfile(std::move(profile)); }
    ~ScreenProfile() { SetTestScreenColorProfile(std::nullopt); }
};

}  // namespace lumvex::test
