#include "Samples.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdint>

namespace artwork {
namespace {

// A small fixed generator, so that every run draws the same grain.
class Grain {
public:
    int Next(int range) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((state_ >> 33) % std::uint64_t(range));
    }

private:
    std::uint64_t state_ = 0x5EED;
};

// Film-like grain: each pixel moved a few levels lighter or darker.
void AddGrain(QImage& image, int strength) {
    Grain grain;
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d = grain.Next(2 * strength + 1) - strength;
            const QRgb c = row[x];
            row[x] = qRgb(qBound(0, qRed(c) + d, 255), qBound(0, qGreen(c) + d, 255), qBound(0, qBlue(c) + d, 255));
        }
    }
}

QPolygonF Ridge(int width, qreal base, qreal height, qreal waves, qreal phase, qreal bottom) {
    QPolygonF ridge;
    ridge << QPointF(0, bottom);
    for (int x = 0; x <= width; x += 4) {
        const qreal t = qreal(x) / width;
        ridge << QPointF(x, base - height * (0.6 * qSin(t * waves + phase) + 0.4 * qSin(t * waves * 2.7 + phase * 1.9)));
    }
    ridge << QPointF(width, bottom);
    return ridge;
}

QImage Indexed(const QImage& image, const QList<QRgb>& palette) {
    return image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

}  // namespace

QImage Landscape(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal horizon = height * 0.62;

    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(0x1C, 0x24, 0x5C));
    sky.setColorAt(0.55, QColor(0xC8, 0x68, 0x70));
    sky.setColorAt(1, QColor(0xFF, 0xC0, 0x70));
    p.fillRect(QRectF(0, 0, width, horizon), sky);

    const QPointF sun(width * 0.68, horizon - height * 0.08);
    QRadialGradient glow(sun, height * 0.3);
    glow.setColorAt(0, QColor(0xFF, 0xF0, 0xC0, 255));
    glow.setColorAt(0.12, QColor(0xFF, 0xD8, 0x80, 230));
    glow.setColorAt(1, QColor(0xFF, 0xA0, 0x60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, height * 0.3, height * 0.3);

    const QColor ridges[] = {QColor(0x6A, 0x50, 0x78), QColor(0x46, 0x3A, 0x5C), QColor(0x24, 0x2C, 0x3C)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(ridges[i]);
        p.drawPolygon(Ridge(width, horizon - height * (0.12 - 0.04 * i), height * (0.07 + 0.02 * i), 5 + 3 * i, i * 1.7,
                            horizon + 1));
    }

    // The lake mirrors the sky, darker, broken by ripples.
    QImage lake = image.copy(0, 0, width, int(horizon)).mirrored(false, true);
    p.drawImage(QPointF(0, horizon), lake);
    p.fillRect(QRectF(0, horizon, width, height - horizon), QColor(0x10, 0x18, 0x30, 120));
    for (int i = 0; i < 60; ++i) {
        const qreal y = horizon + (height - horizon) * (i + 1) / 61.0;
        const qreal x = width * qreal((i * 37) % 100) / 100;
        p.setPen(QPen(QColor(0xFF, 0xE0, 0xB0, 70), 1 + i / 20));
        p.drawLine(QPointF(x, y), QPointF(x + width * 0.05 + i, y));
    }
    p.end();
    AddGrain(image, 4);
    return image;
}

QImage StillLife(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wall(0, 0, 0, height);
    wall.setColorAt(0, QColor(0x30, 0x34, 0x3C));
    wall.setColorAt(0.6, QColor(0x60, 0x64, 0x6C));
    wall.setColorAt(0.6001, QColor(0x7A, 0x52, 0x34));
    wall.setColorAt(1, QColor(0x4A, 0x30, 0x1C));
    p.fillRect(image.rect(), wall);

    struct Ball { qreal x, y, r; QColor color; };
    const Ball balls[] = {{0.3, 0.55, 0.16, QColor(0xD0, 0x30, 0x30)},
                          {0.66, 0.6, 0.12, QColor(0x30, 0x80, 0xD0)},
                          {0.5, 0.72, 0.09, QColor(0xE0, 0xC0, 0x30)}};
    for (const Ball& b : balls) {
        const QPointF c(width * b.x, height * b.y);
        const qreal r = width * b.r;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawEllipse(QPointF(c.x() + r * 0.3, c.y() + r * 0.95), r * 0.9, r * 0.22);
        QRadialGradient shade(c - QPointF(r * 0.35, r * 0.4), r * 1.4);
        shade.setColorAt(0, Qt::white);
        shade.setColorAt(0.15, b.color.lighter(150));
        shade.setColorAt(0.6, b.color);
        shade.setColorAt(1, b.color.darker(400));
        p.setBrush(shade);
        p.drawEllipse(c, r, r);
    }
    p.end();
    AddGrain(image, 3);
    return image;
}

QImage ColourWheel(int edge) {
    QImage image(edge, edge, QImage::Format_RGB32);
    const qreal centre = edge / 2.0;
    for (int y = 0; y < edge; ++y)
        for (int x = 0; x < edge; ++x) {
            const qreal dx = x - centre, dy = y - centre;
            const qreal radius = qSqrt(dx * dx + dy * dy) / centre;
            if (radius > 1) {
                image.setPixel(x, y, qRgb(0x20, 0x20, 0x20));
                continue;
            }
            const int hue = int(qRadiansToDegrees(qAtan2(dy, dx)) + 360) % 360;
            image.setPixel(x, y, QColor::fromHsv(hue, int(255 * radius), 255).rgb());
        }
    // 256 colours: 15 hues in 17 saturation steps plus the dark surround.
    QList<QRgb> palette{qRgb(0x20, 0x20, 0x20)};
    for (int s = 0; s < 17; ++s)
        for (int h = 0; h < 15; ++h) palette << QColor::fromHsv(h * 24, s * 255 / 16, 255).rgb();
    return Indexed(image, palette);
}

QImage GlassTiles(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QList<QRgb> palette{0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                              0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                              0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 3));
    const int tile = 40;
    for (int row = 0; row * tile < height; ++row)
        for (int col = 0; col * tile < width; ++col) {
            p.setBrush(QColor(palette[1 + (row * 7 + col * 3) % 15]));
            const QPointF c(col * tile + tile / 2.0 + (row % 2) * tile / 2.0, row * tile + tile / 2.0);
            p.drawPolygon(QPolygonF{c + QPointF(0, -tile / 2.0), c + QPointF(tile / 2.0, 0), c + QPointF(0, tile / 2.0),
                                    c + QPointF(-tile / 2.0, 0)});
        }
    p.end();
    return Indexed(image, palette);
}

QImage Rings(int edge) {
    QImage image(edge, edge, QImage::Format_RGB32);
    for (int y = 0; y < edge; ++y)
        for (int x = 0; x < edge; ++x) {
            const qreal a = qHypot(x - edge * 0.35, y - edge * 0.4), b = qHypot(x - edge * 0.65, y - edge * 0.6);
            const bool light = (int(a / 6) + int(b / 6)) % 2 == 0;
            image.setPixel(x, y, light ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    return Indexed(image, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
}

QImage Bands(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(0x20, 0x40, 0x80), qRgb(0x30, 0x70, 0xB0), qRgb(0xF0, 0xD0, 0x60),
                            qRgb(0xE0, 0x70, 0x30), qRgb(0x60, 0x20, 0x40)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int band = (y + int(12 * qSin(x / 25.0))) * 5 / (height + 1);
            image.setPixel(x, y, colours[qBound(0, band, 4)]);
        }
    return Indexed(image, QList<QRgb>(std::begin(colours), std::end(colours)));
}

std::vector<QImage> BouncingBall(int width, int height, int frames) {
    std::vector<QImage> result;
    const qreal floor = height - 14;
    const qreal radius = 12;
    for (int f = 0; f < frames; ++f) {
        QImage frame(width, height, QImage::Format_RGB32);
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(frame.rect(), QColor(0xE8, 0xF0, 0xF8));
        p.fillRect(QRectF(0, floor, width, height - floor), QColor(0x60, 0x90, 0x50));
        const qreal t = qreal(f) / frames;
        const qreal x = radius + (width - 2 * radius) * t;
        const qreal y = floor - radius - (height * 0.6) * qAbs(qSin(t * 2 * M_PI));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawEllipse(QPointF(x, floor + 3), radius, 3);
        QRadialGradient shade(QPointF(x - 4, y - 4), radius * 1.5);
        shade.setColorAt(0, QColor(0xFF, 0xE0, 0xE0));
        shade.setColorAt(1, QColor(0xC0, 0x20, 0x20));
        p.setBrush(shade);
        p.drawEllipse(QPointF(x, y), radius, radius);
        p.end();
        result.push_back(frame);
    }
    return result;
}

QImage Star(int edge) {
    QImage image(edge, edge, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 ? 0.22 : 0.48) * edge;
        const qreal a = qDegreesToRadians(-90 + 36.0 * i);
        star << QPointF(edge / 2.0 + r * qCos(a), edge / 2.0 + r * qSin(a));
    }
    QRadialGradient gold(QPointF(edge * 0.42, edge * 0.4), edge * 0.6);
    gold.setColorAt(0, QColor(0xFF, 0xF4, 0xA0));
    gold.setColorAt(1, QColor(0xD0, 0x80, 0x10));
    p.setPen(QPen(QColor(0x70, 0x40, 0x00), qMax(1.0, edge / 24.0)));
    p.setBrush(gold);
    p.drawPolygon(star);
    return image;
}

}  // namespace artwork
