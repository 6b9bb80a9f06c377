#pragma once
// The small types every control shares: alignment, cursors, mouse buttons,
// the shift state and the shapes of the control events.
#include <cstdint>
#include <functional>

#include "platform/Classes.h"

namespace lumvex {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TCursor {
    crDefault,
    crArrow,
    crCross,
    crIBeam,
    crSizeNWSE,
    crSizeNESW,
    crSizeNS,
    crSizeWE,
    crSizeAll,
    crHandPoint,
    crHourGlass,
    crNo,
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A bit set: test with `shift & ssLeft`.
using TShiftState = unsigned;
enum TShiftStateBit : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};

// What happens to a form after its OnClose handler.
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// key is a desktop virtual-key code (services/KeyCodes.h); a handler that sets
// it to 0 keeps the control from handling the key itself.
using TKeyEvent = std::function<void(TObject* sender, std::uint16_t& key, TShiftState shift)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

}  // namespace lumvex
