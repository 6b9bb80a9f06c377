#pragma once
// Real input events for tests: keys and mouse actions are delivered to the
// control's widget as the desktop would, so they pass through the same
// translation (virtual-key codes, shift state, coordinates) as user input.
#include <cstdint>
#include <string>

#include "platform/controls/ControlTypes.h"

namespace lumvex {

class TControl;

namespace test_input {

// A key press and release with the virtual-key code; shift holds ssShift,
// ssCtrl and ssAlt bits.
void SendKey(TControl& target, std::uint16_t vk, TShiftState shift = 0);
void SendKeyDown(TControl& target, std::uint16_t vk, TShiftState shift = 0);
void SendKeyUp(TControl& target, std::uint16_t vk, TShiftState shift = 0);
// Types text key by key, as the keyboard does: each character is pressed and
// released with its key and carries itself as the key's text.
void TypeText(TControl& target, const std::string& text);

// Mouse actions at client position (x, y) of the control.
void SendMouseDown(TControl& target, TMouseButton button, int x, int y, TShiftState shift = 0);
void SendMouseUp(TControl& target, TMouseButton button, int x, int y, TShiftState shift = 0);
// buttons holds the ssLeft/ssRight/ssMiddle bits of the buttons held.
void SendMouseMove(TControl& target, int x, int y, TShiftState buttons = 0);
void SendClick(TControl& target, int x = 1, int y = 1);
void SendDblClick(TControl& target, int x = 1, int y = 1);
void SendMouseEnter(TControl& target);
void SendMouseLeave(TControl& target);

// Runs the pending events and timers for about ms milliseconds.
void ProcessEventsFor(int ms);

}  // namespace test_input
}  // namespace lumvex
