#pragma once
// lcms2's profiles and transforms, each freed with its owner.
#include <memory>
#include <string>

#include <lcms2.h>

namespace lumvex::lcms {

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct TransformDeleter {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;
using Transform = std::unique_ptr<void, TransformDeleter>;

// The profile in bytes, or a null one when lcms2 refuses them.
inline Profile Open(const std::string& bytes) {
    return bytes.empty() ? Profile() : Profile(cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
}

}  // namespace lumvex::lcms
