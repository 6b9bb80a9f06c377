#pragma once
// The desktop's shared thumbnail cache, which file managers and other viewers
// fill and read as well: PNG files named by the MD5 of the picture file's URI,
// in normal (at most 128 pixels a side) and large (256), each naming its file
// (Thumb::URI) and the file's modification time (Thumb::MTime). An entry that
// is not a whole PNG file, is larger than its folder allows, or does not name
// the file as it is now, is a miss. Pictures that could not be made are
// recorded in fail/lumvex-<version>, so a damaged file is not decoded again
// and again. Files inside the cache's own folder are never kept.
//
// No call raises: a cache that cannot be read or written costs nothing but
// the cache. Any thread may call; calls share nothing but the files.
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/graphics/Bitmap.h"

namespace lumvex {

// A file as it was when its thumbnail was begun.
struct TThumbnailStamp {
    std::int64_t Seconds = 0;  // the modification time
    std::int64_t Nanoseconds = 0;
    std::int64_t Size = 0;
    bool operator==(const TThumbnailStamp&) const = default;
};

enum class TCacheAnswer {
    Miss,      // make the picture, then Store it (or StoreFailure) with the stamp
    Found,     // the entry's picture is there
    Failed,    // making it failed before, and the file has not changed since
    Uncached,  // not a file the cache keeps (unreadable, or inside the cache): make it, store nothing
};

struct TCachedThumbnail {
    TCacheAnswer Answer = TCacheAnswer::Uncached;
    TBitmap Picture;      // Found: 24 bit, at most 256 pixels a side
    int ImageWidth = 0;   // Found: the size of the file's own picture, when the entry records it;
    int ImageHeight = 0;  // else 0 (the entry has the picture's proportions)
    TThumbnailStamp Stamp;     // Miss, Found, Failed: the file as it was looked up
};

class TThumbnailCache {
public:
    // The cache in this folder (the one that holds normal, large and fail).
    explicit TThumbnailCache(std::string folder);
    // The user's cache: $XDG_CACHE_HOME/thumbnails, else ~/.cache/thumbnails.
    static std::string UserFolder();
    const std::string& Folder() const { return folder_; }

    // The file's entry in normal, else in large, with any transparency laid
    // over the background; else whether making it failed before.
    TCachedThumbnail LookUp(const std::string& path, TColor background) const;
    // Keeps the picture made from the file, under the stamp LookUp took before
    // it was made, unless the file has changed since. Give the picture as
    // decoded rather than as reduced for a cell: the entry is reduced to 128
    // pixels a side, and other programs show it too. The image size is the
    // file's own picture size, recorded for those who place the picture.
    void Store(const std::string& path, const TThumbnailStamp& before, const TBitmap& picture, int imageWidth,
               int imageHeight) const;
    // Records that no picture could be made from the file, unless the file
    // has changed since the stamp was taken.
    void StoreFailure(const std::string& path, const TThumbnailStamp& before) const;

private:
    struct TFolders;
    // The file as it is now, when it is a file the cache keeps.
    std::optional<TThumbnailStamp> KeptStamp(const std::string& path) const;
    std::string FailFolder() const;
    bool Write(const std::string& folder, const std::string& name, const std::string& bytes) const;

    std::string folder_;
    std::shared_ptr<TFolders> folders_;
    // After a write has failed (a folder that cannot be written, a full
    // disk), this cache and its copies keep nothing more: entries are not
    // encoded only to be thrown away.
    std::shared_ptr<std::atomic<bool>> cannotWrite_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace lumvex
