#pragma once
// What the X display says of itself, read once through a connection of its
// own: usable from any thread, before the toolkit has started or after, so
// that work begun at start (the first picture's decoding) knows the screen.
#include <string>

namespace lumvex {

struct TXDisplay {
    // The root window: every monitor of the screen together.
    int Width = 0;
    int Height = 0;
    // The _ICC_PROFILE property of the root window, which colour managed
    // programs follow; empty when none is published.
    std::string ColorProfile;
};

// Read on first use; all empty when there is no X display.
const TXDisplay& XDisplay();

}  // namespace lumvex
