#include "platform/graphics/Jxl.h"

#include <jxl/decode.h>
#include <jxl/resizable_parallel_runner.h>

#include <cstring>
#include <utility>
#include <memory>

#include "platform/SharedLibrary.h"
#include "platform/SysUtils.h"

namespace lumvex {
namespace {

// How much of the file the decoder is given at a time: the cancel token is
// looked at between two pieces.
constexpr std::size_t DecodePiece = std::size_t(1) << 20;
// An EXIF block larger than this is not kept.
constexpr std::size_t MaxExifBytes = std::size_t(16) << 20;

// libjxl is opened when the first JPEG XL picture is decoded.
struct TJxlFunctions {
    TSharedLibrary Decoder{LUMVEX_LIBJXL_SONAME, "JPEG XL pictures"};
    TSharedLibrary Threads{LUMVEX_LIBJXL_THREADS_SONAME, "JPEG XL pictures"};
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderCreate);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderDestroy);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderSubscribeEvents);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderSetParallelRunner);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderSetDecompressBoxes);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderProcessInput);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderSetInput);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderReleaseInput);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderCloseInput);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderGetBasicInfo);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderGetICCProfileSize);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderGetColorAsICCProfile);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderImageOutBufferSize);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderSetImageOutBuffer);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderGetBoxType);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderSetBoxBuffer);
    LUMVEX_LIBRARY_FUNCTION(Decoder, JxlDecoderReleaseBoxBuffer);
    LUMVEX_LIBRARY_FUNCTION(Threads, JxlResizableParallelRunner);
    LUMVEX_LIBRARY_FUNCTION(Threads, JxlResizableParallelRunnerCreate);
    LUMVEX_LIBRARY_FUNCTION(Threads, JxlResizableParallelRunnerDestroy);
    LUMVEX_LIBRARY_FUNCTION(Threads, JxlResizableParallelRunnerSetThreads);
    LUMVEX_LIBRARY_FUNCTION(Threads, JxlResizableParallelRunnerSuggestThreads);
};

const TJxlFunctions& Jxl() { return LoadedFunctions<TJxlFunctions>(); }

struct DecoderDeleter {
    void operator()(JxlDecoder* decoder) const { Jxl().JxlDecoderDestroy(decoder); }
};
struct RunnerDeleter {
    void operator()(void* runner) const { Jxl().JxlResizableParallelRunnerDestroy(runner); }
};

class Reader {
public:
    Reader(std::string_view bytes, const TDecodeRequest& request) : bytes_(bytes), request_(request) {
        decoder_.reset(jxl_.JxlDecoderCreate(nullptr));
        runner_.reset(jxl_.JxlResizableParallelRunnerCreate(nullptr));
        if (!decoder_ || !runner_) throw EOutOfResources("Out of memory");
        JxlDecoder* decoder = decoder_.get();
        if (jxl_.JxlDecoderSubscribeEvents(decoder, JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE |
                                                   JXL_DEC_BOX) != JXL_DEC_SUCCESS ||
            jxl_.JxlDecoderSetParallelRunner(decoder, jxl_.JxlResizableParallelRunner, runner_.get()) !=
                JXL_DEC_SUCCESS ||
            jxl_.JxlDecoderSetDecompressBoxes(decoder, JXL_TRUE) != JXL_DEC_SUCCESS)
            throw EInvalidGraphic("JPEG XL decoder cannot be set up");
    }

    TDecodedPicture Read() {
        JxlDecoder* decoder = decoder_.get();
        GiveMore();
        for (;;) {
            const JxlDecoderStatus status = jxl_.JxlDecoderProcessInput(decoder);
            switch (status) {
            case JXL_DEC_ERROR: throw EInvalidGraphic("Damaged JPEG XL file: it cannot be decoded");
            case JXL_DEC_NEED_MORE_INPUT:
                if (given_ == bytes_.size()) throw EInvalidGraphic("Damaged JPEG XL file: the file is truncated");
                GiveMore();
                break;
            case JXL_DEC_BASIC_INFO: StartPicture(); break;
            case JXL_DEC_COLOR_ENCODING: ReadProfile(); break;
            case JXL_DEC_NEED_IMAGE_OUT_BUFFER: SetOutput(); break;
            case JXL_DEC_BOX: StartBox(); break;
            case JXL_DEC_BOX_NEED_MORE_OUTPUT: GrowBox(); break;
            case JXL_DEC_FULL_IMAGE:  // the first frame is the picture
            case JXL_DEC_SUCCESS:
                if (picture_.Pixels.Empty()) throw EInvalidGraphic("Damaged JPEG XL file: it holds no picture");
                EndBox();
                ToBitmapOrder();
                return std::move(picture_);
            default: break;
            }
        }
    }

private:
    void GiveMore() {
        if (request_.Cancel) request_.Cancel->ThrowIfCancelled();
        JxlDecoder* decoder = decoder_.get();
        std::size_t from = 0;
        if (given_ > 0) from = given_ - jxl_.JxlDecoderReleaseInput(decoder);
        given_ = std::min(bytes_.size(), given_ + DecodePiece);
        jxl_.JxlDecoderSetInput(decoder, reinterpret_cast<const std::uint8_t*>(bytes_.data()) + from, given_ - from);
        if (given_ == bytes_.size()) jxl_.JxlDecoderCloseInput(decoder);
    }

    void StartPicture() {
        if (jxl_.JxlDecoderGetBasicInfo(decoder_.get(), &info_) != JXL_DEC_SUCCESS)
            throw EInvalidGraphic("Damaged JPEG XL file: its header cannot be read");
        CheckPictureSize(info_.xsize, info_.ysize);
        picture_.FullWidth = int(info_.xsize);
        picture_.FullHeight = int(info_.ysize);
        picture_.Alpha = info_.alpha_bits > 0;
        picture_.Metadata.Upright = true;
        jxl_.JxlResizableParallelRunnerSetThreads(
            runner_.get(), jxl_.JxlResizableParallelRunnerSuggestThreads(info_.xsize, info_.ysize));
    }

    JxlPixelFormat Format() const { return {picture_.Alpha ? 4u : 3u, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 4}; }

    void ReadProfile() {
        const JxlPixelFormat format = Format();
        std::size_t size = 0;
        if (jxl_.JxlDecoderGetICCProfileSize(decoder_.get(), &format, JXL_COLOR_PROFILE_TARGET_DATA, &size) !=
                JXL_DEC_SUCCESS ||
            size == 0)
            return;
        std::string icc(size, '\0');
        if (jxl_.JxlDecoderGetColorAsICCProfile(decoder_.get(), &format, JXL_COLOR_PROFILE_TARGET_DATA,
                                           reinterpret_cast<std::uint8_t*>(icc.data()), size) == JXL_DEC_SUCCESS)
            picture_.Metadata.Icc = std::move(icc);
    }

    // Straight into the bitmap, whose rows are padded to four bytes as
    // libjxl pads them when asked; the byte order is put right afterwards.
    void SetOutput() {
        picture_.Pixels = NewDecodedBitmap(info_.xsize, info_.ysize, picture_.Alpha);
        const JxlPixelFormat format = Format();
        std::size_t size = 0;
        if (jxl_.JxlDecoderImageOutBufferSize(decoder_.get(), &format, &size) != JXL_DEC_SUCCESS ||
            size > std::size_t(picture_.Pixels.BytesPerLine()) * picture_.Pixels.Height() ||
            jxl_.JxlDecoderSetImageOutBuffer(decoder_.get(), &format, picture_.Pixels.ScanLine(0), size) !=
                JXL_DEC_SUCCESS)
            throw EInvalidGraphic("Damaged JPEG XL file: its pixels cannot be laid out");
    }

    // Red, green, blue (and alpha) as decoded become the bitmap's order.
    void ToBitmapOrder() {
        TBitmap& pixels = picture_.Pixels;
        const bool multiply = picture_.Alpha && !info_.alpha_premultiplied;
        for (int y = 0; y < pixels.Height(); ++y) {
            std::uint8_t* p = pixels.ScanLine(y);
            const int step = picture_.Alpha ? 4 : 3;
            for (int x = 0; x < pixels.Width(); ++x, p += step) std::swap(p[0], p[2]);
            if (multiply) PremultiplyRow(pixels.ScanLine(y), pixels.Width());
        }
    }

    // The EXIF box starts with the offset of the TIFF header after its own four bytes.
    void StartBox() {
        EndBox();
        JxlBoxType type;
        if (jxl_.JxlDecoderGetBoxType(decoder_.get(), type, JXL_TRUE) != JXL_DEC_SUCCESS ||
            std::memcmp(type, "Exif", 4) != 0 || !picture_.Metadata.Exif.empty())
            return;
        box_.assign(64 * 1024, '\0');
        inBox_ = jxl_.JxlDecoderSetBoxBuffer(decoder_.get(), reinterpret_cast<std::uint8_t*>(box_.data()),
                                             box_.size()) == JXL_DEC_SUCCESS;
    }

    void GrowBox() {
        const std::size_t unused = jxl_.JxlDecoderReleaseBoxBuffer(decoder_.get());
        const std::size_t used = box_.size() - unused;
        if (box_.size() >= MaxExifBytes) {
            inBox_ = false;
            box_.clear();
            return;
        }
        box_.resize(box_.size() * 2);
        jxl_.JxlDecoderSetBoxBuffer(decoder_.get(), reinterpret_cast<std::uint8_t*>(box_.data()) + used,
                                    box_.size() - used);
    }

    void EndBox() {
        if (!inBox_) return;
        inBox_ = false;
        box_.resize(box_.size() - jxl_.JxlDecoderReleaseBoxBuffer(decoder_.get()));
        if (box_.size() < 4) return;
        const std::size_t offset = (std::uint32_t(std::uint8_t(box_[0])) << 24) |
                                   (std::uint32_t(std::uint8_t(box_[1])) << 16) |
                                   (std::uint32_t(std::uint8_t(box_[2])) << 8) | std::uint8_t(box_[3]);
        if (offset <= box_.size() - 4) picture_.Metadata.Exif = box_.substr(4 + offset);
    }

    const TJxlFunctions& jxl_ = Jxl();
    std::string_view bytes_;
    const TDecodeRequest& request_;
    std::unique_ptr<JxlDecoder, DecoderDeleter> decoder_;
    std::unique_ptr<void, RunnerDeleter> runner_;
    std::size_t given_ = 0;
    JxlBasicInfo info_{};
    TDecodedPicture picture_;
    std::string box_;
    bool inBox_ = false;
};

}  // namespace

bool IsJxlData(std::string_view bytes) {
    static constexpr std::string_view Codestream("\xFF\x0A", 2);
    static constexpr std::string_view Container("\0\0\0\x0CJXL \r\n\x87\n", 12);
    return bytes.starts_with(Codestream) || bytes.starts_with(Container);
}

TDecodedPicture TJxlImage::Decode(std::string_view bytes, const TDecodeRequest& request) const {
    if (!IsJxlData(bytes)) throw EInvalidGraphic("Not a JPEG XL file: the JPEG XL signature is missing");
    return Reader(bytes, request).Read();
}

}  // namespace lumvex
