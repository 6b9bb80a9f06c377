#include "platform/graphics/ExifMetadata.h"

#include <mutex>

#include <exiv2/exiv2.hpp>

#include "platform/SysUtils.h"
#include "platform/graphics/JpegCodec.h"

namespace lumvex {
namespace {

// The largest EXIF block a JPEG marker holds, after its "Exif\0\0" prefix.
constexpr std::size_t MaxBlockBytes = 65533 - 6;
// EXIF thumbnails are 160 x 120; one far larger is not decoded to be turned.
constexpr int MaxThumbnailSide = 1024;

void QuietExiv2() {
    static std::once_flag once;
    std::call_once(once, [] { Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute); });
}

// The tags read from a block; false when exiv2 cannot read it.
bool Decode(const std::string& block, Exiv2::ExifData& tags, Exiv2::ByteOrder& order) {
    QuietExiv2();
    if (block.empty() || block.size() > MaxBlockBytes) return false;
    try {
        order = Exiv2::ExifParser::decode(tags, reinterpret_cast<const Exiv2::byte*>(block.data()),
                                          static_cast<std::uint32_t>(block.size()));
        return order != Exiv2::invalidByteOrder;
    } catch (...) {
        return false;
    }
}

TFlipTurn Uprighting(const Exiv2::ExifData& tags) {
    const auto found = tags.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    return found == tags.end() || found->count() < 1 ? TFlipTurn::None : UprightingOf(found->toLong(0));
}

// Sets the tag when the block has it, in its own type.
void Update(Exiv2::ExifData& tags, const char* key, long value) {
    const auto found = tags.findKey(Exiv2::ExifKey(key));
    if (found != tags.end() && found->setValue(IntToStr(static_cast<int>(value))) != 0)
        throw Exiv2::Error(Exiv2::kerErrorMessage, key);
}

// The thumbnail, a small JPEG picture, decoded, transformed and encoded
// again; empty when it cannot be.
std::string TransformedThumbnail(const Exiv2::DataBuf& thumbnail, TFlipTurn applied) {
    try {
        const std::string bytes(reinterpret_cast<const char*>(thumbnail.pData_), static_cast<std::size_t>(thumbnail.size_));
        const jpeg::Header header = jpeg::ReadHeader(bytes);
        if (header.width > MaxThumbnailSide || header.height > MaxThumbnailSide) return {};
        jpeg::DecodeOptions options;
        options.transform = applied;
        TBitmap picture;
        jpeg::Decode(bytes, options, picture);
        return jpeg::Encode(picture, 90);
    } catch (const Exception&) {
        return {};
    }
}

void TransformThumbnail(Exiv2::ExifData& tags, TFlipTurn applied) {
    if (applied == TFlipTurn::None) return;
    Exiv2::ExifThumb thumb(tags);
    const Exiv2::DataBuf old = thumb.copy();
    if (old.size_ <= 0) return;
    const std::string turned =
        std::string(thumb.mimeType()) == "image/jpeg" ? TransformedThumbnail(old, applied) : std::string();
    if (turned.empty())
        thumb.erase();
    else
        thumb.setJpegThumbnail(reinterpret_cast<const Exiv2::byte*>(turned.data()), static_cast<long>(turned.size()));
}

}  // namespace

TFlipTurn ExifUprighting(const std::string& exif) {
    Exiv2::ExifData tags;
    Exiv2::ByteOrder order;
    if (!Decode(exif, tags, order)) return TFlipTurn::None;
    try {
        return Uprighting(tags);
    } catch (...) {
        return TFlipTurn::None;
    }
}

std::optional<std::string> ExifForWrittenPicture(const std::string& exif, TFlipTurn applied, int width, int height) {
    Exiv2::ExifData tags;
    Exiv2::ByteOrder order;
    if (!Decode(exif, tags, order)) return std::nullopt;
    std::string updated = exif;  // exiv2 updates a block in place where it can
    try {
        Update(tags, "Exif.Image.Orientation", 1);
        Update(tags, "Exif.Photo.PixelXDimension", width);
        Update(tags, "Exif.Photo.PixelYDimension", height);
        Update(tags, "Exif.Image.ImageWidth", width);
        Update(tags, "Exif.Image.ImageLength", height);
        TransformThumbnail(tags, applied);
        Exiv2::Blob rewritten;
        if (Exiv2::ExifParser::encode(rewritten, reinterpret_cast<const Exiv2::byte*>(updated.data()),
                                      static_cast<std::uint32_t>(updated.size()), order, tags) == Exiv2::wmIntrusive)
            updated.assign(rewritten.begin(), rewritten.end());
    } catch (...) {
        return std::nullopt;
    }
    // What is written must read back upright.
    Exiv2::ExifData written;
    if (!Decode(updated, written, order)) return std::nullopt;
    try {
        if (Uprighting(written) != TFlipTurn::None) return std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
    return updated;
}

}  // namespace lumvex
