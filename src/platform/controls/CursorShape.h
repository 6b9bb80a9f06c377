#pragma once
// The toolkit's cursor shape for each of the program's cursors.
#include <Qt>

#include "platform/controls/ControlTypes.h"

namespace lumvex {

Qt::CursorShape ShapeOf(TCursor cursor);

}  // namespace lumvex
