#include "platform/services/ThumbnailCache.h"

#include <sys/stat.h>

#include <QDir>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/graphics/QtBridge.h"
#include "platform/services/ThumbnailEntryFiles.h"
#include "platform/services/ThumbnailNames.h"
#include "platform/services/ThumbnailPng.h"

namespace lumvex {
namespace {

constexpr int NormalEdge = 128;
constexpr int LargeEdge = 256;

using TEntryText = std::map<std::string, std::string>;

std::optional<TThumbnailStamp> StampOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return TThumbnailStamp{st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size};
}

// The whole text as a number; a modification time may carry a fraction of a
// second, which the cache does not compare.
std::optional<std::int64_t> NumberIn(const std::string& text, bool fractionAllowed) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || next == text.data()) return std::nullopt;
    if (next == end) return value;
    if (!fractionAllowed || *next != '.' || next + 1 == end ||
        !std::all_of(next + 1, end, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> NumberAt(const TEntryText& text, const char* key, bool fractionAllowed = false) {
    const auto at = text.find(key);
    return at == text.end() ? std::nullopt : NumberIn(at->second, fractionAllowed);
}

// Whether the entry is of this file as it is now: the same URI and
// modification time, and the same size where the entry records one.
bool NamesFile(const TEntryText& text, const std::string& uri, const TThumbnailStamp& stamp) {
    const auto at = text.find("Thumb::URI");
    if (at == text.end() || at->second != uri || NumberAt(text, "Thumb::MTime", true) != stamp.Seconds)
        return false;
    return !text.contains("Thumb::Size") || NumberAt(text, "Thumb::Size") == stamp.Size;
}

std::vector<std::pair<std::string, std::string>> EntryText(const std::string& uri, const TThumbnailStamp& stamp) {
    return {{"Thumb::URI", uri},
            {"Thumb::MTime", IntToStr(stamp.Seconds)},
            {"Thumb::Size", IntToStr(stamp.Size)},
            {"Software", "Lumvex " LUMVEX_VERSION}};
}

bool Within(const std::string& path, const std::string& folder) {
    return path == folder || path.starts_with(folder == "/" ? folder : folder + PathDelim);
}

// The picture reduced to fit edge x edge, its proportions kept.
TBitmap FittedTo(const TBitmap& picture, int edge) {
    const int longer = std::max(picture.Width(), picture.Height());
    if (longer <= edge) return picture;
    const auto side = [&](int length) { return std::max(1, int(std::lround(double(length) * edge / longer))); };
    return BitmapFromQImage(SourceImage(picture).scaled(side(picture.Width()), side(picture.Height()),
                                                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

TThumbnailCache::TThumbnailCache(std::string folder) : folder_(AbsoluteCleanPath(folder)) {
    std::error_code missing;
    realFolder_ = std::filesystem::canonical(folder_, missing).string();
}

// A relative $XDG_CACHE_HOME is not valid, and would scatter the cache over
// whatever folder the program was started in.
std::string TThumbnailCache::UserFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == PathDelim)
        return AbsoluteCleanPath(cache) + "/thumbnails";
    return AbsoluteCleanPath(QDir::homePath().toStdString()) + "/.cache/thumbnails";
}

std::string TThumbnailCache::FailFolder() const { return folder_ + "/fail/lumvex-" LUMVEX_VERSION; }

// A thumbnail of a thumbnail would only fill the cache with itself; a link
// from outside into the cache counts as inside.
bool TThumbnailCache::Keeps(const std::string& path) const {
    if (Within(AbsoluteCleanPath(path), folder_)) return false;
    std::error_code ignored;
    std::string realFolder = realFolder_;
    if (realFolder.empty()) realFolder = std::filesystem::canonical(folder_, ignored).string();
    if (realFolder.empty()) return true;
    const std::string real = std::filesystem::canonical(path, ignored).string();
    return real.empty() || !Within(real, realFolder);
}

TCachedThumbnail TThumbnailCache::LookUp(const std::string& path, TColor background) const {
    TCachedThumbnail result;
    try {
        const std::optional<TThumbnailStamp> stamp = StampOf(path);
        if (!stamp || !Keeps(path)) return result;
        result.Stamp = *stamp;
        result.Answer = TCacheAnswer::Miss;
        const std::string uri = FileUri(path);
        const std::string name = ThumbnailEntryName(uri);
        const auto entryIn = [&](const std::string& folder, int edge) -> std::optional<TThumbnailPng> {
            const std::optional<std::string> bytes = ReadEntryBytes(folder + PathDelim + name);
            if (!bytes) return std::nullopt;
            std::optional<TThumbnailPng> entry = ReadThumbnailPng(*bytes, edge, background);
            if (!entry || !NamesFile(entry->Text, uri, *stamp)) return std::nullopt;
            return entry;
        };
        for (const auto& [size, edge] : {std::pair{"/normal", NormalEdge}, std::pair{"/large", LargeEdge}}) {
            if (std::optional<TThumbnailPng> entry = entryIn(folder_ + size, edge)) {
                result.Answer = TCacheAnswer::Found;
                result.Picture = std::move(entry->Picture);
                const auto width = NumberAt(entry->Text, "Thumb::Image::Width");
                const auto height = NumberAt(entry->Text, "Thumb::Image::Height");
                if (width > 0 && height > 0 && width <= INT_MAX && height <= INT_MAX) {
                    result.ImageWidth = int(*width);
                    result.ImageHeight = int(*height);
                }
                return result;
            }
        }
        if (entryIn(FailFolder(), NormalEdge)) result.Answer = TCacheAnswer::Failed;
    } catch (const std::exception&) {
        // Out of memory while reading an entry: the picture is simply made.
    }
    return result;
}

void TThumbnailCache::Store(const std::string& path, const TThumbnailStamp& before, const TBitmap& picture,
                            int imageWidth, int imageHeight) const {
    try {
        if (*cannotWrite_ || picture.Empty() || StampOf(path) != before || !Keeps(path)) return;
        const std::string uri = FileUri(path);
        auto text = EntryText(uri, before);
        if (imageWidth > 0 && imageHeight > 0) {
            text.emplace_back("Thumb::Image::Width", IntToStr(imageWidth));
            text.emplace_back("Thumb::Image::Height", IntToStr(imageHeight));
        }
        if (!WriteEntryAtomically(folder_ + "/normal", ThumbnailEntryName(uri),
                                  WriteThumbnailPng(FittedTo(picture, NormalEdge), text)))
            *cannotWrite_ = true;
    } catch (const std::exception&) {
        // The thumbnail is shown all the same; it is only not kept.
    }
}

void TThumbnailCache::StoreFailure(const std::string& path, const TThumbnailStamp& before) const {
    try {
        if (*cannotWrite_ || StampOf(path) != before || !Keeps(path)) return;
        const std::string uri = FileUri(path);
        if (!WriteEntryAtomically(FailFolder(), ThumbnailEntryName(uri),
                                  WriteThumbnailPng(TBitmap(1, 1), EntryText(uri, before))))
            *cannotWrite_ = true;
    } catch (const std::exception&) {
        // The failure is only not remembered.
    }
}

}  // namespace lumvex
