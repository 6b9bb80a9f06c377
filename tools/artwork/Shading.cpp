#include "Shading.h"

#include <vector>

namespace artwork {

QImage NewDrawing(int width, int height) {
    QImage drawing(width, height, QImage::Format_ARGB32);
    drawing.fill(Qt::transparent);
    return drawing;
}

void BeginSmooth(QPainter& painter, QImage& drawing) {
    painter.begin(&drawing);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

QImage ShadeOnKey(const QImage& drawing, const Shades& shades) {
    const QImage source = drawing.convertToFormat(QImage::Format_ARGB32);
    const int w = source.width();
    const int h = source.height();
    std::vector<bool> inside(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) inside[size_t(y) * w + x] = qAlpha(source.pixel(x, y)) >= 128;
    auto isInside = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && inside[size_t(y) * w + x]; };

    QImage out(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const int body = shades.bodyTop + (shades.bodyBottom - shades.bodyTop) * y / (h > 1 ? h - 1 : 1);
        for (int x = 0; x < w; ++x) {
            QRgb result = KeyColor;
            if (isInside(x, y)) {
                // The ink's lightness says how much of the body and how much of the detail shows.
                const int light = qGray(source.pixel(x, y));
                const int grey = (shades.detail * (255 - light) + body * light) / 255;
                result = qRgb(grey, grey, grey);
            } else if (shades.outline >= 0) {
                bool touches = false;
                for (int dy = -1; dy <= 1 && !touches; ++dy)
                    for (int dx = -1; dx <= 1 && !touches; ++dx) touches = isInside(x + dx, y + dy);
                if (touches) result = qRgb(shades.outline, shades.outline, shades.outline);
            }
            out.setPixel(x, y, result);
        }
    }
    return out;
}

}  // namespace artwork
