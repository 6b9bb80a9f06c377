#pragma once
// Private to the platform layer: how our pictures, colours and fonts look to Qt.
#include <QColor>
#include <QFont>
#include <QImage>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/services/SystemColors.h"

namespace lumvex {

// A system colour (a skin colour stored by its name) paints as the desktop's.
inline QColor ToQColor(TColor c) {
    if ((c & 0xFF000000u) == SystemColorBase) c = ColorToRGB(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline TColor FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }
QFont ToQFont(const TFont& font);

// A QImage over the bitmap's own pixels that QPainter can draw on. Bitmaps of
// 1, 4 and 8 bits are widened to 24 bits first, as Qt cannot paint on them.
QImage PaintableImage(TBitmap& bitmap);
// A QImage of the bitmap's pixels for reading (a view where Qt knows the
// layout, else a converted copy).
QImage SourceImage(const TBitmap& bitmap);
// The bitmap as 32-bit ARGB with the key colour's pixels fully transparent.
QImage KeyedImage(const TBitmap& bitmap, TColor keyColor);
// Any picture rendered into a 32-bit image of its own size.
QImage RenderGraphic(const TGraphic& graphic);
// Lets platform pictures paint with Qt on any canvas (a bitmap or a control).
void PaintOnCanvas(TCanvas& canvas, const std::function<void(QPainter&)>& draw);
// A copy of a QImage as a 32-bit bitmap.
TBitmap BitmapFromQImage(const QImage& image);

}  // namespace lumvex
