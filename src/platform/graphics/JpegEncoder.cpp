#include <algorithm>
#include <optional>

#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/JpegErrors.h"

namespace lumvex::jpeg {
namespace {

// Collects libjpeg's output in a string that grows as needed.
struct StringDestination {
    jpeg_destination_mgr manager{};  // first, so libjpeg's pointer leads back here
    std::string* out = nullptr;
    std::size_t written = 0;  // bytes of *out already filled

    static StringDestination& Of(j_compress_ptr cinfo) {
        return *reinterpret_cast<StringDestination*>(cinfo->dest);
    }
    void Expose() {
        manager.next_output_byte = reinterpret_cast<JOCTET*>(out->data() + written);
        manager.free_in_buffer = out->size() - written;
    }
    static void Init(j_compress_ptr cinfo) { Of(cinfo).Expose(); }
    static boolean Empty(j_compress_ptr cinfo) {
        StringDestination& d = Of(cinfo);
        d.written = d.out->size();
        bool grown = true;
        try {
            d.out->resize(d.out->size() * 2);
        } catch (const std::exception&) {
            grown = false;  // libjpeg is left by longjmp below, never from inside a catch
        }
        if (!grown) Fail(reinterpret_cast<j_common_ptr>(cinfo), "Not enough memory to compress the JPEG picture");
        d.Expose();
        return TRUE;
    }
    static void Term(j_compress_ptr cinfo) {
        StringDestination& d = Of(cinfo);
        d.out->resize(d.out->size() - d.manager.free_in_buffer);
    }
};

class Compressor {
public:
    Compressor() {
        InstallErrorHandler(*reinterpret_cast<j_common_ptr>(&cinfo), errors);
        Guarded(errors, [&] { jpeg_create_compress(&cinfo); });
        created_ = true;
    }
    ~Compressor() {
        if (created_) jpeg_destroy_compress(&cinfo);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    jpeg_compress_struct cinfo{};
    ErrorHandler errors;

private:
    bool created_ = false;
};

bool HasThirtyTwoBitLayout(TPixelFormat format) {
    return format == TPixelFormat::pf32bit || format == TPixelFormat::pfDevice || format == TPixelFormat::pfCustom;
}

}  // namespace

std::string Encode(const TBitmap& bitmap, int quality) {
    if (bitmap.Empty()) throw EInvalidGraphicOperation("Cannot compress an empty picture");
    // 24 and 32-bit rows go to libjpeg as they are; other formats become 24-bit first.
    std::optional<TBitmap> converted;
    const TBitmap* source = &bitmap;
    if (bitmap.PixelFormat() != TPixelFormat::pf24bit && !HasThirtyTwoBitLayout(bitmap.PixelFormat())) {
        converted.emplace(bitmap);
        converted->SetPixelFormat(TPixelFormat::pf24bit);
        source = &*converted;
    }
    const bool wide = HasThirtyTwoBitLayout(source->PixelFormat());

    std::string out(std::max<std::size_t>(4096, std::size_t(source->Width()) * source->Height() / 4), '\0');
    StringDestination destination;
    destination.out = &out;
    destination.manager.init_destination = StringDestination::Init;
    destination.manager.empty_output_buffer = StringDestination::Empty;
    destination.manager.term_destination = StringDestination::Term;

    Compressor c;
    jpeg_compress_struct& cinfo = c.cinfo;
    cinfo.dest = &destination.manager;
    cinfo.image_width = static_cast<JDIMENSION>(source->Width());
    cinfo.image_height = static_cast<JDIMENSION>(source->Height());
    cinfo.input_components = wide ? 4 : 3;
    cinfo.in_color_space = wide ? JCS_EXT_BGRX : JCS_EXT_BGR;
    Guarded(c.errors, [&] {
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, quality, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        constexpr int RowsPerCall = 16;
        JSAMPROW rows[RowsPerCall];
        while (cinfo.next_scanline < cinfo.image_height) {
            const int first = static_cast<int>(cinfo.next_scanline);
            const int count = std::min<int>(RowsPerCall, source->Height() - first);
            for (int i = 0; i < count; ++i) rows[i] = const_cast<JSAMPROW>(source->ScanLine(first + i));
            jpeg_write_scanlines(&cinfo, rows, static_cast<JDIMENSION>(count));
        }
        jpeg_finish_compress(&cinfo);
    });
    return out;
}

}  // namespace lumvex::jpeg
