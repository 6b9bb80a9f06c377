#pragma once
// The quick way through the common case: both profiles are matrix-shaper
// ones (sRGB, Display P3, Adobe RGB and most screens). Such a conversion is
// a curve per channel, a 3 x 3 matrix and a curve per channel again, so each
// channel's value adds a fixed amount to each linear output channel. lcms2
// computes those amounts and the output curves once; a pixel then costs a
// few table look-ups instead of lcms2's general pipeline.
#include <cstddef>
#include <cstdint>
#include <memory>

#include <lcms2.h>

namespace lumvex::lcms {

class Tables {
public:
    // The tables for source to target, or nullptr when either profile is not
    // a matrix-shaper one or the tables would not give what reference (an
    // 8-bit blue-green-red transform between the two) gives, within one step.
    static std::unique_ptr<Tables> Build(cmsHPROFILE source, cmsHPROFILE target, cmsHTRANSFORM reference);

    // pixelBytes: 3 or 4, blue, green and red first.
    void Convert(std::uint8_t* pixels, std::size_t count, int pixelBytes) const;

private:
    Tables() = default;
    // Linear light from 0 to 1 in LinearSteps steps.
    static constexpr int LinearSteps = 1 << 14;
    // The three output channels add up side by side in one 64-bit word, 16
    // bits each (blue, green, red from the lowest). Each input value's share
    // carries an offset that keeps it at 0 or above, so no lane borrows from
    // the next; the offsets of a lane add up to its Bias.
    static constexpr int LaneBits = 16;
    static constexpr std::uint64_t LaneMask = (1u << LaneBits) - 1;

    std::uint64_t share_[3][256] = {};  // [input byte: blue, green, red][value]
    // [output byte][lane's sum]: the encoded value of the sum less the lane's
    // Bias, clipped to 0 to 1.
    std::uint8_t encode_[3][1 << LaneBits] = {};
};

}  // namespace lumvex::lcms
