#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/FlipTurn.h"
#include "platform/graphics/JpegErrors.h"

namespace lumvex::jpeg {
namespace {

// libjpeg's progress callback, with what it watches.
struct Progress {
    jpeg_progress_mgr manager;  // first, so libjpeg's pointer leads back here
    const TCancelToken* cancel = nullptr;
    bool cancelled = false;
};

void WatchProgress(j_common_ptr cinfo) {
    Progress& progress = *reinterpret_cast<Progress*>(cinfo->progress);
    if (progress.cancel && progress.cancel->Cancelled()) {
        progress.cancelled = true;
        Fail(cinfo, "cancelled");
    }
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxScans)
        Fail(cinfo, "Invalid JPEG picture: more than 100 scans");
}

// One libjpeg decompressor.
class Decompressor {
public:
    Decompressor() {
        InstallErrorHandler(*reinterpret_cast<j_common_ptr>(&cinfo), errors);
        Guarded(errors, [&] { jpeg_create_decompress(&cinfo); });
        created_ = true;
        progress.manager.progress_monitor = WatchProgress;
        cinfo.progress = &progress.manager;
    }
    ~Decompressor() {
        if (created_) jpeg_destroy_decompress(&cinfo);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // Reads the header of a file's bytes (which must outlive the decompressor)
    // and checks that the picture is plausible for the data present.
    void ReadHeader(const std::string& bytes, bool saveMarkers = false) {
        Guarded(errors, [&] {
            if (saveMarkers) SaveMarkers(cinfo);
            jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                         static_cast<unsigned long>(bytes.size()));
            jpeg_read_header(&cinfo, TRUE);
        });
        CheckPictureSize(cinfo.image_width, cinfo.image_height);
        // What follows the header is the compressed picture (and later scans).
        std::size_t rest = cinfo.src->bytes_in_buffer;
        const unsigned char* next = cinfo.src->next_input_byte;
        if (rest >= 2 && next[0] == 0xFF && next[1] == JPEG_EOI) rest = 0;
        if (rest == 0) throw EJPEG("Invalid JPEG picture: the file holds no picture data");
        const std::int64_t pixels = std::int64_t(cinfo.image_width) * cinfo.image_height;
        const bool tooShort = cinfo.arith_code ? pixels > FreeArithmeticPixels &&
                                                     pixels > std::int64_t(rest) * MaxArithmeticPixelsPerByte
                                               : pixels > std::int64_t(rest) * MaxPixelsPerByte;
        if (tooShort)
            throw EJPEG("Invalid JPEG picture: the file is too short for a picture of " +
                        IntToStr(cinfo.image_width) + " x " + IntToStr(cinfo.image_height) + " pixels");
    }

    jpeg_decompress_struct cinfo{};
    ErrorHandler errors;
    Progress progress{};

private:
    bool created_ = false;
};

enum class Output { Bgr, Indexed, Grey, Cmyk };

Output ChooseOutput(jpeg_decompress_struct& cinfo, const DecodeOptions& options) {
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
        cinfo.out_color_space = JCS_CMYK;
        return Output::Cmyk;
    }
    if (!options.eightBit) {
        cinfo.out_color_space = JCS_EXT_BGR;
        return Output::Bgr;
    }
    if (cinfo.jpeg_color_space == JCS_GRAYSCALE) {
        cinfo.out_color_space = JCS_GRAYSCALE;
        return Output::Grey;
    }
    cinfo.out_color_space = JCS_RGB;
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = 256;
    cinfo.two_pass_quantize = options.fast ? FALSE : TRUE;
    cinfo.dither_mode = options.fast ? JDITHER_ORDERED : JDITHER_FS;
    return Output::Indexed;
}

std::vector<TRGBQuad> GreyPalette() {
    std::vector<TRGBQuad> palette(256);
    for (int i = 0; i < 256; ++i) {
        auto v = static_cast<std::uint8_t>(i);
        palette[i] = TRGBQuad{v, v, v, 0};
    }
    return palette;
}

std::vector<TRGBQuad> QuantizedPalette(const jpeg_decompress_struct& cinfo) {
    std::vector<TRGBQuad> palette(256);
    for (int i = 0; i < cinfo.actual_number_of_colors && i < 256; ++i)
        palette[i] = TRGBQuad{cinfo.colormap[2][i], cinfo.colormap[1][i], cinfo.colormap[0][i], 0};
    return palette;
}

// CMYK as Adobe writes it is stored inverted (255 = no ink).
void CmykToBgr(const JSAMPLE* in, std::uint8_t* out, int width, bool inverted, bool eightBit) {
    for (int x = 0; x < width; ++x, in += 4) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        const int r = c * k / 255, g = m * k / 255, b = y * k / 255;
        if (eightBit)  // the default 8-bit palette: 3 bits red, 3 green, 2 blue
            out[x] = static_cast<std::uint8_t>(((r * 7 + 127) / 255) << 5 | ((g * 7 + 127) / 255) << 2 |
                                               ((b * 3 + 127) / 255));
        else {
            out[3 * x] = static_cast<std::uint8_t>(b);
            out[3 * x + 1] = static_cast<std::uint8_t>(g);
            out[3 * x + 2] = static_cast<std::uint8_t>(r);
        }
    }
}

int NearestToGrey(const std::vector<TRGBQuad>& palette) {
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        const TRGBQuad& q = palette[i];
        int d = (q.rgbRed - 128) * (q.rgbRed - 128) + (q.rgbGreen - 128) * (q.rgbGreen - 128) +
                (q.rgbBlue - 128) * (q.rgbBlue - 128);
        if (d < bestDistance) bestDistance = d, best = i;
    }
    return best;
}

// Where decoded rows go: straight into the bitmap, or, for a picture that is
// turned or mirrored as it is decoded, into a band of rows that is placed
// whole: the more rows a band has, the longer the runs it writes.
class RowSink {
public:
    static constexpr int RowsPerCall = 16;

    RowSink(TBitmap& bitmap, int width, std::size_t used, TFlipTurn transform)
        : bitmap_(bitmap), width_(width), used_(used), transform_(transform),
          band_(transform == TFlipTurn::None ? 0 : BandRows * used) {
        if (!band_.empty()) ZeroPadding();  // placing writes only pixels
    }

    // Where rows first to first + count - 1 are to be decoded; returns how
    // many of them (at most RowsPerCall) fit now.
    int Rows(int first, int count, JSAMPROW* rows) {
        count = std::min({count, RowsPerCall, band_.empty() ? RowsPerCall : BandRows - held_});
        for (int i = 0; i < count; ++i)
            rows[i] = band_.empty() ? bitmap_.ScanLine(first + i) : band_.data() + std::size_t(held_ + i) * used_;
        return count;
    }

    // The rows were decoded; a full band is put in place.
    void Written(const JSAMPROW* rows, int count) {
        if (band_.empty()) {
            for (int i = 0; i < count; ++i) std::memset(rows[i] + used_, 0, bitmap_.BytesPerLine() - used_);
            return;
        }
        held_ += count;
        if (held_ == BandRows) Flush();
    }

    // Puts the rows held in place.
    void Flush() {
        if (held_ == 0) return;
        JSAMPROW rows[BandRows];
        for (int i = 0; i < held_; ++i) rows[i] = band_.data() + std::size_t(i) * used_;
        PlaceRows(rows, placed_, held_, width_, transform_, bitmap_);
        placed_ += held_;
        held_ = 0;
    }

private:
    static constexpr int BandRows = 64;

    void ZeroPadding() {
        const std::size_t used = std::size_t(bitmap_.Width()) * bitmap_.BitsPerPixel() / 8;
        for (int y = 0; y < bitmap_.Height(); ++y) std::memset(bitmap_.ScanLine(y) + used, 0, bitmap_.BytesPerLine() - used);
    }

    TBitmap& bitmap_;
    const int width_;
    const std::size_t used_;
    const TFlipTurn transform_;
    std::vector<JSAMPLE> band_;
    int placed_ = 0;  // rows put in place
    int held_ = 0;    // rows in the band
};

// Rows the data did not reach become grey.
void FillGrey(RowSink& sink, const TBitmap& bitmap, int fromRow, int height, std::size_t used) {
    const int value = bitmap.PixelFormat() == TPixelFormat::pf8bit ? NearestToGrey(bitmap.Palette()) : 128;
    JSAMPROW rows[RowSink::RowsPerCall];
    for (int first = fromRow; first < height;) {
        const int count = sink.Rows(first, height - first, rows);
        for (int i = 0; i < count; ++i) std::memset(rows[i], value, used);
        sink.Written(rows, count);
        first += count;
    }
    sink.Flush();
}

}  // namespace

Header ReadHeader(const std::string& bytes, Metadata* metadata) {
    Decompressor d;
    d.ReadHeader(bytes, metadata != nullptr);
    if (metadata) {
        JOCTET* icc = nullptr;
        unsigned int iccLength = 0;
        Guarded(d.errors, [&] {
            if (!jpeg_read_icc_profile(&d.cinfo, &icc, &iccLength)) icc = nullptr;
        });
        const std::unique_ptr<JOCTET, void (*)(void*)> owner(icc, std::free);
        *metadata = ReadMetadata(d.cinfo, icc ? std::string(reinterpret_cast<const char*>(icc), iccLength) : std::string());
    }
    return Header{static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height),
                  d.cinfo.jpeg_color_space == JCS_GRAYSCALE};
}

namespace {

void DecodeWith(Decompressor& d, const std::string& bytes, const DecodeOptions& options, TBitmap& bitmap) {
    d.ReadHeader(bytes);
    jpeg_decompress_struct& cinfo = d.cinfo;
    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned>(options.scaleDenominator);
    cinfo.dct_method = options.fast ? JDCT_IFAST : JDCT_ISLOW;
    cinfo.do_fancy_upsampling = options.smoothing && !options.fast ? TRUE : FALSE;
    const Output output = ChooseOutput(cinfo, options);
    Guarded(d.errors, [&] { jpeg_calc_output_dimensions(&cinfo); });

    const int width = static_cast<int>(cinfo.output_width), height = static_cast<int>(cinfo.output_height);
    const TPixelFormat format = options.eightBit ? TPixelFormat::pf8bit : TPixelFormat::pf24bit;
    // libjpeg's own work memory (the coefficients of a progressive file) shares
    // the picture's budget with the bitmap and its display copy. A picture
    // past it is refused before anything is allocated; libjpeg's own limit
    // stops any other file that buffers the whole picture.
    const std::int64_t pictureBytes = BytesPerLine(width, format) * height + std::int64_t(width) * height * 3;
    std::int64_t coefficientBytes = 0;
    if (cinfo.progressive_mode)
        for (int c = 0; c < cinfo.num_components; ++c)
            coefficientBytes += std::int64_t(cinfo.comp_info[c].width_in_blocks) * cinfo.comp_info[c].height_in_blocks *
                                DCTSIZE2 * std::int64_t(sizeof(JCOEF));
    if (pictureBytes + coefficientBytes > MaxPictureBytes)
        throw EOutOfResources("The JPEG picture of " + IntToStr(width) + " x " + IntToStr(height) +
                              " pixels needs more memory than a picture may use");
    cinfo.mem->max_memory_to_use = static_cast<long>(MaxPictureBytes - pictureBytes);
    if (SwapsSides(options.transform))
        bitmap.AllocateUninitialised(height, width, format);
    else
        bitmap.AllocateUninitialised(width, height, format);
    const std::size_t used = std::size_t(width) * (options.eightBit ? 1 : 3);
    std::vector<JSAMPLE> cmykRow(output == Output::Cmyk ? std::size_t(width) * 4 : 0);

    Guarded(d.errors, [&] { jpeg_start_decompress(&cinfo); });
    if (output == Output::Indexed) {
        bitmap.SetPalette(QuantizedPalette(cinfo));
        if (options.colors) ConvertColors(bitmap, *options.colors);
    }
    const TColorConversion* bandColors = output == Output::Bgr ? options.colors : nullptr;
    if (output == Output::Grey) bitmap.SetPalette(GreyPalette());
    RowSink sink(bitmap, width, used, options.transform);

    // Multi-scan files are read whole by jpeg_start_decompress; for the
    // others, data that ends from here on leaves the rows below grey.
    d.errors.dataEnded = false;
    const bool readingData = !jpeg_input_complete(&cinfo);
    const bool inverted = cinfo.saw_Adobe_marker;
    Guarded(d.errors, [&] {
        JSAMPROW rows[RowSink::RowsPerCall];
        while (cinfo.output_scanline < cinfo.output_height &&
               !(readingData && d.errors.dataEnded)) {
            const int first = static_cast<int>(cinfo.output_scanline);
            int count = sink.Rows(first, height - first, rows);
            if (output == Output::Cmyk) {
                JSAMPROW cmyk = cmykRow.data();
                count = static_cast<int>(jpeg_read_scanlines(&cinfo, &cmyk, 1));
                if (count) CmykToBgr(cmykRow.data(), rows[0], width, inverted, options.eightBit);
            } else {
                count = static_cast<int>(jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(count)));
            }
            if (count == 0) break;
            for (int i = 0; i < count && bandColors; ++i) bandColors->Convert(rows[i], width, 3);
            sink.Written(rows, count);
        }
    });
    FillGrey(sink, bitmap, static_cast<int>(cinfo.output_scanline), height, used);
}

}  // namespace

void Decode(const std::string& bytes, const DecodeOptions& options, TBitmap& bitmap) {
    Decompressor d;
    d.progress.cancel = options.cancel;
    try {
        DecodeWith(d, bytes, options, bitmap);
    } catch (const EJPEG&) {
        if (d.progress.cancelled) throw ECancelled();
        throw;
    }
}

}  // namespace lumvex::jpeg
