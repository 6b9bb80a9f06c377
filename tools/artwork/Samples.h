#pragma once
// Pictures of our own for trying the viewer: photo-like JPEG scenes, bitmaps
// of several depths, the frames of an animation and an icon.
#include <QImage>
#include <vector>

namespace artwork {

// A landscape at dusk: sky, sun, hills and a lake with ripples.
QImage Landscape(int width, int height);
// Glossy spheres on a table, upright.
QImage StillLife(int width, int height);
// A colour wheel in 256 colours (Indexed8).
QImage ColourWheel(int edge);
// Stained-glass tiles in the 16 colours of a 4-bit palette (Indexed8).
QImage GlassTiles(int width, int height);
// Interfering rings in black and white (Indexed8, two colours).
QImage Rings(int edge);
// Flat bands of few colours, which run-length coding packs well (Indexed8).
QImage Bands(int width, int height);
// The frames of a ball bouncing across a floor.
std::vector<QImage> BouncingBall(int width, int height, int frames);
// A star at an icon's edge, with soft transparent edges.
QImage Star(int edge);

}  // namespace artwork
