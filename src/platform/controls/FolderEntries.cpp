#include "platform/controls/FolderEntries.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/SysUtils.h"

namespace lumvex {

namespace {

// A name beside its folded form, which orders it.
using FoldedName = std::pair<std::string, std::string>;

// What tells that a folder's entries changed: a new entry, a removed or
// renamed one changes its modification time.
struct FolderStamp {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    bool operator==(const FolderStamp& other) const {
        return device == other.device && inode == other.inode && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

// A folder's regular files and visible subfolders, sorted.
struct Listing {
    std::vector<FoldedName> files;  // every regular file
    std::vector<std::string> subfolders;
};

// The last settled folder read. At start-up the file window's two lists, its
// folder tree and the transformations window's list all read the same folder;
// a folder of 20 000 files takes about 10 ms a read.
struct LastRead {
    std::mutex lock;
    std::string folder;
    FolderStamp stamp;
    Listing listing;
};

LastRead& TheLastRead() {
    static LastRead* last = new LastRead;  // lives for the process, never destroyed
    return *last;
}

bool StampOf(const std::string& folder, FolderStamp& stamp) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) return false;
    stamp = FolderStamp{info.st_dev, info.st_ino, info.st_mtim};
    return true;
}

// A modification time this close to now may still be shared by a change to
// come (the file system's clock is coarse): such a read is not kept.
bool SettledLongAgo(const FolderStamp& stamp) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec - stamp.modified.tv_sec >= 2;
}

Listing ReadListing(const std::string& folder) {
    std::unique_ptr<DIR, int (*)(DIR*)> entries(opendir(folder.c_str()), closedir);
    if (!entries) throw EInOutError("Cannot read the folder \"" + folder + "\": " + std::strerror(errno));
    const std::string prefix = IncludeTrailingPathDelimiter(folder);
    Listing listing;
    std::vector<FoldedName> folders;
    while (const dirent* entry = readdir(entries.get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat info {};
            const bool found = stat((prefix + entry->d_name).c_str(), &info) == 0;
            type = found && S_ISREG(info.st_mode) ? DT_REG : found && S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
        }
        if (type == DT_REG)
            listing.files.emplace_back(FoldCase(name), name);
        else if (type == DT_DIR && name[0] != '.')
            folders.emplace_back(FoldCase(name), name);
    }
    std::sort(listing.files.begin(), listing.files.end());
    std::sort(folders.begin(), folders.end());
    listing.subfolders.reserve(folders.size());
    for (auto& [folded, name] : folders) listing.subfolders.push_back(std::move(name));
    return listing;
}

FolderEntries Select(const Listing& listing, const FileMask* mask) {
    FolderEntries result;
    if (mask)
        for (const auto& [folded, name] : listing.files)
            if (mask->MatchesFolded(folded)) result.files.push_back(name);
    result.subfolders = listing.subfolders;
    return result;
}

}  // namespace

FolderEntries ReadFolderEntries(const std::string& folder, const FileMask* mask) {
    LastRead& last = TheLastRead();
    std::lock_guard guard(last.lock);
    FolderStamp stamp;
    const bool stamped = StampOf(folder, stamp);
    if (stamped && folder == last.folder && stamp == last.stamp) return Select(last.listing, mask);
    Listing listing = ReadListing(folder);
    if (!stamped || !SettledLongAgo(stamp)) return Select(listing, mask);
    last.folder = folder;
    last.stamp = stamp;
    last.listing = std::move(listing);
    return Select(last.listing, mask);
}

}  // namespace lumvex
