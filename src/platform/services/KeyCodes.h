#pragma once
// Desktop virtual-key codes, as the key events report them. Letters are their
// upper-case character code ('A' = 65) and digits theirs ('0' = 48).
#include <cstdint>

namespace lumvex {

inline constexpr std::uint16_t VK_BACK = 8;
inline constexpr std::uint16_t VK_TAB = 9;
inline constexpr std::uint16_t VK_RETURN = 13;
inline constexpr std::uint16_t VK_SHIFT = 16;
inline constexpr std::uint16_t VK_CONTROL = 17;
inline constexpr std::uint16_t VK_MENU = 18;  // Alt
inline constexpr std::uint16_t VK_PAUSE = 19;
inline constexpr std::uint16_t VK_CAPITAL = 20;
inline constexpr std::uint16_t VK_ESCAPE = 27;
inline constexpr std::uint16_t VK_SPACE = 32;
inline constexpr std::uint16_t VK_PRIOR = 33;  // Page Up
inline constexpr std::uint16_t VK_NEXT = 34;   // Page Down
inline constexpr std::uint16_t VK_END = 35;
inline constexpr std::uint16_t VK_HOME = 36;
inline constexpr std::uint16_t VK_LEFT = 37;
inline constexpr std::uint16_t VK_UP = 38;
inline constexpr std::uint16_t VK_RIGHT = 39;
inline constexpr std::uint16_t VK_DOWN = 40;
inline constexpr std::uint16_t VK_PRINT = 42;
inline constexpr std::uint16_t VK_INSERT = 45;
inline constexpr std::uint16_t VK_DELETE = 46;
inline constexpr std::uint16_t VK_NUMPAD0 = 96;
inline constexpr std::uint16_t VK_NUMPAD1 = 97;
inline constexpr std::uint16_t VK_NUMPAD2 = 98;
inline constexpr std::uint16_t VK_NUMPAD3 = 99;
inline constexpr std::uint16_t VK_NUMPAD4 = 100;
inline constexpr std::uint16_t VK_NUMPAD5 = 101;
inline constexpr std::uint16_t VK_NUMPAD6 = 102;
inline constexpr std::uint16_t VK_NUMPAD7 = 103;
inline constexpr std::uint16_t VK_NUMPAD8 = 104;
inline constexpr std::uint16_t VK_NUMPAD9 = 105;
inline constexpr std::uint16_t VK_MULTIPLY = 106;
inline constexpr std::uint16_t VK_ADD = 107;
inline constexpr std::uint16_t VK_SUBTRACT = 109;
inline constexpr std::uint16_t VK_DECIMAL = 110;
inline constexpr std::uint16_t VK_DIVIDE = 111;
inline constexpr std::uint16_t VK_F1 = 112;  // F2 = 113 … F12 = 123
inline constexpr std::uint16_t VK_F12 = 123;
inline constexpr std::uint16_t VK_NUMLOCK = 144;
inline constexpr std::uint16_t VK_SCROLL = 145;

}  // namespace lumvex
