#include "Glyphs.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <QtMath>
#include <functional>

#include "Shading.h"

namespace artwork {
namespace {

using DrawGlyph = std::function<void(QPainter&)>;

constexpr int Cell = 24;
constexpr int WideCell = 68;

void Stroke(QPainter& p, const QColor& ink, qreal width) {
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void Fill(QPainter& p, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
}

// An arc with an arrowhead at its end; angles in degrees, counter-clockwise
// from three o'clock, a negative span turning clockwise.
void ArcArrow(QPainter& p, QPointF centre, qreal radius, qreal startDeg, qreal spanDeg) {
    Stroke(p, BodyInk, 2.6);
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(box, int(startDeg * 16), int((spanDeg - (spanDeg > 0 ? 25 : -25)) * 16));
    const qreal end = qDegreesToRadians(startDeg + spanDeg);
    const QPointF tip(centre.x() + radius * qCos(end), centre.y() - radius * qSin(end));
    const qreal turn = spanDeg > 0 ? 1 : -1;  // direction of travel along the arc
    const QPointF along(-qSin(end) * turn, -qCos(end) * turn);
    const QPointF across(along.y(), -along.x());
    Fill(p, BodyInk);
    p.drawPolygon(QPolygonF{tip + along * 4, tip - along * 3 + across * 4.5, tip - along * 3 - across * 4.5});
}

void MirrorGlyph(QPainter& p) {  // axis across the middle, shape above, its image below
    Fill(p, BodyInk);
    p.drawRect(QRectF(3, 11, 18, 2));
    p.drawPolygon(QPolygonF{{5, 9}, {19, 9}, {12, 3}});
    Stroke(p, BodyInk, 1.8);
    p.drawPolygon(QPolygonF{{5.5, 15.5}, {18.5, 15.5}, {12, 20.5}});
}

const DrawGlyph SmallGlyphs[SmallGlyphCount] = {
    [](QPainter& p) {  // 0 delete: a waste bin
        Fill(p, BodyInk);
        p.drawRect(QRectF(4, 5, 16, 2.5));
        p.drawRect(QRectF(9.5, 3, 5, 2.5));
        p.drawPolygon(QPolygonF{{5.5, 9}, {18.5, 9}, {17, 21}, {7, 21}});
        Stroke(p, DetailInk, 1.2);
        for (qreal x : {9.5, 12.0, 14.5}) p.drawLine(QPointF(x, 11), QPointF(x, 19));
    },
    [](QPainter& p) {  // 1 mark: a tick
        Stroke(p, BodyInk, 3.5);
        p.drawPolyline(QPolygonF{{5, 12.5}, {10, 17.5}, {19, 6}});
    },
    [](QPainter& p) {  // 2 full size without frame: four corners pushed outwards
        Stroke(p, BodyInk, 3);
        p.drawPolyline(QPolygonF{{4, 10}, {4, 4}, {10, 4}});
        p.drawPolyline(QPolygonF{{14, 4}, {20, 4}, {20, 10}});
        p.drawPolyline(QPolygonF{{20, 14}, {20, 20}, {14, 20}});
        p.drawPolyline(QPolygonF{{10, 20}, {4, 20}, {4, 14}});
        Fill(p, BodyInk);
        p.drawRect(QRectF(9, 9, 6, 6));
    },
    [](QPainter& p) {  // 3 small size: a bar at the bottom
        Fill(p, BodyInk);
        p.drawRect(QRectF(5, 15, 14, 4));
    },
    [](QPainter& p) {  // 4 full size: a window with its title bar
        Stroke(p, BodyInk, 2);
        p.drawRect(QRectF(4, 5, 16, 14));
        Fill(p, BodyInk);
        p.drawRect(QRectF(4, 5, 16, 4));
    },
    [](QPainter& p) {  // 5 close: a cross
        Stroke(p, BodyInk, 3.5);
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
    },
    [](QPainter& p) {  // 6 folder
        Fill(p, BodyInk);
        p.drawPolygon(QPolygonF{{3, 6}, {9, 6}, {11, 8}, {21, 8}, {21, 19}, {3, 19}});
        Stroke(p, DetailInk, 1.2);
        p.drawLine(QPointF(3.5, 10.5), QPointF(20.5, 10.5));
    },
    [](QPainter& p) {  // 7 transformations: a square turned and grown into another
        Stroke(p, BodyInk, 2);
        p.drawRect(QRectF(4, 4, 10, 10));
        Fill(p, BodyInk);
        p.drawPolygon(QPolygonF{{15, 8}, {21, 14}, {15, 20}, {9, 14}});
    },
    [](QPainter& p) {  // 8 dock: a small window pulled against a large one
        Stroke(p, BodyInk, 2);
        p.drawRect(QRectF(3, 5, 10, 14));
        Fill(p, BodyInk);
        p.drawRect(QRectF(14, 7, 7, 10));
        Fill(p, DetailInk);
        p.drawPolygon(QPolygonF{{15.5, 12}, {19.5, 9.5}, {19.5, 14.5}});
    },
    [](QPainter& p) {  // 9 edit picture: a pencil
        p.translate(12, 12);
        p.rotate(-45);
        Fill(p, BodyInk);
        p.drawRect(QRectF(-10, -3, 14, 6));
        p.drawPolygon(QPolygonF{{4, -3}, {10, 0}, {4, 3}});
        Fill(p, DetailInk);
        p.drawPolygon(QPolygonF{{8, -1}, {10.5, 0}, {8, 1}});
        Stroke(p, DetailInk, 1);
        p.drawLine(QPointF(-7, -3), QPointF(-7, 3));
    },
    [](QPainter& p) {  // 10 picture layout: a picture placed inside its frame
        Stroke(p, BodyInk, 2);
        p.drawRect(QRectF(3, 4, 18, 16));
        Fill(p, BodyInk);
        p.drawRect(QRectF(8, 9, 8, 6));
        p.drawPolygon(QPolygonF{{12, 5.5}, {14, 7.5}, {10, 7.5}});
        p.drawPolygon(QPolygonF{{12, 18.5}, {14, 16.5}, {10, 16.5}});
    },
    [](QPainter& p) { MirrorGlyph(p); },  // 11 mirror vertically: top to bottom
    [](QPainter& p) {                     // 12 mirror horizontally: left to right
        p.translate(24, 0);
        p.rotate(90);
        MirrorGlyph(p);
    },
    [](QPainter& p) {  // 13 switch background: a disc half light, half dark
        Fill(p, BodyInk);
        p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
        Fill(p, DetailInk);
        p.drawPie(QRectF(5.5, 5.5, 13, 13), -90 * 16, 180 * 16);
    },
    [](QPainter& p) { ArcArrow(p, QPointF(12, 14), 6.5, 0, -270); },  // 14 rotate right
    [](QPainter& p) { ArcArrow(p, QPointF(12, 14), 6.5, 180, 270); },  // 15 rotate left
    [](QPainter& p) {  // 16 options: three sliders
        Fill(p, BodyInk);
        const qreal knobs[] = {8, 15, 11};
        for (int i = 0; i < 3; ++i) {
            const qreal y = 6 + 6 * i;
            p.drawRect(QRectF(3, y - 1, 18, 2));
            p.drawRoundedRect(QRectF(knobs[i] - 2, y - 3, 4, 6), 1, 1);
        }
    },
    [](QPainter& p) {  // 17 thumbnail browser: a grid of small pictures
        Fill(p, BodyInk);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) p.drawRect(QRectF(3 + 6.5 * col, 3 + 6.5 * row, 5, 5));
    },
};

const char* const WideWords[WideGlyphCount] = {"mozgat", "másol", "konvertál", "méretez", "OK", "névjegy"};

// A rounded plate with the word cut in as detail, shrunk until it fits.
void DrawWordPlate(QPainter& p, const QString& word) {
    Fill(p, BodyInk);
    p.drawRoundedRect(QRectF(2, 2, WideCell - 4, Cell - 4), 5, 5);
    QFont font("DejaVu Sans");
    font.setBold(true);
    int pixels = 13;
    for (; pixels > 7; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(word) <= WideCell - 12) break;
    }
    p.setFont(font);
    p.setPen(DetailInk);
    p.drawText(QRectF(2, 2, WideCell - 4, Cell - 4), Qt::AlignCenter, word);
}

// Lit glyphs are brighter and more contrasted than glyphs at rest.
const Shades RestShades{0xD4, 0xA0, 0x40, 0x30};
const Shades LitShades{0xFF, 0xDC, 0x28, 0x18};

void PlaceCell(QPainter& sheet, int x, int y, int width, const DrawGlyph& draw, const Shades& shades) {
    QImage drawing = NewDrawing(width, Cell);
    QPainter painter;
    BeginSmooth(painter, drawing);
    draw(painter);
    painter.end();
    sheet.drawImage(x, y, ShadeOnKey(drawing, shades));
}

}  // namespace

QImage GlyphSheet() {
    QImage sheet(SmallGlyphCount * Cell, 4 * Cell, QImage::Format_RGB32);
    sheet.fill(KeyColor);
    QPainter painter(&sheet);
    for (int k = 0; k < SmallGlyphCount; ++k) {
        PlaceCell(painter, k * Cell, 0, Cell, SmallGlyphs[k], RestShades);
        PlaceCell(painter, k * Cell, Cell, Cell, SmallGlyphs[k], LitShades);
    }
    for (int k = 0; k < WideGlyphCount; ++k) {
        const DrawGlyph plate = [k](QPainter& p) { DrawWordPlate(p, QString::fromUtf8(WideWords[k])); };
        PlaceCell(painter, k * WideCell, 2 * Cell, WideCell, plate, RestShades);
        PlaceCell(painter, k * WideCell, 3 * Cell, WideCell, plate, LitShades);
    }
    return sheet;
}

}  // namespace artwork
