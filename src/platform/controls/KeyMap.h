#pragma once
// Private to the platform layer: toolkit keys to desktop virtual-key codes and back.
#include <QKeyEvent>
#include <cstdint>

#include "platform/controls/ControlTypes.h"

namespace lumvex {

// 0 for keys without a virtual-key code.
std::uint16_t VirtualKeyOf(const QKeyEvent& event);

struct QtKeyStroke {
    int key = 0;  // Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text;
};
QtKeyStroke QtKeyOf(std::uint16_t vk, TShiftState shift);

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
Qt::KeyboardModifiers ModifiersOf(TShiftState shift);
Qt::MouseButtons ButtonsOf(TShiftState shift);
Qt::MouseButton ButtonOf(TMouseButton button);

}  // namespace lumvex
