#include "platform/graphics/ColorProfiles.h"

#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/graphics/ColorTables.h"
#include "platform/graphics/LcmsHandles.h"
#include "platform/graphics/ScreenColorProfile.h"

namespace lumvex {
namespace {

// lcms2's own transforms: one for 3-byte pixels, one for 4-byte ones. Made
// without lcms2's one-pixel cache, so threads can share them.
class LcmsConversion : public TColorConversion {
public:
    LcmsConversion(lcms::Transform three, lcms::Transform four) : three_(std::move(three)), four_(std::move(four)) {}
    void Convert(std::uint8_t* pixels, std::size_t count, int pixelBytes) const override {
        cmsDoTransform(pixelBytes == 3 ? three_.get() : four_.get(), pixels, pixels, static_cast<cmsUInt32Number>(count));
    }

private:
    lcms::Transform three_, four_;
};

class TableConversion : public TColorConversion {
public:
    explicit TableConversion(std::unique_ptr<lcms::Tables> tables) : tables_(std::move(tables)) {}
    void Convert(std::uint8_t* pixels, std::size_t count, int pixelBytes) const override {
        tables_->Convert(pixels, count, pixelBytes);
    }

private:
    std::unique_ptr<lcms::Tables> tables_;
};

// Every colour of a coarse grid and every grey keeps its value.
bool ChangesNothing(cmsHTRANSFORM transform) {
    std::vector<std::uint8_t> colours;
    for (int b = 0; b < 256; b += 15)
        for (int g = 0; g < 256; g += 15)
            for (int r = 0; r < 256; r += 15) colours.insert(colours.end(), {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r)});
    for (int v = 0; v < 256; ++v) colours.insert(colours.end(), 3, std::uint8_t(v));
    std::vector<std::uint8_t> converted(colours.size());
    cmsDoTransform(transform, colours.data(), converted.data(), static_cast<cmsUInt32Number>(colours.size() / 3));
    return converted == colours;
}

std::shared_ptr<const TColorConversion> Prepare(const std::string& profile, const std::string& targetProfile) {
    lcms::Profile source = lcms::Open(profile);
    if (!source || cmsGetColorSpace(source.get()) != cmsSigRgbData) return nullptr;
    lcms::Profile target = lcms::Open(targetProfile);
    if (!target || cmsGetColorSpace(target.get()) != cmsSigRgbData) target.reset(cmsCreate_sRGBProfile());
    if (!target) return nullptr;
    constexpr cmsUInt32Number flags = cmsFLAGS_NOCACHE;
    lcms::Transform three(cmsCreateTransform(source.get(), TYPE_BGR_8, target.get(), TYPE_BGR_8, INTENT_PERCEPTUAL, flags));
    lcms::Transform four(cmsCreateTransform(source.get(), TYPE_BGRA_8, target.get(), TYPE_BGRA_8, INTENT_PERCEPTUAL, flags));
    if (!three || !four || ChangesNothing(three.get())) return nullptr;
    if (auto tables = lcms::Tables::Build(source.get(), target.get(), three.get()))
        return std::make_shared<TableConversion>(std::move(tables));
    return std::make_shared<LcmsConversion>(std::move(three), std::move(four));
}

// Prepared conversions by source and target profile, refusals included.
// A handful of profiles is the rule; past the limit the cache starts again.
constexpr std::size_t MaxCached = 16;
std::mutex cacheLock;
std::map<std::pair<std::string, std::string>, std::shared_ptr<const TColorConversion>> cache;

}  // namespace

std::shared_ptr<const TColorConversion> TColorConversion::For(const std::string& profile, TColorTarget target) {
    if (profile.empty()) return nullptr;
    std::pair<std::string, std::string> key(profile, target == TColorTarget::Screen ? ScreenColorProfile() : std::string());
    {
        std::lock_guard guard(cacheLock);
        if (auto found = cache.find(key); found != cache.end()) return found->second;
    }
    std::shared_ptr<const TColorConversion> conversion = Prepare(key.first, key.second);
    std::lock_guard guard(cacheLock);
    if (cache.size() >= MaxCached) cache.clear();
    cache.emplace(std::move(key), conversion);
    return conversion;
}

bool IsRgbProfile(const std::string& profile) {
    lcms::Profile opened = lcms::Open(profile);
    return opened && cmsGetColorSpace(opened.get()) == cmsSigRgbData;
}

void ConvertColors(TBitmap& bitmap, const TColorConversion& conversion) {
    const int bits = bitmap.BitsPerPixel();
    if (bits == 24 || bits == 32) {
        for (int y = 0; y < bitmap.Height(); ++y) conversion.Convert(bitmap.ScanLine(y), std::size_t(bitmap.Width()), bits / 8);
    } else if (bits <= 8 && !bitmap.Palette().empty()) {
        std::vector<TRGBQuad> palette = bitmap.Palette();
        static_assert(sizeof(TRGBQuad) == 4);
        conversion.Convert(reinterpret_cast<std::uint8_t*>(palette.data()), palette.size(), 4);
        bitmap.SetPalette(std::move(palette));
    } else {
        return;
    }
    bitmap.Modified();
}

}  // namespace lumvex
