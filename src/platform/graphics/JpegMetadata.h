#pragma once
// What a JPEG file carries besides its picture, read with its header, and
// what a write of the picture carries over: the EXIF block (updated to the
// written picture), XMP, the ICC profile, IPTC and the other application
// markers, and comments, in the order of the file.
#include <string>
#include <vector>

#include "platform/graphics/FlipTurn.h"

struct jpeg_decompress_struct;

namespace lumvex::jpeg {

struct Marker {
    int code = 0;      // JPEG_APP0 + n or JPEG_COM
    std::string data;  // without the marker and its length
};

struct Metadata {
    // The markers a write keeps, in the order of the file; markers that hold
    // what the encoder writes itself (JFIF, Adobe), a thumbnail that would not
    // turn (JFXX) or places in data a write drops (MPF) are left out.
    std::vector<Marker> markers;
    std::string exif;  // the first EXIF block, without "Exif\0\0"
    std::string icc;   // the colour profile, its pieces joined
    TFlipTurn upright = TFlipTurn::None;  // what shows the picture upright
};

// Asks libjpeg to keep the markers while it reads the header.
void SaveMarkers(jpeg_decompress_struct& cinfo);
// The metadata of a header libjpeg has read (with SaveMarkers), with the
// colour profile libjpeg put together from it.
Metadata ReadMetadata(jpeg_decompress_struct& cinfo, std::string icc);

// How to write a picture that shows as look, a transform of the stored
// picture (for example its uprighting followed by a turn), at
// lookWidth x lookHeight.
struct WritePlan {
    TFlipTurn pixels;  // the transform of the stored pixels to write
    std::vector<Marker> markers;
};
// Normally the pixels are written as they look, with the EXIF block saying
// Orientation 1 and telling the new size and with its thumbnail transformed
// too. An EXIF block that cannot be updated is kept as it was, and the
// pixels are then written so that its own orientation shows them as look.
WritePlan PlanWrite(const Metadata& source, TFlipTurn look, int lookWidth, int lookHeight);

// The markers for pixels encoded anew as colour: source's colour profile is
// left out unless it is an RGB one (a grey or CMYK profile fits them no more).
std::vector<Marker> FitForColourPixels(std::vector<Marker> markers, const Metadata& source);

}  // namespace lumvex::jpeg
