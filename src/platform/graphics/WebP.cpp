#include "platform/graphics/WebP.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

// How much of the file the incremental decoder is given at a time: the
// cancel token is looked at between two pieces.
constexpr std::size_t DecodePiece = std::size_t(1) << 20;

std::string_view Fourcc(std::string_view bytes, std::size_t at) {
    return bytes.size() >= at + 4 ? bytes.substr(at, 4) : std::string_view();
}

WebPData DataOf(std::string_view bytes) {
    return WebPData{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

std::string StatusText(VP8StatusCode status) {
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY: return "out of memory";
    case VP8_STATUS_INVALID_PARAM: return "invalid parameter";
    case VP8_STATUS_BITSTREAM_ERROR: return "damaged data";
    case VP8_STATUS_UNSUPPORTED_FEATURE: return "a feature this reader does not support";
    case VP8_STATUS_NOT_ENOUGH_DATA: return "the file is truncated";
    default: return "error " + IntToStr(status);
    }
}

// The ICC profile and EXIF block of an extended file, from its chunks.
TEmbeddedMetadata ReadMetadata(std::string_view bytes) {
    TEmbeddedMetadata metadata;
    if (Fourcc(bytes, 12) != "VP8X") return metadata;
    const WebPData data = DataOf(bytes);
    WebPDemuxer* demux = WebPDemux(&data);
    if (!demux) return metadata;
    WebPChunkIterator chunk;
    if (WebPDemuxGetChunk(demux, "ICCP", 1, &chunk)) {
        metadata.Icc.assign(reinterpret_cast<const char*>(chunk.chunk.bytes), chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    if (WebPDemuxGetChunk(demux, "EXIF", 1, &chunk)) {
        std::string_view exif(reinterpret_cast<const char*>(chunk.chunk.bytes), chunk.chunk.size);
        // Some writers keep the JPEG marker's "Exif\0\0" before the TIFF header.
        if (exif.substr(0, 6) == std::string_view("Exif\0\0", 6)) exif.remove_prefix(6);
        metadata.Exif = exif;
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demux);
    return metadata;
}

// The size a reduced request is served at: scaled evenly to cover it.
void ScaledSize(int width, int height, const TDecodeRequest& request, int& scaledWidth, int& scaledHeight) {
    scaledWidth = width;
    scaledHeight = height;
    if (request.MinWidth <= 0 && request.MinHeight <= 0) return;
    const double scale = std::max(double(request.MinWidth) / width, double(request.MinHeight) / height);
    if (scale >= 1) return;
    scaledWidth = std::max(1, int(std::ceil(width * scale)));
    scaledHeight = std::max(1, int(std::ceil(height * scale)));
}

TDecodedPicture DecodeStill(std::string_view bytes, const WebPBitstreamFeatures& features,
                            const TDecodeRequest& request) {
    TDecodedPicture picture;
    picture.Alpha = features.has_alpha;
    picture.FullWidth = features.width;
    picture.FullHeight = features.height;
    CheckPictureSize(features.width, features.height);
    picture.Metadata = ReadMetadata(bytes);
    int width = 0, height = 0;
    ScaledSize(features.width, features.height, StoredRequest(request, MetadataUprighting(picture.Metadata)), width,
               height);
    picture.Pixels = NewDecodedBitmap(width, height, picture.Alpha);
    TBitmap& pixels = picture.Pixels;

    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) throw EInvalidGraphic("WebP decoder cannot be set up");
    if (width != features.width || height != features.height) {
        config.options.use_scaling = 1;
        config.options.scaled_width = width;
        config.options.scaled_height = height;
    }
    config.output.colorspace = picture.Alpha ? MODE_bgrA : MODE_BGR;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = pixels.ScanLine(0);
    config.output.u.RGBA.stride = pixels.BytesPerLine();
    config.output.u.RGBA.size = std::size_t(pixels.BytesPerLine()) * height;
    WebPIDecoder* decoder = WebPIDecode(nullptr, 0, &config);
    if (!decoder) throw EOutOfResources("Out of memory");
    VP8StatusCode status = VP8_STATUS_SUSPENDED;
    for (std::size_t given = 0; given < bytes.size() && status == VP8_STATUS_SUSPENDED;) {
        if (request.Cancel && request.Cancel->Cancelled()) break;
        given = std::min(bytes.size(), given + DecodePiece);
        status = WebPIUpdate(decoder, reinterpret_cast<const std::uint8_t*>(bytes.data()), given);
    }
    int rows = 0;
    if (status != VP8_STATUS_OK && !WebPIDecGetRGB(decoder, &rows, nullptr, nullptr, nullptr)) rows = 0;
    WebPIDelete(decoder);
    if (request.Cancel) request.Cancel->ThrowIfCancelled();
    if (status != VP8_STATUS_OK) {
        if (rows <= 0) throw EInvalidGraphic("Damaged WebP file: " + StatusText(status));
        for (int y = rows; y < height; ++y) std::memset(pixels.ScanLine(y), 0, std::size_t(pixels.BytesPerLine()));
    }
    return picture;
}

// What WebPAnimDecoder keeps besides the shown frame: its canvas and the
// previous one, all 32-bit.
constexpr std::int64_t AnimationCanvases = 3;

}  // namespace

bool IsWebPData(std::string_view bytes) { return Fourcc(bytes, 0) == "RIFF" && Fourcc(bytes, 8) == "WEBP"; }

bool IsAnimatedWebPData(std::string_view bytes) {
    constexpr std::uint8_t AnimationFlag = 0x02;
    return IsWebPData(bytes) && Fourcc(bytes, 12) == "VP8X" && bytes.size() > 20 &&
           (static_cast<std::uint8_t>(bytes[20]) & AnimationFlag);
}

TDecodedPicture TWebPImage::Decode(std::string_view bytes, const TDecodeRequest& request) const {
    if (!IsWebPData(bytes)) throw EInvalidGraphic("Not a WebP file: the RIFF WEBP header is missing");
    WebPBitstreamFeatures features;
    const VP8StatusCode status =
        WebPGetFeatures(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &features);
    if (status != VP8_STATUS_OK) throw EInvalidGraphic("Damaged WebP file: " + StatusText(status));
    if (!features.has_animation) return DecodeStill(bytes, features, request);

    TWebPFrames frames{std::string(bytes)};
    frames.Seek(0);
    TDecodedPicture picture;
    picture.Pixels = frames.Frame();
    picture.Alpha = frames.HasAlpha();
    if (!picture.Alpha) picture.Pixels.SetPixelFormat(TPixelFormat::pf24bit);
    picture.FullWidth = frames.Width();
    picture.FullHeight = frames.Height();
    picture.Metadata = ReadMetadata(bytes);
    return picture;
}

struct TWebPFrames::Impl {
    std::string bytes;
    WebPAnimDecoder* decoder = nullptr;
    int width = 0, height = 0;
    bool alpha = false;
    std::vector<int> durations;
    int frameCount = 0;
    int index = -1;
    TBitmap frame;

    ~Impl() {
        if (decoder) WebPAnimDecoderDelete(decoder);
    }
};

TWebPFrames::TWebPFrames(std::string bytes) : impl_(std::make_unique<Impl>()) {
    impl_->bytes = std::move(bytes);
    WebPBitstreamFeatures features;
    const VP8StatusCode status = WebPGetFeatures(reinterpret_cast<const std::uint8_t*>(impl_->bytes.data()),
                                                 impl_->bytes.size(), &features);
    if (status != VP8_STATUS_OK) throw EInvalidGraphic("Damaged WebP file: " + StatusText(status));
    CheckPictureSize(features.width, features.height);
    CheckPictureSize(features.width, features.height, MaxPicturePixels / AnimationCanvases);
    const WebPData data = DataOf(impl_->bytes);
    WebPDemuxState state;
    WebPDemuxer* demux = WebPDemuxPartial(&data, &state);
    if (!demux || state == WEBP_DEMUX_PARSE_ERROR) {
        if (demux) WebPDemuxDelete(demux);
        throw EInvalidGraphic("Damaged WebP file: its chunks cannot be read");
    }
    impl_->width = static_cast<int>(WebPDemuxGetI(demux, WEBP_FF_CANVAS_WIDTH));
    impl_->height = static_cast<int>(WebPDemuxGetI(demux, WEBP_FF_CANVAS_HEIGHT));
    impl_->alpha = WebPDemuxGetI(demux, WEBP_FF_FORMAT_FLAGS) & ALPHA_FLAG;
    WebPIterator iterator;
    if (WebPDemuxGetFrame(demux, 1, &iterator)) {
        do
            if (iterator.complete) impl_->durations.push_back(iterator.duration);
        while (WebPDemuxNextFrame(&iterator));
        WebPDemuxReleaseIterator(&iterator);
    }
    WebPDemuxDelete(demux);
    if (impl_->durations.empty()) throw EInvalidGraphic("Damaged WebP file: it holds no frame");
    impl_->frameCount = static_cast<int>(impl_->durations.size());

    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) throw EInvalidGraphic("WebP decoder cannot be set up");
    options.color_mode = MODE_bgrA;
    options.use_threads = 0;
    impl_->decoder = WebPAnimDecoderNew(&data, &options);
    // The library refuses a file whose frames it cannot place; a truncated
    // file is read as far as its complete frames go.
    if (!impl_->decoder) throw EInvalidGraphic("Damaged WebP animation: its frames cannot be read");
    impl_->frame = TBitmap::Uninitialised(impl_->width, impl_->height, TPixelFormat::pf32bit);
}

TWebPFrames::~TWebPFrames() = default;

const std::string& TWebPFrames::Bytes() const { return impl_->bytes; }
int TWebPFrames::Width() const { return impl_->width; }
int TWebPFrames::Height() const { return impl_->height; }
bool TWebPFrames::HasAlpha() const { return impl_->alpha; }
int TWebPFrames::FrameCount() const { return impl_->frameCount; }
int TWebPFrames::Duration(int index) const { return impl_->durations.at(std::size_t(index)); }
int TWebPFrames::Index() const { return impl_->index; }
const TBitmap& TWebPFrames::Frame() const { return impl_->frame; }

void TWebPFrames::Seek(int index) {
    if (index < 0 || index >= impl_->frameCount)
        throw EListError("Invalid frame number " + IntToStr(index) + " (0.." + IntToStr(impl_->frameCount - 1) + ")");
    if (index == impl_->index) return;
    if (index < impl_->index) {
        WebPAnimDecoderReset(impl_->decoder);
        impl_->index = -1;
    }
    while (impl_->index < index) {
        std::uint8_t* canvas = nullptr;
        int timestamp = 0;
        if (!WebPAnimDecoderHasMoreFrames(impl_->decoder) ||
            !WebPAnimDecoderGetNext(impl_->decoder, &canvas, &timestamp)) {
            if (impl_->index < 0) throw EInvalidGraphic("Damaged WebP animation: its first frame cannot be decoded");
            // The animation ends with the last frame that decodes; that one
            // is decoded again from the start, as the library cannot go on.
            impl_->frameCount = impl_->index + 1;
            WebPAnimDecoderReset(impl_->decoder);
            impl_->index = -1;
            Seek(std::min(index, impl_->frameCount - 1));
            return;
        }
        if (++impl_->index == index) {
            const std::size_t row = std::size_t(impl_->width) * 4;
            for (int y = 0; y < impl_->height; ++y) std::memcpy(impl_->frame.ScanLine(y), canvas + row * y, row);
        }
    }
}

}  // namespace lumvex
