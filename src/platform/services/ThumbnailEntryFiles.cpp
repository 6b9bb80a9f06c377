#include "platform/services/ThumbnailEntryFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

// Far above any sound entry (256 x 256 pixels and a few lines of text).
constexpr std::int64_t MaxEntryBytes = std::int64_t(4) << 20;

bool WriteAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

// Through a temporary name beside the entry, renamed over it when whole.
bool WriteRenamed(const std::string& folder, const std::string& name, const std::string& bytes) {
    std::string temporary = folder + PathDelim + "." + name + ".lumvex-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const bool written = ::fchmod(fd, 0600) == 0 && WriteAll(fd, bytes);
    if (::close(fd) == 0 && written && ::rename(temporary.c_str(), (folder + PathDelim + name).c_str()) == 0)
        return true;
    ::unlink(temporary.c_str());
    return false;
}

enum class TLinked { Done, Failed, NotThisWay };

// As a file without a name in the folder, given its name when whole: one
// change to the folder instead of a creation and a rename, and a write cut
// short by anything, a crash included, leaves nothing behind. Not this way
// where the file system has no unnamed files, /proc is missing, or the entry
// is there already (a link never replaces a name).
TLinked WriteLinked(const std::string& folder, const std::string& name, const std::string& bytes) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR || errno == EACCES || errno == EPERM || errno == EROFS
                           ? TLinked::Failed
                           : TLinked::NotThisWay;
    TLinked result = TLinked::Failed;
    if (WriteAll(fd, bytes)) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, (folder + PathDelim + name).c_str(), AT_SYMLINK_FOLLOW) == 0)
            result = TLinked::Done;
        else if (errno == EEXIST || errno == ENOENT)
            result = TLinked::NotThisWay;
    }
    ::close(fd);
    return result;
}

}  // namespace

bool MakePrivateFolder(const std::string& folder) {
    if (DirectoryExists(folder)) return true;
    const std::string parent = ExtractFileDir(folder);
    if (parent.empty() || parent == folder || !MakePrivateFolder(parent)) return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || DirectoryExists(folder);
}

// Entries are not synced to the disk: one that a crash leaves empty reads as
// damaged and is made again, which is cheaper than a sync per thumbnail. The
// folder is made only when a write finds it missing.
bool WriteEntryAtomically(const std::string& folder, const std::string& name, const std::string& bytes,
                          TEntryWrite way) {
    if (way == TEntryWrite::Linked) {
        TLinked linked = WriteLinked(folder, name, bytes);
        if (linked == TLinked::Failed && !DirectoryExists(folder) && MakePrivateFolder(folder))
            linked = WriteLinked(folder, name, bytes);
        if (linked != TLinked::NotThisWay) return linked == TLinked::Done;
    }
    return MakePrivateFolder(folder) && WriteRenamed(folder, name, bytes);
}

std::optional<std::string> ReadEntryBytes(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= MaxEntryBytes) {
        bytes.emplace(std::size_t(st.st_size), '\0');
        std::size_t done = 0;
        while (done < bytes->size()) {
            const ssize_t n = ::read(fd, bytes->data() + done, bytes->size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += std::size_t(n);
        }
        bytes->resize(done);
    }
    ::close(fd);
    return bytes;
}

}  // namespace lumvex
