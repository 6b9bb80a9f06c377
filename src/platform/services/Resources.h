#pragma once
// The program's own pictures, built into the executable: the glyph sheet, the
// background logo, the emblem, the size grip, the default button pictures and
// the program's icons. Names are file names ("glyphs.bmp"), except the
// default button pictures, which are the bitmaps "MB1" and "MB2".
#include <string>

#include "platform/SysUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Picture.h"

namespace lumvex {

// Raised for a resource the executable does not hold.
class EResNotFound : public Exception { using Exception::Exception; };

namespace resource {
inline constexpr const char* GlyphSheet = "glyphs.bmp";      // 432 x 96, 24-bit, fuchsia transparent
inline constexpr const char* BackgroundLogo = "backlogo.jpg";  // 473 x 287 on black
inline constexpr const char* Emblem = "emblem.bmp";          // 24 x 24, 24-bit, black transparent
inline constexpr const char* SizeGrip = "sizer.bmp";         // 16 x 16, 24-bit, fuchsia transparent
inline constexpr const char* ButtonPicture1 = "MB1";         // 89 x 27, 8-bit, a button at rest
inline constexpr const char* ButtonPicture2 = "MB2";         // 89 x 27, 8-bit, a lit button
// The program's icons in the executable's order: the icon index of a file
// type's registration counts from 0 here.
inline constexpr int IconCount = 5;
inline constexpr const char* Icons[IconCount] = {"icon0-program.ico", "icon1-bmp.ico", "icon2-gif.ico",
                                                 "icon3-ico.ico", "icon4-jpg.ico"};
}  // namespace resource

// The resource's bytes as stored.
std::string LoadResourceBytes(const std::string& name);
// A bitmap resource, decoded by the bitmap reader whatever its name.
TBitmap LoadResourceBitmap(const std::string& name);
// Any picture resource, of the kind its name's extension gives (as for files);
// the picture keeps its old content when loading fails.
void LoadResourcePicture(TPicture& picture, const std::string& name);

}  // namespace lumvex
