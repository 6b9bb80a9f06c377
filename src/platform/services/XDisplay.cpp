#include "platform/services/XDisplay.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include <xcb/xcb.h>

namespace lumvex {
namespace {

// A profile larger than this is taken as no profile (real ones are a few
// kilobytes, a few hundred with large tables).
constexpr std::uint32_t MaxProfileWords = (4u << 20) / 4;

std::string ReadColorProfile(xcb_connection_t* connection, xcb_window_t root) {
    const char name[] = "_ICC_PROFILE";
    std::unique_ptr<xcb_intern_atom_reply_t, void (*)(void*)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr), std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE) return {};
    std::unique_ptr<xcb_get_property_reply_t, void (*)(void*)> property(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, root, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, MaxProfileWords),
            nullptr),
        std::free);
    if (!property || property->format != 8 || property->bytes_after) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(property.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(property.get())));
}

TXDisplay Read() {
    TXDisplay display;
    if (!std::getenv("DISPLAY")) return display;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> closer(connection, xcb_disconnect);
    if (xcb_connection_has_error(connection)) return display;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
    if (!screens.rem) return display;
    display.Width = screens.data->width_in_pixels;
    display.Height = screens.data->height_in_pixels;
    display.ColorProfile = ReadColorProfile(connection, screens.data->root);
    return display;
}

}  // namespace

const TXDisplay& XDisplay() {
    static const TXDisplay display = Read();
    return display;
}

}  // namespace lumvex
