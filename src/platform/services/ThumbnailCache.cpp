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
#include <mutex>
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

TThumbnailStamp StampIn(const struct stat& st) { return {st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size}; }

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

// What the cache and its copies learnt of the folders: looked up once, not
// for every picture.
struct TThumbnailCache::TFolders {
    std::mutex Lock;
    std::string RealCache;    // the cache's folder with its links resolved; empty while it is not there
    bool MadeCache = false;   // a write made the cache's folder since RealCache was sought
    std::string Pictures;     // the folder of the pictures last kept, as named
    std::string RealPictures; // and with its links resolved; empty where it is not there
};

TThumbnailCache::TThumbnailCache(std::string folder)
    : folder_(AbsoluteCleanPath(folder)), folders_(std::make_shared<TFolders>()) {
    std::error_code missing;
    folders_->RealCache = std::filesystem::canonical(folder_, missing).string();
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
// from outside into the cache counts as inside. A file that is not a link is
// where its folder's real path says: the folder is resolved once for all of
// its files. The cache's folder, when it was not there at first, is sought
// again once this cache has made it; a link into a cache folder that another
// program makes meanwhile is not seen.
std::optional<TThumbnailStamp> TThumbnailCache::KeptStamp(const std::string& path) const {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
    const bool link = S_ISLNK(st.st_mode);
    if ((link && ::stat(path.c_str(), &st) != 0) || !S_ISREG(st.st_mode)) return std::nullopt;
    if (Within(AbsoluteCleanPath(path), folder_)) return std::nullopt;
    std::error_code ignored;
    std::string real;
    std::lock_guard guard(folders_->Lock);
    if (folders_->RealCache.empty() && folders_->MadeCache) {
        folders_->RealCache = std::filesystem::canonical(folder_, ignored).string();
        folders_->MadeCache = false;
    }
    if (folders_->RealCache.empty()) return StampIn(st);
    if (link) {
        real = std::filesystem::canonical(path, ignored).string();
    } else {
        const std::size_t slash = path.rfind(PathDelim);
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        if (folder != folders_->Pictures) {
            folders_->Pictures = folder;
            folders_->RealPictures = std::filesystem::canonical(folder, ignored).string();
        }
        if (!folders_->RealPictures.empty())
            real = IncludeTrailingPathDelimiter(folders_->RealPictures) +
                   path.substr(slash == std::string::npos ? 0 : slash + 1);
    }
    if (!real.empty() && Within(real, folders_->RealCache)) return std::nullopt;
    return StampIn(st);
}

// A write into a cache whose folder was not there may have made it: links
// into it are looked for from then on.
bool TThumbnailCache::Write(const std::string& folder, const std::string& name, const std::string& bytes) const {
    if (!WriteEntryAtomically(folder, name, bytes)) {
        *cannotWrite_ = true;
        return false;
    }
    std::lock_guard guard(folders_->Lock);
    if (folders_->RealCache.empty()) folders_->MadeCache = true;
    return true;
}

TCachedThumbnail TThumbnailCache::LookUp(const std::string& path, TColor background) const {
    TCachedThumbnail result;
    try {
        const std::optional<TThumbnailStamp> stamp = KeptStamp(path);
        if (!stamp) return result;
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
        if (*cannotWrite_ || picture.Empty() || KeptStamp(path) != before) return;
        const std::string uri = FileUri(path);
        auto text = EntryText(uri, before);
        if (imageWidth > 0 && imageHeight > 0) {
            text.emplace_back("Thumb::Image::Width", IntToStr(imageWidth));
            text.emplace_back("Thumb::Image::Height", IntToStr(imageHeight));
        }
        Write(folder_ + "/normal", ThumbnailEntryName(uri), WriteThumbnailPng(FittedTo(picture, NormalEdge), text));
    } catch (const std::exception&) {
        // The thumbnail is shown all the same; it is only not kept.
    }
}

void TThumbnailCache::StoreFailure(const std::string& path, const TThumbnailStamp& before) const {
    try {
        if (*cannotWrite_ || KeptStamp(path) != before) return;
        const std::string uri = FileUri(path);
        Write(FailFolder(), ThumbnailEntryName(uri), WriteThumbnailPng(TBitmap(1, 1), EntryText(uri, before)));
    } catch (const std::exception&) {
        // The failure is only not remembered.
    }
}

}  // namespace lumvex
