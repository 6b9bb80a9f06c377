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

// The last folder read, sorted. At start-up the file window's two lists, its
// folder tree and the transformations window's list all read the same folder;
// a folder of 20 000 files takes about 10 ms a read.
struct LastRead {
    std::mutex lock;
    std::string folder;
    FolderStamp stamp;
    std::vector<FoldedName> files;  // every regular file
    std::vector<std::string> subfolders;
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

void ReadEntries(const std::string& folder, std::vector<FoldedName>& files, std::vector<std::string>& subfolders) {
    std::unique_ptr<DIR, int (*)(DIR*)> entries(opendir(folder.c_str()), closedir);
    if (!entries) throw EInOutError("Cannot read the folder \"" + folder + "\": " + std::strerror(errno));
    const std::string prefix = IncludeTrailingPathDelimiter(folder);
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
            files.emplace_back(FoldCase(name), name);
        else if (type == DT_DIR && name[0] != '.')
            folders.emplace_back(FoldCase(name), name);
    }
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    subfolders.reserve(folders.size());
    for (auto& [folded, name] : folders) subfolders.push_back(std::move(name));
}

}  // namespace

FolderEntries ReadFolderEntries(const std::string& folder, const FileMask* mask) {
    LastRead& last = TheLastRead();
    std::lock_guard guard(last.lock);
    FolderStamp stamp;
    const bool stamped = StampOf(folder, stamp);
    if (!stamped || folder != last.folder || !(stamp == last.stamp)) {
        std::vector<FoldedName> files;
        std::vector<std::string> subfolders;
        ReadEntries(folder, files, subfolders);
        const bool keep = stamped && SettledLongAgo(stamp);
        last.folder = keep ? folder : std::string();
        last.stamp = stamp;
        last.files = std::move(files);
        last.subfolders = std::move(subfolders);
    }
    FolderEntries result;
    if (mask)
        for (const auto& [folded, name] : last.files)
            if (mask->MatchesFolded(folded)) result.files.push_back(name);
    result.subfolders = last.subfolders;
    return result;
}

}  // namespace lumvex
