#include <algorithm>
#include <cstring>
#include <new>
#include <optional>

#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/JpegErrors.h"

namespace lumvex::jpeg {
namespace {

// Collects libjpeg's output in a pixel block that grows as needed: large
// blocks come back from earlier pictures already touched, so writing them
// costs no page faults.
struct BlockDestination {
    jpeg_destination_mgr manager{};  // first, so libjpeg's pointer leads back here
    PixelBuffer block;

    explicit BlockDestination(std::size_t guess) : block(PixelBuffer::Uninitialised(guess)) {
        manager.init_destination = [](j_compress_ptr) {};
        manager.empty_output_buffer = Grow;
        manager.term_destination = [](j_compress_ptr) {};
        manager.next_output_byte = block.data();
        manager.free_in_buffer = block.size();
    }

    std::string Bytes() const {
        return std::string(reinterpret_cast<const char*>(block.data()), block.size() - manager.free_in_buffer);
    }

    // libjpeg asks for more room only when the block is full.
    bool Enlarge() {
        const std::size_t used = block.size();
        try {
            PixelBuffer bigger = PixelBuffer::Uninitialised(used * 2);
            std::memcpy(bigger.data(), block.data(), used);
            block = std::move(bigger);
        } catch (const std::bad_alloc&) {
            return false;
        }
        manager.next_output_byte = block.data() + used;
        manager.free_in_buffer = block.size() - used;
        return true;
    }

    static boolean Grow(j_compress_ptr cinfo) {
        // libjpeg is left by longjmp only from here, with no C++ object alive.
        if (!reinterpret_cast<BlockDestination*>(cinfo->dest)->Enlarge())
            Fail(reinterpret_cast<j_common_ptr>(cinfo), "Not enough memory to compress the JPEG picture");
        return TRUE;
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

std::string Encode(const TBitmap& bitmap, int quality, const std::vector<Marker>& markers) {
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

    // A photo at quality 90 takes about two bits a pixel.
    BlockDestination destination(std::max<std::size_t>(1 << 16, std::size_t(source->Width()) * source->Height() / 2));

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
        for (const Marker& marker : markers)
            jpeg_write_marker(&cinfo, marker.code, reinterpret_cast<const JOCTET*>(marker.data.data()),
                              static_cast<unsigned int>(marker.data.size()));
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
    return destination.Bytes();
}

}  // namespace lumvex::jpeg
