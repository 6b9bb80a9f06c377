#pragma once
// The program's own pictures besides the glyph sheet.
#include <QImage>

namespace artwork {

// The picture behind the viewer, 473 x 287 on black; the about window
// animates its top 171 rows, so the emblem and the name sit there.
QImage BackgroundLogo();
// The emblem at the left of the title bar, 24 x 24; black is transparent.
QImage Emblem();
// The size grip, 16 x 16, on fuchsia.
QImage SizeGrip();
// The default pictures of an image button, 89 x 27, at rest and lit;
// fuchsia corners. Indexed8, for 8-bit files.
QImage ButtonPlate(bool lit);

// The program's icons in the executable's order: 0 the program, 1 bitmap
// files, 2 GIF files, 3 icon files, 4 JPEG files. ARGB at the given edge.
inline constexpr int ProgramIconCount = 5;
QImage ProgramIcon(int index, int edge);

}  // namespace artwork
