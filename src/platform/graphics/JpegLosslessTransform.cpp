#include "platform/graphics/JpegLosslessTransform.h"

#include <algorithm>
#include <climits>
#include <memory>

#include <turbojpeg.h>

namespace lumvex::jpeg {
namespace {

int Operation(TFlipTurn transform) {
    switch (transform) {
    case TFlipTurn::None: break;
    case TFlipTurn::MirrorLeftRight: return TJXOP_HFLIP;
    case TFlipTurn::Turn180: return TJXOP_ROT180;
    case TFlipTurn::MirrorTopBottom: return TJXOP_VFLIP;
    case TFlipTurn::Transpose: return TJXOP_TRANSPOSE;
    case TFlipTurn::TurnRight: return TJXOP_ROT90;
    case TFlipTurn::Transverse: return TJXOP_TRANSVERSE;
    case TFlipTurn::TurnLeft: return TJXOP_ROT270;
    }
    return TJXOP_NONE;
}

std::size_t SegmentEnd(std::string_view bytes, std::size_t at) {
    return at + 2 + (std::size_t(static_cast<unsigned char>(bytes[at + 2])) << 8 | static_cast<unsigned char>(bytes[at + 3]));
}

// Room for the transformed file: the same coefficients coded again take about
// as many bytes as before. Pages never written cost nothing, and TurboJPEG
// still enlarges a buffer that proves too small; what this saves is the
// copying and fresh pages of growing the buffer from a few kilobytes.
unsigned long ExpectedSize(std::string_view bytes) {
    return std::min<unsigned long>(bytes.size() + bytes.size() / 2 + 65536, INT_MAX);
}

}  // namespace

void TransformedJpeg::Free::operator()(unsigned char* data) const { tjFree(data); }

std::optional<TransformedJpeg> TransformLosslessly(std::string_view bytes, TFlipTurn transform) {
    std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitTransform(), tjDestroy);
    if (!handle) return std::nullopt;
    tjtransform request{};
    request.op = Operation(transform);
    request.options = TJXOPT_PERFECT | TJXOPT_COPYNONE;
    unsigned long outputSize = ExpectedSize(bytes);
    unsigned char* const room = tjAlloc(static_cast<int>(outputSize));
    if (!room) outputSize = 0;
    unsigned char* output = room;
    const int result = tjTransform(handle.get(), reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 1,
                                   &output, &outputSize, &request, TJFLAG_LIMITSCANS);
    // A file that outgrows the room goes to a buffer of TurboJPEG's own,
    // which leaves the room to us.
    if (output != room) tjFree(room);
    TransformedJpeg transformed;
    transformed.data_.reset(output);
    transformed.size_ = outputSize;
    // A warning (data that ends early, stray bytes) leaves a whole picture,
    // as the decoder would show it.
    if ((result != 0 && tjGetErrorCode(handle.get()) != TJERR_WARNING) || !output || outputSize < 4)
        return std::nullopt;
    return transformed;
}

void WriteWithMarkers(TReplacingFile& file, std::string_view bytes, const std::vector<Marker>& markers) {
    std::size_t start = 2;
    if (bytes.size() > 4 && static_cast<unsigned char>(bytes[2]) == 0xFF && static_cast<unsigned char>(bytes[3]) == 0xE0 &&
        SegmentEnd(bytes, 2) <= bytes.size())
        start = SegmentEnd(bytes, 2);
    file.Write(bytes.data(), start);
    for (const Marker& marker : markers) {
        const std::size_t length = marker.data.size() + 2;
        const char head[] = {'\xFF', static_cast<char>(marker.code), static_cast<char>(length >> 8),
                             static_cast<char>(length & 0xFF)};
        file.Write(head, sizeof head);
        file.Write(marker.data.data(), marker.data.size());
    }
    file.Write(bytes.data() + start, bytes.size() - start);
}

}  // namespace lumvex::jpeg
