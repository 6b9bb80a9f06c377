#pragma once
// The desktop's bitmap (.bmp) and icon (.ico) files, written byte by byte so
// that every depth (1, 4, 8 and 24-bit bitmaps, paletted and 32-bit icon
// images) comes out exactly as the viewer expects to read it.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace artwork {

// A bitmap file of the given depth. For 1, 4 and 8 bits the image must be
// Format_Indexed8 with at most 2^bits colours; for 24 bits any format.
QByteArray BmpFile(const QImage& image, int bits);

// One image of an icon file: stored as a device-independent bitmap with an
// AND mask (paletted when the image is Format_Indexed8, else 32-bit), or as
// PNG bytes when png is set.
struct IconImage {
    QImage image;
    bool png = false;
};
// An icon file; fully transparent pixels are masked out of the AND mask.
QByteArray IcoFile(const std::vector<IconImage>& images);

// Writes bytes to a file and stops the program with a message on failure.
void WriteFile(const QString& path, const QByteArray& bytes);

}  // namespace artwork
