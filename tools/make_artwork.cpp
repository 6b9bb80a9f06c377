// Draws the program's artwork into resources/ and the sample pictures into
// samples/. Pictures that Qt cannot write (the animation as a GIF, a
// run-length coded bitmap) are left as plain files in a work folder for
// scripts/make-artwork.sh to finish with ImageMagick.
//
//   make_artwork RESOURCES_DIR SAMPLES_DIR WORK_DIR
#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "artwork/Designs.h"
#include "artwork/FileFormats.h"
#include "artwork/Glyphs.h"
#include "artwork/Samples.h"
#include "artwork/Shading.h"

using namespace artwork;

namespace {

QByteArray Jpeg(const QImage& image, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", quality)) {
        std::fprintf(stderr, "make_artwork: Qt cannot write JPEG here\n");
        std::exit(1);
    }
    return bytes;
}

// An 8-bit copy whose fully transparent pixels share one black, transparent
// palette entry, as an icon's mask expects.
QImage IndexedWithHoles(const QImage& argb) {
    QImage opaque = argb.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) < 128) opaque.setPixel(x, y, KeyColor);
    QImage indexed = opaque.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    for (int i = 0; i < indexed.colorCount(); ++i)
        if (indexed.color(i) == KeyColor) indexed.setColor(i, qRgba(0, 0, 0, 0));
    return indexed;
}

void WriteResources(const QString& dir) {
    WriteFile(dir + "/glyphs.bmp", BmpFile(GlyphSheet(), 24));
    WriteFile(dir + "/backlogo.jpg", Jpeg(BackgroundLogo(), 90));
    WriteFile(dir + "/emblem.bmp", BmpFile(Emblem(), 24));
    WriteFile(dir + "/sizer.bmp", BmpFile(SizeGrip(), 24));
    WriteFile(dir + "/MB1.bmp", BmpFile(ButtonPlate(false), 8));
    WriteFile(dir + "/MB2.bmp", BmpFile(ButtonPlate(true), 8));
    const char* const iconNames[ProgramIconCount] = {"program", "bmp", "gif", "ico", "jpg"};
    for (int i = 0; i < ProgramIconCount; ++i) {
        std::vector<IconImage> sizes;
        for (int edge : {16, 24, 32, 48}) sizes.push_back({ProgramIcon(i, edge)});
        WriteFile(QString("%1/icon%2-%3.ico").arg(dir).arg(i).arg(iconNames[i]), IcoFile(sizes));
    }
    // The program's icon in the sizes a desktop's icon theme asks for.
    QDir().mkpath(dir + "/icons");
    for (int edge : {16, 32, 48, 128, 256}) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ProgramIcon(0, edge).save(&buffer, "PNG");
        WriteFile(QString("%1/icons/lumvex-%2.png").arg(dir).arg(edge), png);
    }
}

void WriteSamples(const QString& dir, const QString& work) {
    WriteFile(dir + "/lake-at-dusk.jpg", Jpeg(Landscape(1024, 768), 85));
    WriteFile(dir + "/spheres.jpg", Jpeg(StillLife(480, 640), 88));
    WriteFile(dir + "/small-lake-24bit.bmp", BmpFile(Landscape(256, 192), 24));
    WriteFile(dir + "/colour-wheel-8bit.bmp", BmpFile(ColourWheel(256), 8));
    WriteFile(dir + "/glass-tiles-4bit.bmp", BmpFile(GlassTiles(320, 240), 4));
    WriteFile(dir + "/rings-1bit.bmp", BmpFile(Rings(256), 1));
    WriteFile(dir + "/star.ico", IcoFile({{IndexedWithHoles(Star(16))}, {Star(32)}, {Star(48)}, {Star(64), true}}));

    WriteFile(work + "/bands-8bit.bmp", BmpFile(Bands(320, 200), 8));
    const std::vector<QImage> frames = BouncingBall(160, 120, 16);
    for (size_t i = 0; i < frames.size(); ++i)
        frames[i].save(QString("%1/frame-%2.png").arg(work).arg(int(i), 2, 10, QChar('0')), "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // text needs the font database
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_artwork RESOURCES_DIR SAMPLES_DIR WORK_DIR\n");
        return 2;
    }
    WriteResources(QString::fromLocal8Bit(argv[1]));
    WriteSamples(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    return 0;
}
