#pragma once
// Converting picture files between JPEG and BMP, re-encoding JPEG files at a
// chosen quality, and the two warnings asked before a conversion to JPEG and
// before a scaling batch.
#include <string>
#include <vector>

#include "imageops/Overwrite.h"
#include "platform/controls/Image.h"
#include "platform/services/Dialogs.h"

namespace lumvex {

enum class TConvertTarget { ToJpg, ToBmp, None };

enum class TConvertResult { Done, PassedOver, EndBatch };

// Converts the file name in folder (through the loader), by the kind of
// picture it holds, whatever its name says:
// - ToBmp: a JPEG picture becomes stem.bmp beside it (stem: the name up to
//   its first dot), 24 bits per pixel;
// - ToJpg: a JPEG picture is re-encoded in place at quality, and a bitmap
//   gives stem.jpg at quality.
// A taken output name is decided by the overwrite question. Other files,
// pictures of other kinds among them, are passed over and keep their bytes.
TConvertResult ConvertFile(const std::string& folder, const std::string& name, TConvertTarget target, int quality,
                           TOverwriteMode& mode, TImage& loader);

// Before a conversion to JPEG: when a name contains "jpg" or "jpeg", asks
// whether to go on, since JPEG quality suffers. True to go on.
bool JpegQualityWarning(const std::vector<std::string>& names);

// Before a scaling batch: Yes replaces the files, No writes copies, Cancel
// (or closing the box) ends the batch.
TModalResult ReplaceFilesWarning();

}  // namespace lumvex
