#pragma once
// Colour profiles made with lcms2 for the tests and benchmarks: Display P3,
// as phones tag their photos, and Adobe RGB (1998), as cameras tag theirs.
#include <string>

#include <lcms2.h>

namespace lumvex::test {

// A profile for the primaries and curve given (white D65); the curve is freed.
inline std::string MakeProfile(const cmsCIExyYTRIPLE& primaries, cmsToneCurve* curve) {
    const cmsCIExyY d65{0.3127, 0.3290, 1.0};
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&d65, &primaries, curves);
    cmsFreeToneCurve(curve);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::string bytes(size, '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

// Display P3 with the sRGB curve, or with a plain gamma when one is given.
inline std::string DisplayP3Profile(double gamma = 0) {
    const double srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    return MakeProfile({{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}},
                       gamma ? cmsBuildGamma(nullptr, gamma) : cmsBuildParametricToneCurve(nullptr, 4, srgbCurve));
}

inline std::string AdobeRgbProfile() {
    return MakeProfile({{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}}, cmsBuildGamma(nullptr, 563.0 / 256));
}

}  // namespace lumvex::test
