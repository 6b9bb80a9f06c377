#include "appearance/ColorText.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <utility>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

constexpr std::array<std::pair<TColor, const char*>, 16> BasicColors{{
    {0x000000, "clBlack"}, {0x000080, "clMaroon"}, {0x008000, "clGreen"}, {0x008080, "clOlive"},
    {0x800000, "clNavy"},  {0x800080, "clPurple"}, {0x808000, "clTeal"},  {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"}, {0x0000FF, "clRed"},   {0x00FF00, "clLime"},  {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},  {0xFF00FF, "clFuchsia"}, {0xFFFF00, "clAqua"}, {0xFFFFFF, "clWhite"},
}};

// The desktop's system colours, 0x80000000 onwards in this order.
constexpr std::array<const char*, 25> SystemColors{
    "clScrollBar",   "clBackground",    "clActiveCaption",  "clInactiveCaption", "clMenu",
    "clWindow",      "clWindowFrame",   "clMenuText",       "clWindowText",      "clCaptionText",
    "clActiveBorder", "clInactiveBorder", "clAppWorkSpace", "clHighlight",       "clHighlightText",
    "clBtnFace",     "clBtnShadow",     "clGrayText",       "clBtnText",         "clInactiveCaptionText",
    "clBtnHighlight", "cl3DDkShadow",   "cl3DLight",        "clInfoText",        "clInfoBk",
};

// "$" and up to eight hexadecimal digits, as a 32-bit value.
bool ParseHex(const std::string& text, TColor& color) {
    if (text.size() < 2 || text.size() > 9 || text[0] != '$') return false;
    const char* last = text.data() + text.size();
    auto [end, error] = std::from_chars(text.data() + 1, last, color, 16);
    return error == std::errc() && end == last;
}

bool SameText(const std::string& a, const std::string& b) { return LowerCase(a) == LowerCase(b); }

}  // namespace

std::string ColorToString(TColor color) {
    for (auto [value, name] : BasicColors)
        if (value == color) return name;
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", unsigned(color));
    return text;
}

TColor StringToColor(const std::string& text) {
    for (auto [value, name] : BasicColors)
        if (SameText(text, name)) return value;
    for (std::size_t i = 0; i < SystemColors.size(); ++i)
        if (SameText(text, SystemColors[i])) return TColor(0x80000000u + i);
    if (TColor color = 0; ParseHex(text, color)) return color;
    return TColor(StrToInt(text));
}

}  // namespace lumvex
