// Whole-file replacement that a full disk, a read-only file or a crash in the
// middle cannot leave half-done.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/AtomicFile.h"
#include "platform/SysUtils.h"

namespace lumvex {

namespace {

[[noreturn]] void Fail(const std::string& path, int err) {
    throw EWriteError("Cannot write file \"" + path + "\". " + std::strerror(err));
}

// The file a path finally names, following symbolic links (also one that
// points to a file not yet there).
std::string FollowLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n < 0 || n == static_cast<ssize_t>(sizeof target)) return path;
        const std::string link(target, static_cast<size_t>(n));
        path = link.front() == PathDelim ? link : ExtractFilePath(path) + link;
    }
    Fail(path, ELOOP);
}

bool IsLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool namedTemporaryFiles = false;

std::string RandomSuffix() {
    static std::mt19937 random{std::random_device{}()};
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 8; ++i) suffix += letters[random() % (sizeof letters - 1)];
    return suffix;
}

// A process killed between naming its finished temporary file and the rename
// leaves that file; the next write of the same file removes it.
void RemoveLeftTemporaries(const std::string& target) {
    const std::string dir = ExtractFileDir(target).empty() ? "." : ExtractFileDir(target);
    const std::string prefix = "." + ExtractFileName(target) + ".lumvex-";
    DIR* folder = ::opendir(dir.c_str());
    if (!folder) return;
    while (const dirent* entry = ::readdir(folder))
        if (std::string(entry->d_name).starts_with(prefix)) ::unlinkat(::dirfd(folder), entry->d_name, 0);
    ::closedir(folder);
}

}  // namespace

// Where the file system allows, the temporary file has no name until it is
// complete, so that a process killed while writing leaves nothing behind; it
// gets a name only for the rename.
TReplacingFile::TReplacingFile(const std::string& path, TLinkTarget links)
    : path_(path),
      target_(links == TLinkTarget::FollowLink ? FollowLinks(path) : path),
      replacesLink_(links == TLinkTarget::ReplaceLink && IsLink(path)) {
    RemoveLeftTemporaries(target_);
    if (!replacesLink_ && ::access(target_.c_str(), F_OK) == 0 &&
        ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
        Fail(path_, errno);
    const std::string dir = ExtractFileDir(target_).empty() ? "." : ExtractFileDir(target_);
    if (!namedTemporaryFiles) fd_ = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        name_ = ExtractFilePath(target_) + "." + ExtractFileName(target_) + ".lumvex-XXXXXX";
        fd_ = ::mkostemp(name_.data(), O_CLOEXEC);
        if (fd_ < 0) {
            const int err = errno;
            name_.clear();
            Fail(path_, err);
        }
    }
}

TReplacingFile::~TReplacingFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!name_.empty()) ::unlink(name_.c_str());
}

void TReplacingFile::Write(const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail(path_, n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
}

// Takes the permission bits and owner of the file it replaces; a new file,
// or one that takes a link's place, gets the usual bits for new files. A file
// system that keeps no such bits (vfat, exFAT) refuses them: the file then
// keeps the bits it was made with, which let no one else in.
void TReplacingFile::TakeAttributes() {
    struct stat existing {};
    if (!replacesLink_ && ::stat(target_.c_str(), &existing) == 0) {
        if (::fchown(fd_, existing.st_uid, existing.st_gid) != 0) {
            // Only the owner changes hands; the contents are what matter.
        }
        if (::fchmod(fd_, existing.st_mode & 07777) != 0) {
            // As above: the contents are what matter.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(fd_, 0666 & ~mask) != 0) {
            // As above.
        }
    }
}

void TReplacingFile::Commit() {
    TakeAttributes();
    if (::fsync(fd_) != 0) Fail(path_, errno);
    if (name_.empty()) Name();
    const int err = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    if (err != 0) Fail(path_, err);
    if (::rename(name_.c_str(), target_.c_str()) != 0) Fail(path_, errno);
    name_.clear();
    SyncFolder();
}

// Links the unnamed file into the folder under a free name.
void TReplacingFile::Name() {
    const std::string self = "/proc/self/fd/" + IntToStr(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ExtractFilePath(target_) + "." + ExtractFileName(target_) + ".lumvex-" + RandomSuffix();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
            ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) {
            name_ = std::move(name);
            return;
        }
        if (errno != EEXIST) Fail(path_, errno);
    }
    Fail(path_, EEXIST);
}

void TReplacingFile::SyncFolder() const {
    const std::string dir = ExtractFileDir(target_).empty() ? "." : ExtractFileDir(target_);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // the rename is done; only its flush could not be asked for
    ::fsync(fd);
    ::close(fd);
}

void ForceNamedTemporaryFiles(bool on) { namedTemporaryFiles = on; }

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    TReplacingFile file(path);
    file.Write(bytes.data(), bytes.size());
    file.Commit();
}

}  // namespace lumvex
