#include "platform/graphics/ScreenColorProfile.h"

#include <mutex>

#include "platform/services/XDisplay.h"

namespace lumvex {
namespace {

std::mutex lock;
std::optional<std::string> testProfile;

}  // namespace

std::string ScreenColorProfile() {
    {
        std::lock_guard guard(lock);
        if (testProfile) return *testProfile;
    }
    return XDisplay().ColorProfile;
}

void SetTestScreenColorProfile(std::optional<std::string> profile) {
    std::lock_guard guard(lock);
    testProfile = std::move(profile);
}

}  // namespace lumvex
