#pragma once
// The libjpeg work behind TJPEGImage: reading a file's header, decoding into
// a bitmap and compressing a bitmap. Errors raise EJPEG (or EOutOfResources
// for pictures above the pixel limit).
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/ColorProfiles.h"
#include "platform/graphics/JpegMetadata.h"
#include "platform/threads/CancelToken.h"

namespace lumvex::jpeg {

struct Header {
    int width = 0;
    int height = 0;
    bool grayscale = false;  // one grey channel
};

struct DecodeOptions {
    int scaleDenominator = 1;  // 1, 2, 4 or 8
    bool eightBit = false;     // paletted output instead of 24-bit
    bool smoothing = true;     // smooth upsampling of the colour channels
    bool fast = false;         // faster, less exact DCT, no smoothing, ordered dither
    // Looked at while the data is read, about every 16 output rows and every
    // few input rows of a multi-scan file; a cancelled token raises ECancelled.
    const TCancelToken* cancel = nullptr;
    // Converts the colours of full-colour output, each band of rows as soon
    // as it is decoded, or the palette of 8-bit colour output.
    const TColorConversion* colors = nullptr;
    // Turns or mirrors the picture as it is decoded, band by band.
    TFlipTurn transform = TFlipTurn::None;
};

// A file with more scans than this is refused (a real photo has about ten).
inline constexpr int MaxScans = 100;
// The most pixels one byte of Huffman-coded data may stand for; a header
// that asks for more is refused before anything is allocated. Huffman codes
// spend at least a bit on every 8 x 8 block, so even a flat grey picture needs
// a byte per 512 pixels.
inline constexpr int MaxPixelsPerByte = 1 << 14;
// Arithmetic coding has no such floor (a flat picture of any size fits in a
// few bytes), and decoding it costs far more per pixel. Past this many pixels
// such a file must bring at least a byte per MaxArithmeticPixelsPerByte, so a
// few bytes cannot hold the viewer for long.
inline constexpr std::int64_t FreeArithmeticPixels = std::int64_t(1) << 24;
inline constexpr int MaxArithmeticPixelsPerByte = 1 << 12;

// Reads the header; raises on data that is no JPEG picture, a header that
// ends early or a picture without any compressed data. With metadata, also
// what the file carries besides the picture.
Header ReadHeader(const std::string& bytes, Metadata* metadata = nullptr);

// The size of a side decoded at 1/denominator: rounded up.
inline int ScaledSize(int size, int denominator) { return (size + denominator - 1) / denominator; }

// Decodes the whole picture. Data that ends early leaves the rest of the
// picture grey; any other error raises (ECancelled when cancelled).
void Decode(const std::string& bytes, const DecodeOptions& options, TBitmap& bitmap);

// Compresses a bitmap of any pixel format as a baseline colour JPEG file,
// with the markers after its JFIF header.
std::string Encode(const TBitmap& bitmap, int quality, const std::vector<Marker>& markers = {});

}  // namespace lumvex::jpeg
