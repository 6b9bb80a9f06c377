#include "Designs.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "Shading.h"

namespace artwork {
namespace {

// The emblem: a lens of light, green like the program's first colour scheme.
void DrawLens(QPainter& p, QPointF centre, qreal radius) {
    QRadialGradient glass(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.3);
    glass.setColorAt(0, QColor(0xD8, 0xFF, 0xC8));
    glass.setColorAt(0.45, QColor(0x3C, 0xD8, 0x6E));
    glass.setColorAt(1, QColor(0x0A, 0x50, 0x2A));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(QColor(0x0C, 0x38, 0x20));
    p.drawEllipse(centre + QPointF(radius * 0.12, radius * 0.12), radius * 0.38, radius * 0.38);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(centre - QPointF(radius * 0.38, radius * 0.38), radius * 0.2, radius * 0.2);
}

void DrawRays(QPainter& p, QPointF centre, qreal inner, qreal outer) {
    for (int i = 0; i < 12; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(i * 30 + 15);
        QLinearGradient fade(inner, 0, outer, 0);
        fade.setColorAt(0, QColor(0x60, 0xFF, 0x90, 200));
        fade.setColorAt(1, QColor(0x60, 0xFF, 0x90, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(fade);
        p.drawPolygon(QPolygonF{{inner, -3}, {outer, -0.5}, {outer, 0.5}, {inner, 3}});
        p.restore();
    }
}

// The word centred between left and right, standing on the baseline.
QPainterPath Wordmark(const QString& word, qreal left, qreal right, qreal baseline, int pixels) {
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(pixels);
    QPainterPath path;
    path.addText(0, 0, font, word);
    const QRectF box = path.boundingRect();
    return path.translated(left + (right - left - box.width()) / 2 - box.left(), baseline);
}

// A page with a folded corner, a small landscape and a coloured band naming the type.
void DrawDocument(QPainter& p, const QColor& band, const QString& label, bool withText) {
    QPainterPath page;
    page.moveTo(8, 2);
    page.lineTo(32, 2);
    page.lineTo(42, 12);
    page.lineTo(42, 46);
    page.lineTo(8, 46);
    page.closeSubpath();
    p.setPen(QPen(QColor(0x50, 0x50, 0x58), 1.5));
    p.setBrush(QColor(0xFA, 0xFA, 0xF6));
    p.drawPath(page);
    p.setBrush(QColor(0xD8, 0xD8, 0xD0));
    p.drawPolygon(QPolygonF{{32, 2}, {32, 12}, {42, 12}});

    const QRectF view(12, 14, 26, 16);
    QLinearGradient sky(view.topLeft(), view.bottomLeft());
    sky.setColorAt(0, QColor(0x58, 0x9C, 0xE8));
    sky.setColorAt(1, QColor(0xC8, 0xE4, 0xFF));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(view);
    p.setBrush(QColor(0xFF, 0xD0, 0x40));
    p.drawEllipse(QPointF(32, 19), 3, 3);
    p.setBrush(QColor(0x3A, 0x9A, 0x48));
    p.drawPolygon(QPolygonF{{12, 30}, {12, 25}, {19, 19}, {26, 26}, {30, 23}, {38, 29}, {38, 30}});

    p.setBrush(band);
    p.drawRect(QRectF(8, 33, 34, 11));
    if (!withText) return;
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(8, 33, 34, 11), Qt::AlignCenter, label);
}

}  // namespace

QImage BackgroundLogo() {
    QImage logo(473, 287, QImage::Format_RGB32);
    logo.fill(Qt::black);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);

    const QPointF centre(96, 86);
    DrawRays(p, centre, 50, 82);
    DrawLens(p, centre, 46);

    QLinearGradient green(0, 40, 0, 120);
    green.setColorAt(0, QColor(0xC0, 0xFF, 0xB0));
    green.setColorAt(0.5, QColor(0x30, 0xE0, 0x70));
    green.setColorAt(1, QColor(0x10, 0x80, 0x40));
    const QPainterPath word = Wordmark("Lumvex", 150, 468, 112, 66);
    p.setPen(QPen(QColor(0x08, 0x30, 0x18), 2));
    p.setBrush(green);
    p.drawPath(word);

    // A faint reflection under the name, fading towards the bottom.
    p.save();
    p.translate(0, 2 * 128);
    p.scale(1, -1);
    QLinearGradient fade(0, 112, 0, 60);
    fade.setColorAt(0, QColor(0x20, 0x90, 0x48, 110));
    fade.setColorAt(1, QColor(0x20, 0x90, 0x48, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(fade);
    p.drawPath(word);
    p.restore();

    QFont tagline("DejaVu Sans");
    tagline.setPixelSize(15);
    p.setFont(tagline);
    p.setPen(QColor(0x70, 0xA0, 0x80));
    p.drawText(QRectF(0, 240, 473, 24), Qt::AlignCenter, QString::fromUtf8("képnézegető"));
    return logo;
}

QImage Emblem() {
    QImage emblem(24, 24, QImage::Format_RGB32);
    emblem.fill(Qt::black);
    QPainter p(&emblem);
    p.setRenderHint(QPainter::Antialiasing);
    DrawLens(p, QPointF(12, 12), 10.5);
    p.end();
    // Smoothing against black leaves nearly black edge pixels; make them black
    // so that they vanish with the background instead of framing the lens.
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const QRgb c = emblem.pixel(x, y);
            if (c != qRgb(0, 0, 0) && qMax(qMax(qRed(c), qGreen(c)), qBlue(c)) < 0x10) emblem.setPixel(x, y, qRgb(0, 0, 0));
        }
    return emblem;
}

QImage SizeGrip() {
    QImage grip(16, 16, QImage::Format_RGB32);
    grip.fill(KeyColor);
    // Dots in three diagonal rows towards the bottom-right corner, each lit
    // at its top-left and shaded at its bottom-right.
    for (int row = 0; row < 3; ++row)
        for (int i = 0; i <= row; ++i) {
            const int x = 13 - 4 * (row - i) - 1;
            const int y = 13 - 4 * i - 1;
            grip.setPixel(x, y, qRgb(0xF0, 0xF0, 0xF0));
            grip.setPixel(x + 1, y, qRgb(0xB0, 0xB0, 0xB0));
            grip.setPixel(x, y + 1, qRgb(0xB0, 0xB0, 0xB0));
            grip.setPixel(x + 1, y + 1, qRgb(0x50, 0x50, 0x50));
        }
    return grip;
}

QImage ButtonPlate(bool lit) {
    QImage drawing = NewDrawing(89, 27);
    QPainter p;
    BeginSmooth(p, drawing);
    p.setPen(Qt::NoPen);
    p.setBrush(BodyInk);
    p.drawRoundedRect(QRectF(1.5, 1.5, 86, 24), 7, 7);
    p.setBrush(QColor(0xB0, 0xB0, 0xB0));
    p.drawRoundedRect(QRectF(5, 14, 79, 9), 4, 4);  // a shaded lower half
    p.end();
    const Shades shades = lit ? Shades{0xFF, 0xE0, 0x70, 0x30} : Shades{0xB8, 0x88, 0x40, 0x20};
    return ShadeOnKey(drawing, shades).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}

QImage ProgramIcon(int index, int edge) {
    QImage icon(edge, edge, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(edge / 48.0, edge / 48.0);
    const bool withText = edge >= 32;
    switch (index) {
        case 0: {
            p.setPen(QPen(QColor(0x20, 0x30, 0x28), 2));
            p.setBrush(QColor(0x10, 0x18, 0x14));
            p.drawRoundedRect(QRectF(3, 3, 42, 42), 9, 9);
            DrawLens(p, QPointF(24, 24), 16);
            break;
        }
        case 1: DrawDocument(p, QColor(0x30, 0x60, 0xC0), "BMP", withText); break;
        case 2: DrawDocument(p, QColor(0xE0, 0x80, 0x20), "GIF", withText); break;
        case 3: DrawDocument(p, QColor(0x90, 0x40, 0xB0), "ICO", withText); break;
        default: DrawDocument(p, QColor(0x20, 0x90, 0x50), "JPG", withText); break;
    }
    return icon;
}

}  // namespace artwork
