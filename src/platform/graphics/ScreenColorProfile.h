#pragma once
// The colour profile of the screen, as the X server publishes it for colour
// managed programs: the _ICC_PROFILE property of the root window.
#include <optional>
#include <string>

namespace lumvex {

// The profile's bytes, read from the display once (on first use, from any
// thread, the toolkit started or not); empty when there is no X display or it
// publishes none.
std::string ScreenColorProfile();

// Tests: a screen that publishes this profile (empty: none); std::nullopt
// goes back to the display's own.
void SetTestScreenColorProfile(std::optional<std::string> profile);

}  // namespace lumvex
