#include "platform/graphics/Png.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

// libpng reports errors by a long jump: the functions that call it keep no
// object with a destructor alive across it, and hand the message back as text.
struct PngReader {
    std::string_view bytes;
    std::size_t at = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    char message[256] = "";

    ~PngReader() {
        if (png) png_destroy_read_struct(&png, &info, nullptr);
    }
};

void OnError(png_structp png, png_const_charp text) {
    auto* reader = static_cast<PngReader*>(png_get_error_ptr(png));
    std::snprintf(reader->message, sizeof reader->message, "%s", text);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
    if (count > reader->bytes.size() - reader->at) png_error(png, "PNG file is truncated");
    std::memcpy(out, reader->bytes.data() + reader->at, count);
    reader->at += count;
}

struct PngHeader {
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    bool alpha = false;
};

// Reads up to the first image data; false with the message on an error.
bool ReadHeader(PngReader& reader, PngHeader& header) {
    if (setjmp(png_jmpbuf(reader.png))) return false;
    png_set_read_fn(reader.png, &reader, ReadBytes);
    png_read_info(reader.png, reader.info);
    png_get_IHDR(reader.png, reader.info, &header.width, &header.height, &header.bitDepth, &header.colourType,
                 &header.interlace, nullptr, nullptr);
    header.alpha = (header.colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(reader.png, reader.info, PNG_INFO_tRNS);
    return true;
}

// Decodes every pass into the rows; returns how many rows were read in all
// passes together, and leaves the message on an error.
std::int64_t ReadRows(PngReader& reader, const PngHeader& header, png_bytep* rows, const TCancelToken* cancel,
                      bool& failed, bool& cancelled) {
    volatile std::int64_t read = 0;
    failed = false;
    cancelled = false;
    if (setjmp(png_jmpbuf(reader.png))) {
        failed = true;
        return read;
    }
    png_set_expand(reader.png);
    png_set_scale_16(reader.png);
    png_set_gray_to_rgb(reader.png);
    png_set_bgr(reader.png);
    if (!header.alpha) png_set_strip_alpha(reader.png);
    const int passes = png_set_interlace_handling(reader.png);
    png_read_update_info(reader.png, reader.info);
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < header.height; ++y) {
            if (cancel && cancel->Cancelled()) {
                cancelled = true;
                return read;
            }
            png_read_row(reader.png, rows[y], nullptr);
            read = read + 1;
        }
    png_read_end(reader.png, reader.info);  // for an EXIF block after the pixels
    return read;
}

void ReadMetadata(const PngReader& reader, TEmbeddedMetadata& metadata) {
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (png_get_iCCP(reader.png, reader.info, &name, &compression, &profile, &length) && profile)
        metadata.Icc.assign(reinterpret_cast<const char*>(profile), length);
    png_bytep exif = nullptr;
    png_uint_32 exifLength = 0;
    if (png_get_eXIf_1(reader.png, reader.info, &exifLength, &exif) && exif)
        metadata.Exif.assign(reinterpret_cast<const char*>(exif), exifLength);
}

}  // namespace

bool IsPngData(std::string_view bytes) {
    return bytes.size() >= 8 && png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) == 0;
}

TDecodedPicture TPngImage::Decode(std::string_view bytes, const TDecodeRequest& request) const {
    if (!IsPngData(bytes)) throw EInvalidGraphic("Not a PNG file: the PNG signature is missing");
    PngReader reader;
    reader.bytes = bytes;
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, OnError, OnWarning);
    if (!reader.png || !(reader.info = png_create_info_struct(reader.png))) throw EOutOfResources("Out of memory");
    PngHeader header;
    if (!ReadHeader(reader, header)) throw EInvalidGraphic(std::string("Damaged PNG file: ") + reader.message);

    TDecodedPicture picture;
    picture.Alpha = header.alpha;
    picture.FullWidth = static_cast<int>(header.width);
    picture.FullHeight = static_cast<int>(header.height);
    // Deflate packs at most 1032 bytes into one, which bounds the rows a file
    // of this many bytes can hold: a tiny file claiming a huge picture is
    // refused before its pixels are allocated.
    CheckPictureSize(header.width, header.height);
    const std::int64_t rowBytes = (std::int64_t(header.width) * header.bitDepth * 4 + 7) / 8 + 1;
    if (rowBytes * header.height > std::int64_t(bytes.size()) * 1032)
        throw EInvalidGraphic("Damaged PNG file: far too short for its size of " + IntToStr(header.width) + " x " +
                              IntToStr(header.height) + " pixels");
    picture.Pixels = NewDecodedBitmap(header.width, header.height, header.alpha);
    TBitmap& pixels = picture.Pixels;
    std::vector<png_bytep> rows(header.height);
    for (png_uint_32 y = 0; y < header.height; ++y) rows[y] = pixels.ScanLine(static_cast<int>(y));
    // Rows the file does not reach stay cleared, and the passes of an
    // interlaced picture fill in rows written before.
    const bool interlaced = header.interlace != PNG_INTERLACE_NONE;
    if (interlaced) std::memset(rows[0], 0, std::size_t(pixels.BytesPerLine()) * header.height);

    bool failed = false, cancelled = false;
    const std::int64_t read = ReadRows(reader, header, rows.data(), request.Cancel, failed, cancelled);
    if (cancelled) throw ECancelled();
    if (failed && read == 0) throw EInvalidGraphic(std::string("Damaged PNG file: ") + reader.message);
    if (failed && !interlaced)
        for (std::int64_t y = read; y < header.height; ++y) std::memset(rows[y], 0, std::size_t(pixels.BytesPerLine()));
    if (header.alpha)
        for (png_uint_32 y = 0; y < header.height; ++y) PremultiplyRow(rows[y], static_cast<int>(header.width));
    ReadMetadata(reader, picture.Metadata);
    return picture;
}

}  // namespace lumvex
