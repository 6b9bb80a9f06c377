#include "platform/graphics/Tiff.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

// Pages looked at for a reduced picture, so a file with endless pages costs little.
constexpr int MaxPagesSearched = 16;
// Rows decoded between two looks at the cancel token, at least.
constexpr std::uint32_t RowsPerBlock = 64;

// The file's bytes as libtiff's file, read in place.
struct MemoryFile {
    std::string_view bytes;
    toff_t at = 0;
    std::string error;
};

tsize_t ReadProc(thandle_t handle, tdata_t out, tsize_t size) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (size < 0 || file->at >= file->bytes.size()) return 0;
    const std::size_t count = std::min<std::size_t>(std::size_t(size), file->bytes.size() - file->at);
    std::memcpy(out, file->bytes.data() + file->at, count);
    file->at += count;
    return tsize_t(count);
}

tsize_t WriteProc(thandle_t, tdata_t, tsize_t) { return -1; }

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    const toff_t base = whence == SEEK_CUR ? file->at : whence == SEEK_END ? file->bytes.size() : 0;
    if (offset > std::numeric_limits<toff_t>::max() - base) return toff_t(-1);
    file->at = base + offset;
    return file->at;
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t handle) { return static_cast<MemoryFile*>(handle)->bytes.size(); }

int MapProc(thandle_t handle, tdata_t* base, toff_t* size) {
    auto* file = static_cast<MemoryFile*>(handle);
    *base = const_cast<char*>(file->bytes.data());  // libtiff only reads a file opened for reading
    *size = file->bytes.size();
    return 1;
}

void UnmapProc(thandle_t, tdata_t, toff_t) {}

// The first error is the one worth telling.
int OnError(TIFF*, void* handle, const char*, const char* format, va_list arguments) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (file->error.empty()) {
        char text[256];
        std::vsnprintf(text, sizeof text, format, arguments);
        file->error = text;
    }
    return 1;
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

class TiffFile {
public:
    explicit TiffFile(std::string_view bytes) {
        file_.bytes = bytes;
        TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
        // A page asking for a larger block than a picture within the budget needs is damaged.
        TIFFOpenOptionsSetMaxSingleMemAlloc(options, MaxPictureBytes / 2);
        TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, &file_);
        TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, &file_);
        // "O": the strip and tile tables are read as they are used, so that a
        // huge count in a small file allocates nothing.
        tiff_ = TIFFClientOpenExt("picture", "rO", &file_, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                                  MapProc, UnmapProc, options);
        TIFFOpenOptionsFree(options);
        if (!tiff_) Fail();
    }
    ~TiffFile() {
        if (tiff_) TIFFClose(tiff_);
    }
    TiffFile(const TiffFile&) = delete;
    TiffFile& operator=(const TiffFile&) = delete;

    TIFF* operator*() const { return tiff_; }
    [[noreturn]] void Fail() const {
        throw EInvalidGraphic("Damaged TIFF file: " + (file_.error.empty() ? std::string("unreadable") : file_.error));
    }
    const std::string& Error() const { return file_.error; }

private:
    MemoryFile file_;
    TIFF* tiff_ = nullptr;
};

struct PageSize {
    std::uint32_t width = 0, height = 0;
};

PageSize SizeOf(TIFF* tiff) {
    PageSize size;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &size.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &size.height);
    return size;
}

// Moves to the smallest reduced-resolution page that serves the request;
// stays on the first page when there is none.
void ChooseReducedPage(TIFF* tiff, const TDecodeRequest& request) {
    int best = 0;
    std::uint64_t bestArea = 0;
    for (int page = 1; page < MaxPagesSearched && TIFFReadDirectory(tiff); ++page) {
        std::uint32_t kind = 0;
        TIFFGetField(tiff, TIFFTAG_SUBFILETYPE, &kind);
        const PageSize size = SizeOf(tiff);
        const std::uint64_t area = std::uint64_t(size.width) * size.height;
        if ((kind & FILETYPE_REDUCEDIMAGE) && size.width <= INT32_MAX && size.height <= INT32_MAX &&
            ServesReduced(int(size.width), int(size.height), request) && (best == 0 || area < bestArea)) {
            best = page;
            bestArea = area;
        }
    }
    TIFFSetDirectory(tiff, tdir_t(best));
}

void ReadMetadata(TIFF* tiff, TEmbeddedMetadata& metadata) {
    std::uint32_t length = 0;
    void* profile = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &length, &profile) && profile)
        metadata.Icc.assign(static_cast<const char*>(profile), length);
    std::uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    if (orientation >= ORIENTATION_TOPRIGHT && orientation <= ORIENTATION_LEFTBOT) metadata.Orientation = orientation;
}

// libtiff gives red, green, blue, alpha bytes; the bitmap wants blue first,
// and a picture without alpha keeps three bytes a pixel, so the display
// takes it without converting.
void SwapRedAndBlue(TBitmap& pixels) {
    for (int y = 0; y < pixels.Height(); ++y) {
        std::uint8_t* p = pixels.ScanLine(y);
        for (int x = 0; x < pixels.Width(); ++x, p += 4) std::swap(p[0], p[2]);
    }
}

TBitmap OpaqueCopy(const TBitmap& rgba) {
    TBitmap bgr = NewDecodedBitmap(rgba.Width(), rgba.Height(), false);
    for (int y = 0; y < rgba.Height(); ++y) {
        const std::uint8_t* from = rgba.ScanLine(y);
        std::uint8_t* to = bgr.ScanLine(y);
        for (int x = 0; x < rgba.Width(); ++x, from += 4, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return bgr;
}

// Decodes the page's rows block by block; returns the rows done.
std::uint32_t ReadRows(TIFFRGBAImage& image, TBitmap& pixels, const TCancelToken* cancel) {
    std::uint32_t block = 0;
    if (TIFFIsTiled(image.tif))
        TIFFGetField(image.tif, TIFFTAG_TILELENGTH, &block);
    else
        TIFFGetFieldDefaulted(image.tif, TIFFTAG_ROWSPERSTRIP, &block);
    block = std::clamp<std::uint32_t>(block, 1, image.height);
    if (block < RowsPerBlock) block *= (RowsPerBlock + block - 1) / block;
    const std::uint32_t width = image.width;
    for (std::uint32_t row = 0; row < image.height; row += block) {
        if (cancel && cancel->Cancelled()) throw ECancelled();
        const std::uint32_t count = std::min(block, image.height - row);
        image.row_offset = int(row);
        image.col_offset = 0;
        auto* raster = reinterpret_cast<std::uint32_t*>(pixels.ScanLine(int(row)));
        if (!TIFFRGBAImageGet(&image, raster, width, count)) return row;
    }
    return image.height;
}

}  // namespace

bool IsTiffData(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, 4);
    return head == std::string_view("II*\0", 4) || head == std::string_view("MM\0*", 4) ||
           head == std::string_view("II+\0", 4) || head == std::string_view("MM\0+", 4);
}

TDecodedPicture TTiffImage::Decode(std::string_view bytes, const TDecodeRequest& request) const {
    if (!IsTiffData(bytes)) throw EInvalidGraphic("Not a TIFF file: the TIFF header is missing");
    TiffFile file(bytes);
    TDecodedPicture picture;
    const PageSize full = SizeOf(*file);
    CheckPictureSize(full.width, full.height);
    picture.FullWidth = int(full.width);
    picture.FullHeight = int(full.height);
    ReadMetadata(*file, picture.Metadata);
    if (request.MinWidth > 0 || request.MinHeight > 0)
        ChooseReducedPage(*file, StoredRequest(request, MetadataUprighting(picture.Metadata)));

    char message[1024] = "";
    TIFFRGBAImage image;
    if (!TIFFRGBAImageOK(*file, message) || !TIFFRGBAImageBegin(&image, *file, 1, message))
        throw EInvalidGraphic(std::string("Unsupported TIFF picture: ") + message);
    // The rows as the file stores them: the orientation is handed on.
    image.req_orientation = image.orientation;
    picture.Alpha = image.alpha != 0;
    std::uint32_t done = 0;
    try {
        // Not touched before the rows come: a file that fails at once costs no memory.
        picture.Pixels = NewDecodedBitmap(image.width, image.height, true);
        done = ReadRows(image, picture.Pixels, request.Cancel);
    } catch (...) {
        TIFFRGBAImageEnd(&image);
        throw;
    }
    TIFFRGBAImageEnd(&image);
    if (done == 0) file.Fail();
    // Rows the file does not reach are cleared.
    for (int y = int(done); y < picture.Pixels.Height(); ++y)
        std::memset(picture.Pixels.ScanLine(y), 0, std::size_t(picture.Pixels.BytesPerLine()));
    if (picture.Alpha)
        SwapRedAndBlue(picture.Pixels);
    else
        picture.Pixels = OpaqueCopy(picture.Pixels);
    return picture;
}

}  // namespace lumvex
