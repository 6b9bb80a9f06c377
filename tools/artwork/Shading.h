#pragma once
// Turns a drawing made in two inks into the program's grey, key-coloured
// artwork: white strokes become the glyph's body, black strokes its inner
// details, and a dark outline is grown around the whole shape so that it
// reads on any bar colour. Pixels outside the shape get the key colour.
#include <QColor>
#include <QImage>
#include <QPainter>

namespace artwork {

inline constexpr QRgb KeyColor = 0xFFFF00FF;  // fuchsia: transparent on screen
inline const QColor BodyInk = Qt::white;
inline const QColor DetailInk = Qt::black;

struct Shades {
    int bodyTop;     // grey level of the body at the top of the picture
    int bodyBottom;  // and at the bottom (a soft vertical light)
    int detail;      // grey level of the details
    int outline;     // grey level of the grown outline; -1 for none
};

// A transparent picture to draw on, and a painter with smooth edges for it.
QImage NewDrawing(int width, int height);
void BeginSmooth(QPainter& painter, QImage& drawing);

// Pixels at least half covered count as the shape; the rest become KeyColor.
QImage ShadeOnKey(const QImage& drawing, const Shades& shades);

}  // namespace artwork
