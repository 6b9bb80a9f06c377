#pragma once
// Private to the platform layer: colours and fonts of the toolkit's own
// widgets (lists, combo boxes, edit boxes, check boxes).
#include <QWidget>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"

namespace lumvex {

// Background colour of the widget's field (list, edit, box).
void ApplyBackColor(QWidget& widget, TColor color);
// Font and text colour.
void ApplyFont(QWidget& widget, const TFont& font);

}  // namespace lumvex
