#pragma once
// Scaling picture files, one per call, with work objects that live for a
// whole batch.
#include <string>

#include "imageops/PixelTransforms.h"
#include "platform/controls/Image.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Jpeg.h"

namespace lumvex {

// The 32-bit work bitmap and the JPEG writer of a scaling batch.
struct TResizeWork {
    TResizeWork();
    TBitmap Scaled;
    TJPEGImage Writer;
};

// The lower-cased name from its first dot on, at most 10 characters:
// "x.tar.bmp" gives ".tar.bmp".
std::string ResizeExtension(const std::string& path);

// Scales the file whose extension is exactly ".bmp", ".jpg" or ".jpeg" to the
// size the choice gives, loading it into the holder; other files, and files
// whose picture is neither a JPEG picture nor a bitmap, are passed over. The
// result replaces the file when overwrite is set, else it goes to a new file
// named by CopyName. A bitmap is written as a 32-bit BMP, a JPEG picture as
// JPEG at the default quality.
void ResizeFile(const std::string& path, const TScaleChoice& choice, bool overwrite, TResizeWork& work,
                TImage& holder);

}  // namespace lumvex
