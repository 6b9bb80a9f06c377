#include "platform/controls/KeyMap.h"

#include <array>
#include <utility>

#include "platform/services/KeyCodes.h"

namespace lumvex {

namespace {

// Keys that are not letters, digits or function keys, without the keypad flag.
constexpr std::array<std::pair<int, std::uint16_t>, 30> kPlainKeys{{
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},        {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},  {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},   {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},       {Qt::Key_Print, VK_PRINT},
    {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},   {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Plus, 187},         {Qt::Key_Equal, 187},
    {Qt::Key_Comma, 188},          {Qt::Key_Minus, 189},          {Qt::Key_Period, 190},
}};

// Keys of the numeric keypad other than its digits.
constexpr std::array<std::pair<int, std::uint16_t>, 6> kKeypadKeys{{
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},     {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
}};

// The shifted symbols of the digit row report their digit's key.
constexpr std::array<std::pair<int, char>, 10> kShiftedDigits{{
    {Qt::Key_ParenRight, '0'}, {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'},         {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},     {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},   {Qt::Key_ParenLeft, '9'},
}};

}  // namespace

std::uint16_t VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint16_t>(VK_NUMPAD0 + key - Qt::Key_0);
        for (auto [qt, vk] : kKeypadKeys)
            if (qt == key) return vk;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::uint16_t>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::uint16_t>(VK_F1 + key - Qt::Key_F1);
    for (auto [qt, vk] : kPlainKeys)
        if (qt == key) return vk;
    for (auto [qt, digit] : kShiftedDigits)
        if (qt == key) return static_cast<std::uint16_t>(digit);
    return 0;
}

QtKeyStroke QtKeyOf(std::uint16_t vk, TShiftState shift) {
    QtKeyStroke stroke;
    stroke.modifiers = ModifiersOf(shift);
    auto printable = [&](char c) { stroke.text = QString(QChar(c)); };
    if (vk >= 'A' && vk <= 'Z') {
        stroke.key = vk;
        printable(static_cast<char>((shift & ssShift) ? vk : vk - 'A' + 'a'));
    } else if (vk >= '0' && vk <= '9') {
        stroke.key = vk;
        printable(static_cast<char>(vk));
    } else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        stroke.key = Qt::Key_0 + (vk - VK_NUMPAD0);
        stroke.modifiers |= Qt::KeypadModifier;
        printable(static_cast<char>('0' + vk - VK_NUMPAD0));
    } else if (vk >= VK_F1 && vk <= VK_F1 + 23) {
        stroke.key = Qt::Key_F1 + (vk - VK_F1);
    } else {
        for (auto [qt, code] : kKeypadKeys)
            if (code == vk) {
                stroke.key = qt;
                stroke.modifiers |= Qt::KeypadModifier;
                printable(static_cast<char>(qt));
                return stroke;
            }
        for (auto [qt, code] : kPlainKeys)
            if (code == vk) {
                stroke.key = qt;
                if (vk == VK_SPACE) printable(' ');
                if (vk == VK_RETURN) printable('\r');
                return stroke;
            }
    }
    return stroke;
}

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= ssShift;
    if (modifiers & Qt::AltModifier) shift |= ssAlt;
    if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
    if (buttons & Qt::LeftButton) shift |= ssLeft;
    if (buttons & Qt::RightButton) shift |= ssRight;
    if (buttons & Qt::MiddleButton) shift |= ssMiddle;
    return shift;
}

Qt::KeyboardModifiers ModifiersOf(TShiftState shift) {
    Qt::KeyboardModifiers modifiers;
    if (shift & ssShift) modifiers |= Qt::ShiftModifier;
    if (shift & ssAlt) modifiers |= Qt::AltModifier;
    if (shift & ssCtrl) modifiers |= Qt::ControlModifier;
    return modifiers;
}

Qt::MouseButtons ButtonsOf(TShiftState shift) {
    Qt::MouseButtons buttons;
    if (shift & ssLeft) buttons |= Qt::LeftButton;
    if (shift & ssRight) buttons |= Qt::RightButton;
    if (shift & ssMiddle) buttons |= Qt::MiddleButton;
    return buttons;
}

Qt::MouseButton ButtonOf(TMouseButton button) {
    switch (button) {
    case mbRight: return Qt::RightButton;
    case mbMiddle: return Qt::MiddleButton;
    case mbLeft: break;
    }
    return Qt::LeftButton;
}

}  // namespace lumvex
