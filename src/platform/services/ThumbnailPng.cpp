// libpng reports a fault by jumping back to where the work started, so each
// step that calls it sets its jump target and holds nothing that needs a
// destructor; what outlives a step is made before it.
#include "platform/services/ThumbnailPng.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

// Far above the text of any sound entry: compressed text that grows beyond
// it is dropped.
constexpr png_alloc_size_t MaxChunkBytes = 1 << 20;

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
    return std::uint32_t(std::uint8_t(bytes[at])) << 24 | std::uint32_t(std::uint8_t(bytes[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 8 | std::uint32_t(std::uint8_t(bytes[at + 3]));
}

// Whether every chunk up to the end chunk lies within the bytes. libpng takes
// an ancillary chunk's length on trust and allocates it before it reads, so a
// chunk that claims gigabytes must be refused before libpng sees it.
bool ChunksWithin(const std::string& bytes) {
    for (std::size_t at = 8; bytes.size() - at >= 12;) {
        const std::uint32_t length = BigEndian(bytes, at);
        if (length > bytes.size() - at - 12) return false;
        if (bytes.compare(at + 4, 4, "IEND") == 0) return true;
        at += 12 + std::size_t(length);
    }
    return false;
}

struct TPngInput {
    const std::string* Bytes;
    std::size_t At;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* input = static_cast<TPngInput*>(png_get_io_ptr(png));
    if (count > input->Bytes->size() - input->At) png_error(png, "the file ends early");
    std::memcpy(out, input->Bytes->data() + input->At, count);
    input->At += count;
}

void AppendToString(png_structp png, png_bytep data, png_size_t count) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), count);
}

void NoFlush(png_structp) {}

[[noreturn]] void JumpBack(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void IgnoreWarning(png_structp, png_const_charp) {}

struct TPngRead {
    TPngRead() : Png(png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBack, IgnoreWarning)) {
        if (Png) Info = png_create_info_struct(Png);
    }
    ~TPngRead() { png_destroy_read_struct(&Png, Info ? &Info : nullptr, nullptr); }
    TPngRead(const TPngRead&) = delete;
    TPngRead& operator=(const TPngRead&) = delete;
    bool Ready() const { return Png && Info; }
    png_structp Png = nullptr;
    png_infop Info = nullptr;
};

struct TPngWrite {
    TPngWrite() : Png(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBack, IgnoreWarning)) {
        if (Png) Info = png_create_info_struct(Png);
    }
    ~TPngWrite() { png_destroy_write_struct(&Png, Info ? &Info : nullptr); }
    TPngWrite(const TPngWrite&) = delete;
    TPngWrite& operator=(const TPngWrite&) = delete;
    bool Ready() const { return Png && Info; }
    png_structp Png = nullptr;
    png_infop Info = nullptr;
};

// Reads up to the pixels, refusing a picture above maxEdge before anything
// is allocated for it, and asks for 8-bit red, green, blue, alpha rows.
bool ReadHeader(png_structp png, png_infop info, TPngInput* input, int maxEdge) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, input, ReadFromMemory);
    png_set_user_limits(png, png_uint_32(maxEdge), png_uint_32(maxEdge));
    png_set_chunk_malloc_max(png, MaxChunkBytes);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

// The pixels and everything after them up to the end chunk: a file cut
// short anywhere is refused.
bool ReadPixels(png_structp png, png_infop info, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

// The smallest block of the common file systems: the least room a file takes.
constexpr std::size_t DiskBlock = 4096;

// The size of an RGB PNG file of the picture and text with its pixels stored
// without compression: the chunks' frames, the header, the text, and each
// row with its filter byte in stored deflate blocks of at most 65,535 bytes.
std::size_t StoredSize(int width, int height, png_textp text, int count) {
    constexpr std::size_t Frame = 12, Signature = 8, Header = 13, ZlibFrame = 6, StoredBlockFrame = 5;
    std::size_t size = Signature + Frame + Header + Frame /* IDAT */ + Frame /* IEND */ + ZlibFrame;
    for (int i = 0; i < count; ++i) size += Frame + std::strlen(text[i].key) + 1 + text[i].text_length;
    const std::size_t pixels = std::size_t(height) * (1 + 3 * std::size_t(width));
    return size + pixels + StoredBlockFrame * (pixels / 65535 + 1);
}

bool WritePng(png_structp png, png_infop info, std::string* out, int width, int height, png_textp text, int count,
              png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, AppendToString, NoFlush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_text(png, info, text, count);
    if (StoredSize(width, height, text, count) <= DiskBlock) {
        // Compressed or not, the file takes one block of the disk: it is
        // stored as it is, in a seventh of the time.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_level(png, 0);
    } else {
        // One filter for every row instead of the best of five tried on each,
        // and runs of bytes instead of a search for repeats: small photos
        // come out less than a tenth larger, made in half the time. Flat
        // pictures, whose filtered rows are long runs of zeros, still shrink.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_PAETH);
        png_set_compression_strategy(png, Z_RLE);
        png_set_compression_level(png, 1);
    }
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

std::uint8_t Over(std::uint8_t value, std::uint8_t alpha, std::uint8_t background) {
    return std::uint8_t((value * alpha + background * (255 - alpha) + 127) / 255);
}

TBitmap LaidOver(const std::vector<png_byte>& rgba, int width, int height, TColor background) {
    TBitmap picture(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y) {
        const png_byte* in = rgba.data() + std::size_t(y) * width * 4;
        std::uint8_t* out = picture.ScanLine(y);
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = Over(in[2], in[3], GetBValue(background));
            out[1] = Over(in[1], in[3], GetGValue(background));
            out[2] = Over(in[0], in[3], GetRValue(background));
        }
    }
    return picture;
}

}  // namespace

std::optional<TThumbnailPng> ReadThumbnailPng(const std::string& bytes, int maxEdge, TColor background) {
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0 ||
        !ChunksWithin(bytes))
        return std::nullopt;
    TPngRead read;
    if (!read.Ready()) return std::nullopt;
    TPngInput input{&bytes, 0};
    if (!ReadHeader(read.Png, read.Info, &input, maxEdge)) return std::nullopt;
    const int width = int(png_get_image_width(read.Png, read.Info));
    const int height = int(png_get_image_height(read.Png, read.Info));
    if (width <= 0 || height <= 0 || width > maxEdge || height > maxEdge ||
        png_get_rowbytes(read.Png, read.Info) != std::size_t(width) * 4)
        return std::nullopt;
    std::vector<png_byte> rgba(std::size_t(width) * height * 4);
    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y) rows[y] = rgba.data() + std::size_t(y) * width * 4;
    if (!ReadPixels(read.Png, read.Info, rows.data())) return std::nullopt;

    TThumbnailPng entry{LaidOver(rgba, width, height, background), {}};
    png_textp text = nullptr;
    const int count = png_get_text(read.Png, read.Info, &text, nullptr);
    for (int i = 0; i < count; ++i)
        if (text[i].key && text[i].text) entry.Text[text[i].key] = text[i].text;
    return entry;
}

std::string WriteThumbnailPng(const TBitmap& picture, const std::vector<std::pair<std::string, std::string>>& text) {
    if (picture.Empty()) throw EWriteError("An empty picture has no thumbnail");
    TBitmap rgb(picture);
    if (rgb.PixelFormat() != TPixelFormat::pf24bit) rgb.SetPixelFormat(TPixelFormat::pf24bit);
    // libpng copies each row before it turns blue, green, red around.
    std::vector<png_bytep> rows(rgb.Height());
    for (int y = 0; y < rgb.Height(); ++y) rows[y] = const_cast<png_bytep>(std::as_const(rgb).ScanLine(y));
    std::vector<png_text> chunks(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        chunks[i].compression = PNG_TEXT_COMPRESSION_NONE;
        chunks[i].key = const_cast<png_charp>(text[i].first.c_str());
        chunks[i].text = const_cast<png_charp>(text[i].second.c_str());
        chunks[i].text_length = text[i].second.size();
    }
    TPngWrite write;
    std::string bytes;
    if (!write.Ready() || !WritePng(write.Png, write.Info, &bytes, rgb.Width(), rgb.Height(), chunks.data(),
                                    int(chunks.size()), rows.data()))
        throw EWriteError("The thumbnail cannot be written as PNG");
    return bytes;
}

}  // namespace lumvex
