#include "platform/graphics/BmpCodec.h"

#include "platform/SysUtils.h"

namespace lumvex {

TBitmap ReadBmp(std::string_view) { throw EInvalidGraphic("Bitmap reading is not built yet"); }
std::string WriteBmp(const TBitmap&) { throw EInvalidGraphic("Bitmap writing is not built yet"); }

}  // namespace lumvex
