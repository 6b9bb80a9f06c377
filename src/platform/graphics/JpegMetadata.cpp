#include "platform/graphics/JpegMetadata.h"

#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <optional>

#include <jpeglib.h>

#include "platform/graphics/ColorProfiles.h"
#include "platform/graphics/ExifMetadata.h"

namespace lumvex::jpeg {
namespace {

const std::string ExifPrefix("Exif\0\0", 6);
const std::string IccPrefix("ICC_PROFILE\0", 12);
const std::string MpfPrefix("MPF\0", 4);

bool Starts(int markerCode, const std::string& data, int code, const std::string& prefix) {
    return markerCode == code && data.compare(0, prefix.size(), prefix) == 0;
}

bool IsExif(const Marker& marker) { return Starts(marker.code, marker.data, JPEG_APP0 + 1, ExifPrefix); }

// APP0 (JFIF, JFXX) and APP14 (Adobe) describe the encoding, which a write
// makes anew; a multi-picture index points at pictures a write leaves out.
bool Kept(int code, const std::string& data) {
    return code != JPEG_APP0 && code != JPEG_APP0 + 14 && !Starts(code, data, JPEG_APP0 + 2, MpfPrefix);
}

}  // namespace

void SaveMarkers(jpeg_decompress_struct& cinfo) {
    jpeg_save_markers(&cinfo, JPEG_COM, 0xFFFF);
    for (int n = 1; n < 16; ++n)
        if (Kept(JPEG_APP0 + n, {})) jpeg_save_markers(&cinfo, JPEG_APP0 + n, 0xFFFF);
}

Metadata ReadMetadata(jpeg_decompress_struct& cinfo, std::string icc) {
    Metadata metadata;
    metadata.icc = std::move(icc);
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next) {
        if (m->data_length != m->original_length) continue;
        Marker marker{m->marker, std::string(reinterpret_cast<const char*>(m->data), m->data_length)};
        if (!Kept(marker.code, marker.data)) continue;
        if (IsExif(marker) && metadata.exif.empty()) metadata.exif = marker.data.substr(ExifPrefix.size());
        metadata.markers.push_back(std::move(marker));
    }
    metadata.upright = ExifUprighting(metadata.exif);
    return metadata;
}

WritePlan PlanWrite(const Metadata& source, TFlipTurn look, int lookWidth, int lookHeight) {
    WritePlan plan{look, {}};
    std::optional<std::string> exif;
    if (!source.exif.empty()) {
        exif = ExifForWrittenPicture(source.exif, look, lookWidth, lookHeight);
        if (!exif) plan.pixels = Then(look, Inverse(source.upright));
    }
    bool exifWritten = false;
    for (const Marker& marker : source.markers) {
        if (IsExif(marker) && exif && !exifWritten) {
            plan.markers.push_back({marker.code, ExifPrefix + *exif});
            exifWritten = true;
        } else {
            plan.markers.push_back(marker);
        }
    }
    return plan;
}

std::vector<Marker> FitForColourPixels(std::vector<Marker> markers, const Metadata& source) {
    if (source.icc.empty() || IsRgbProfile(source.icc)) return markers;
    std::erase_if(markers,
                  [](const Marker& marker) { return Starts(marker.code, marker.data, JPEG_APP0 + 2, IccPrefix); });
    return markers;
}

}  // namespace lumvex::jpeg
