#include "FileFormats.h"

#include <QBuffer>
#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace artwork {
namespace {

void PutU16(QByteArray& out, unsigned value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void PutU32(QByteArray& out, quint32 value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

int RowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// BITMAPINFOHEADER; an icon image states twice its height (colours, then mask).
void PutInfoHeader(QByteArray& out, int width, int storedHeight, int bits, int paletteSize, int imageBytes) {
    PutU32(out, 40);
    PutU32(out, quint32(width));
    PutU32(out, quint32(storedHeight));
    PutU16(out, 1);
    PutU16(out, unsigned(bits));
    PutU32(out, 0);  // uncompressed
    PutU32(out, quint32(imageBytes));
    PutU32(out, 2835);  // 72 dots per inch
    PutU32(out, 2835);
    PutU32(out, quint32(paletteSize));
    PutU32(out, 0);
}

void PutPalette(QByteArray& out, const QList<QRgb>& colors) {
    for (QRgb c : colors) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
}

// The pixel rows from the bottom up, each padded to whole 32-bit words.
QByteArray PixelRows(const QImage& image, int bits) {
    const int stride = RowBytes(image.width(), bits);
    QByteArray rows;
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width(); ++x) {
            if (bits <= 8) {
                const int index = image.pixelIndex(x, y);
                const int bit = x * bits;
                const int shift = 8 - bits - bit % 8;
                row[bit / 8] = char(quint8(row[bit / 8]) | (index << shift));
                continue;
            }
            const QRgb c = image.pixel(x, y);
            const int at = x * bits / 8;
            row[at] = char(qBlue(c));
            row[at + 1] = char(qGreen(c));
            row[at + 2] = char(qRed(c));
            if (bits == 32) row[at + 3] = char(qAlpha(c));
        }
        rows += row;
    }
    return rows;
}

// 1 marks a transparent pixel, from the bottom up like the colour rows.
QByteArray AndMask(const QImage& image) {
    const int stride = RowBytes(image.width(), 1);
    QByteArray rows;
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) row[x / 8] = char(quint8(row[x / 8]) | (0x80 >> (x % 8)));
        }
        rows += row;
    }
    return rows;
}

void Fail(const QString& message) {
    std::fprintf(stderr, "make_artwork: %s\n", qPrintable(message));
    std::exit(1);
}

}  // namespace

QByteArray BmpFile(const QImage& image, int bits) {
    const bool paletted = bits <= 8;
    if (paletted && (image.format() != QImage::Format_Indexed8 || image.colorCount() > (1 << bits)))
        Fail(QString("a %1-bit bitmap needs an image of at most %2 colours").arg(bits).arg(1 << bits));
    const QImage source = paletted ? image : image.convertToFormat(QImage::Format_RGB32);
    const QByteArray pixels = PixelRows(source, bits);
    const int paletteSize = paletted ? int(source.colorCount()) : 0;
    const quint32 offset = 14 + 40 + 4 * paletteSize;

    QByteArray out;
    out.append("BM");
    PutU32(out, offset + quint32(pixels.size()));
    PutU32(out, 0);
    PutU32(out, offset);
    PutInfoHeader(out, source.width(), source.height(), bits, paletteSize, int(pixels.size()));
    if (paletted) PutPalette(out, source.colorTable());
    return out + pixels;
}

QByteArray IcoFile(const std::vector<IconImage>& images) {
    std::vector<QByteArray> bodies;
    for (const IconImage& entry : images) {
        QByteArray body;
        if (entry.png) {
            QBuffer buffer(&body);
            buffer.open(QIODevice::WriteOnly);
            entry.image.save(&buffer, "PNG");
        } else if (entry.image.format() == QImage::Format_Indexed8) {
            const QImage& image = entry.image;
            PutInfoHeader(body, image.width(), 2 * image.height(), 8, 0, 0);
            QList<QRgb> colors = image.colorTable();
            colors.resize(256);  // an icon's 8-bit image always states 256 colours
            PutPalette(body, colors);
            body += PixelRows(image, 8) + AndMask(image);
        } else {
            const QImage image = entry.image.convertToFormat(QImage::Format_ARGB32);
            PutInfoHeader(body, image.width(), 2 * image.height(), 32, 0, 0);
            body += PixelRows(image, 32) + AndMask(image);
        }
        bodies.push_back(body);
    }

    QByteArray out;
    PutU16(out, 0);
    PutU16(out, 1);  // icon
    PutU16(out, unsigned(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const QImage& image = images[i].image;
        const bool paletted = !images[i].png && image.format() == QImage::Format_Indexed8;
        out.append(char(image.width() >= 256 ? 0 : image.width()));
        out.append(char(image.height() >= 256 ? 0 : image.height()));
        out.append(char(0));  // colour count: 0 for 256 colours or more
        out.append(char(0));
        PutU16(out, 1);
        PutU16(out, paletted ? 8 : 32);
        PutU32(out, quint32(bodies[i].size()));
        PutU32(out, offset);
        offset += quint32(bodies[i].size());
    }
    for (const QByteArray& body : bodies) out += body;
    return out;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) Fail("cannot write " + path);
}

}  // namespace artwork
