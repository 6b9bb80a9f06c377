#include "imageops/CopyFileContents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/AtomicFile.h"

namespace lumvex {

namespace {

// A file open for reading, closed when it goes.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ReadOnlyFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    int Handle() const { return fd_; }

private:
    int fd_;
};

constexpr std::size_t BlockSize = 256 * 1024;


}  // namespace

bool IsTheSource(const std::string& source, const std::string& target) {
    struct stat first {}, second {};
    return ::stat(source.c_str(), &first) == 0 && ::lstat(target.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool CopyFileContents(const std::string& source, const std::string& target) {
    if (IsTheSource(source, target)) return false;
    const ReadOnlyFile input(source);
    struct stat st {};
    if (input.Handle() < 0 || ::fstat(input.Handle(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    try {
        TReplacingFile output(target, TLinkTarget::ReplaceLink);
        const auto block = std::make_unique<char[]>(BlockSize);
        std::int64_t copied = 0;
        for (;;) {
            const ssize_t n = ::read(input.Handle(), block.get(), BlockSize);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;  // the unfinished copy is abandoned
            if (n == 0) break;
            output.Write(block.get(), static_cast<std::size_t>(n));
            copied += n;
        }
        if (copied != st.st_size) return false;
        output.Commit();
        return FileSize(target) == copied;
    } catch (const EWriteError&) {
        return false;
    }
}

TTransfer MoveFileTo(const std::string& source, const std::string& target,
                       bool (*rename)(const std::string&, const std::string&)) {
    if (IsTheSource(source, target)) return TTransfer::NotCopied;
    if (rename(source, target)) return TTransfer::Done;
    if (!CopyFileContents(source, target)) return TTransfer::NotCopied;
    return DeleteFile(source) ? TTransfer::Done : TTransfer::NotDeleted;
}

}  // namespace lumvex
