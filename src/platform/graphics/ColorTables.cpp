#include "platform/graphics/ColorTables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/graphics/LcmsHandles.h"

namespace lumvex::lcms {
namespace {

// The target's primaries with straight lines for curves: lcms2 then gives
// the target's linear light for any source colour, without clipping.
Profile LinearTwin(cmsHPROFILE target) {
    const cmsTagSignature colorants[] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
    const cmsTagSignature curves[] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    Profile twin(cmsCreateProfilePlaceholder(nullptr));
    if (!twin) return twin;
    cmsSetProfileVersion(twin.get(), 4.3);
    cmsSetDeviceClass(twin.get(), cmsSigDisplayClass);
    cmsSetColorSpace(twin.get(), cmsSigRgbData);
    cmsSetPCS(twin.get(), cmsSigXYZData);
    std::unique_ptr<cmsToneCurve, void (*)(cmsToneCurve*)> straight(cmsBuildGamma(nullptr, 1.0), cmsFreeToneCurve);
    bool written = straight && cmsWriteTag(twin.get(), cmsSigMediaWhitePointTag, cmsD50_XYZ());
    for (int i = 0; i < 3 && written; ++i) {
        const void* colorant = cmsReadTag(target, colorants[i]);
        written = colorant && cmsWriteTag(twin.get(), colorants[i], colorant) &&
                  cmsWriteTag(twin.get(), curves[i], straight.get());
    }
    return written ? std::move(twin) : Profile();
}

// 17 steps along each axis, both ends included.
std::vector<std::uint8_t> GridColours() {
    std::vector<std::uint8_t> colours;
    for (int b = 0; b <= 256; b += 16)
        for (int g = 0; g <= 256; g += 16)
            for (int r = 0; r <= 256; r += 16)
                for (int v : {b, g, r}) colours.push_back(static_cast<std::uint8_t>(std::min(v, 255)));
    return colours;
}

}  // namespace

std::unique_ptr<Tables> Tables::Build(cmsHPROFILE source, cmsHPROFILE target, cmsHTRANSFORM reference) {
    if (!cmsIsMatrixShaper(source) || !cmsIsMatrixShaper(target)) return nullptr;
    Profile twin = LinearTwin(target);
    if (!twin) return nullptr;
    Transform toLinear(cmsCreateTransform(source, TYPE_RGB_DBL, twin.get(), TYPE_RGB_DBL, INTENT_PERCEPTUAL,
                                          cmsFLAGS_NOCACHE | cmsFLAGS_NOOPTIMIZE));
    Transform fromLinear(cmsCreateTransform(twin.get(), TYPE_RGB_DBL, target, TYPE_RGB_8, INTENT_PERCEPTUAL,
                                            cmsFLAGS_NOCACHE));
    if (!toLinear || !fromLinear) return nullptr;

    // Each input channel's value adds a share to each output channel's
    // linear light; the black point is counted once, in the blue byte's share.
    double black[3] = {0, 0, 0}, blackOut[3];
    cmsDoTransform(toLinear.get(), black, blackOut, 1);
    std::int32_t shares[3][256][3];  // [input byte][value][output byte]
    for (int input = 0; input < 3; ++input)  // red, green, blue
        for (int v = 0; v < 256; ++v) {
            double in[3] = {0, 0, 0}, out[3];
            in[input] = v / 255.0;
            cmsDoTransform(toLinear.get(), in, out, 1);
            for (int output = 0; output < 3; ++output)
                shares[2 - input][v][2 - output] = static_cast<std::int32_t>(
                    std::lround((out[output] - (input == 2 ? 0 : blackOut[output])) * (LinearSteps - 1)));
        }
    std::unique_ptr<Tables> tables(new Tables);
    std::int32_t offset[3][3];  // [input byte][output byte]: what keeps each share at 0 or above
    std::int64_t bias[3] = {0, 0, 0}, highest[3] = {0, 0, 0};
    for (int input = 0; input < 3; ++input)
        for (int output = 0; output < 3; ++output) {
            std::int32_t low = 0, high = 0;
            for (const auto& share : shares[input]) low = std::min(low, share[output]), high = std::max(high, share[output]);
            offset[input][output] = -low;
            bias[output] -= low;
            highest[output] += high - low;
        }
    for (std::int64_t sum : highest)
        if (sum > std::int64_t(LaneMask)) return nullptr;  // colours too far outside the target's
    for (int input = 0; input < 3; ++input)
        for (int v = 0; v < 256; ++v)
            for (int output = 0; output < 3; ++output)
                tables->share_[input][v] |= std::uint64_t(shares[input][v][output] + offset[input][output])
                                            << (LaneBits * output);

    std::vector<double> levels(std::size_t(LinearSteps) * 3);
    for (int i = 0; i < LinearSteps; ++i)
        std::fill_n(levels.begin() + std::ptrdiff_t(i) * 3, 3, double(i) / (LinearSteps - 1));
    std::vector<std::uint8_t> encoded(levels.size());
    cmsDoTransform(fromLinear.get(), levels.data(), encoded.data(), LinearSteps);
    for (int output = 0; output < 3; ++output)  // blue, green, red, as encoded holds them the other way
        for (std::int64_t sum = 0; sum <= std::int64_t(LaneMask); ++sum) {
            const std::int64_t level = std::clamp<std::int64_t>(sum - bias[output], 0, LinearSteps - 1);
            tables->encode_[output][sum] = encoded[std::size_t(level) * 3 + 2 - output];
        }

    std::vector<std::uint8_t> grid = GridColours(), expected(grid.size());
    const auto pixels = static_cast<cmsUInt32Number>(grid.size() / 3);
    cmsDoTransform(reference, grid.data(), expected.data(), pixels);
    tables->Convert(grid.data(), pixels, 3);
    for (std::size_t i = 0; i < grid.size(); ++i)
        if (std::abs(grid[i] - expected[i]) > 1) return nullptr;
    return tables;
}

void Tables::Convert(std::uint8_t* pixels, std::size_t count, int pixelBytes) const {
    for (std::size_t i = 0; i < count; ++i, pixels += pixelBytes) {
        const std::uint64_t sum = share_[0][pixels[0]] + share_[1][pixels[1]] + share_[2][pixels[2]];
        pixels[0] = encode_[0][sum & LaneMask];
        pixels[1] = encode_[1][(sum >> LaneBits) & LaneMask];
        pixels[2] = encode_[2][(sum >> 2 * LaneBits) & LaneMask];
    }
}

}  // namespace lumvex::lcms
