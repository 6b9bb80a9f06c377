#include "platform/graphics/JpegLosslessTransform.h"

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

std::size_t SegmentEnd(const std::string& bytes, std::size_t at) {
    return at + 2 + (std::size_t(static_cast<unsigned char>(bytes[at + 2])) << 8 | static_cast<unsigned char>(bytes[at + 3]));
}

}  // namespace

std::optional<std::string> TransformLosslessly(const std::string& bytes, TFlipTurn transform) {
    std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitTransform(), tjDestroy);
    if (!handle) return std::nullopt;
    tjtransform request{};
    request.op = Operation(transform);
    request.options = TJXOPT_PERFECT | TJXOPT_COPYNONE;
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    const int result = tjTransform(handle.get(), reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 1,
                                   &output, &outputSize, &request, TJFLAG_LIMITSCANS);
    const std::unique_ptr<unsigned char, void (*)(unsigned char*)> owner(output, tjFree);
    // A warning (data that ends early, stray bytes) leaves a whole picture,
    // as the decoder would show it.
    if ((result != 0 && tjGetErrorCode(handle.get()) != TJERR_WARNING) || !output || outputSize < 4)
        return std::nullopt;
    return std::string(reinterpret_cast<const char*>(output), outputSize);
}

std::string WithMarkers(const std::string& bytes, const std::vector<Marker>& markers) {
    std::size_t start = 2;
    if (bytes.size() > 4 && static_cast<unsigned char>(bytes[2]) == 0xFF && static_cast<unsigned char>(bytes[3]) == 0xE0 &&
        SegmentEnd(bytes, 2) <= bytes.size())
        start = SegmentEnd(bytes, 2);
    std::string out = bytes.substr(0, start);
    for (const Marker& marker : markers) {
        const std::size_t length = marker.data.size() + 2;
        out += {'\xFF', static_cast<char>(marker.code), static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
        out += marker.data;
    }
    out.append(bytes, start, std::string::npos);
    return out;
}

}  // namespace lumvex::jpeg
