#include "platform/graphics/JpegFileTransform.h"

#include "platform/AtomicFile.h"
#include "platform/SysUtils.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/JpegLosslessTransform.h"

namespace lumvex {
namespace {

bool IsJpeg(const std::string& bytes) { return bytes.size() >= 3 && bytes.compare(0, 3, "\xFF\xD8\xFF") == 0; }

// The lossless transform holds the picture's coefficients twice, as read and
// as written: two bytes for each of up to three full-size samples a pixel.
bool CoefficientsFit(const jpeg::Header& header) {
    return std::int64_t(header.width) * header.height * 2 * 3 * 2 <= MaxPictureBytes;
}

// The stored picture decoded, transformed and encoded anew.
std::string Recoded(const std::string& bytes, const jpeg::WritePlan& plan, const jpeg::Metadata& source) {
    jpeg::DecodeOptions options;
    options.transform = plan.pixels;
    TBitmap picture;
    jpeg::Decode(bytes, options, picture);
    return jpeg::Encode(picture, JpegTurnQuality, jpeg::FitForColourPixels(plan.markers, source));
}

}  // namespace

bool TransformJpegFile(const std::string& path, TFlipTurn transform) {
    CheckPictureFileSize(path);
    const std::string bytes = ReadFileBytes(path);
    if (!IsJpeg(bytes)) return false;
    jpeg::Metadata metadata;
    const jpeg::Header header = jpeg::ReadHeader(bytes, &metadata);
    const TFlipTurn look = Then(metadata.upright, transform);
    const bool swapped = SwapsSides(look);
    const jpeg::WritePlan plan = jpeg::PlanWrite(metadata, look, swapped ? header.height : header.width,
                                                 swapped ? header.width : header.height);
    if (CoefficientsFit(header))
        if (const std::optional<jpeg::TransformedJpeg> lossless = jpeg::TransformLosslessly(bytes, plan.pixels)) {
            TReplacingFile file(path);
            jpeg::WriteWithMarkers(file, lossless->Bytes(), plan.markers);
            file.Commit();
            return true;
        }
    WriteFileAtomically(path, Recoded(bytes, plan, metadata));
    return true;
}

}  // namespace lumvex
