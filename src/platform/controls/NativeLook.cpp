#include "platform/controls/NativeLook.h"

#include <QPalette>

#include "platform/graphics/QtBridge.h"

namespace lumvex {

void ApplyBackColor(QWidget& widget, TColor color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, ToQColor(color));
    palette.setColor(QPalette::Window, ToQColor(color));
    palette.setColor(QPalette::Button, ToQColor(color));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void ApplyFont(QWidget& widget, const TFont& font) {
    widget.setFont(ToQFont(font));
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Text, ToQColor(font.Color));
    palette.setColor(QPalette::WindowText, ToQColor(font.Color));
    palette.setColor(QPalette::ButtonText, ToQColor(font.Color));
    widget.setPalette(palette);
}

}  // namespace lumvex
