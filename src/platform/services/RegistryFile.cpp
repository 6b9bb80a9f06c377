#include "platform/services/RegistryFile.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

// Holds the exclusive lock of a store while it lives.
class StoreLock {
public:
    explicit StoreLock(const std::string& storePath) {
        const std::string folder = ExtractFileDir(storePath);
        if (!QDir().mkpath(QString::fromStdString(folder)))
            throw EWriteError("Cannot create the folder \"" + folder + "\"");
        const std::string path = storePath + ".lock";
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0) throw EWriteError("Cannot open the lock file \"" + path + "\". " + std::strerror(errno));
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd_);
            throw EWriteError("Cannot lock \"" + path + "\". " + std::strerror(error));
        }
    }
    ~StoreLock() { ::close(fd_); }  // closing releases the lock
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace

std::string RegistryFolder() {
    if (const char* folder = std::getenv("LUMVEX_REGISTRY_DIR"); folder && *folder) return folder;
    // $XDG_CONFIG_HOME when it is an absolute path, else ~/.config
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() + "/lumvex";
}

std::string RegistryFile::Path() const { return IncludeTrailingPathDelimiter(RegistryFolder()) + rootName_ + ".txt"; }

std::string RegistryFile::ReadBytes(const std::string& path) const {
    if (::access(path.c_str(), F_OK) != 0 && errno == ENOENT) return std::string();
    return ReadFileBytes(path);
}

std::string RegistryFile::KeepDamaged(const std::string& bytes) const {
    const std::string first = Path() + ".damaged";
    for (int number = 1;; ++number) {
        const std::string copy = number == 1 ? first : first + "-" + std::to_string(number);
        if (::access(copy.c_str(), F_OK) == 0) {
            // Kept already by an earlier load: not written again.
            if (ReadFileBytes(copy) == bytes) return copy;
            continue;
        }
        WriteFileAtomically(copy, bytes);
        return copy;
    }
}

RegistryKey RegistryFile::Load(std::string* keptAs) const {
    const std::string bytes = ReadBytes(Path());
    bool broken = false;
    RegistryKey store = RegistryKey::FromText(bytes, &broken);
    const std::string copy = broken ? KeepDamaged(bytes) : std::string();
    if (keptAs) *keptAs = copy;
    return store;
}

RegistryKey RegistryFile::Update(const std::function<bool(RegistryKey&)>& change) const {
    const std::string path = Path();
    StoreLock lock(path);
    const std::string bytes = ReadBytes(path);
    bool damaged = false;
    RegistryKey store = RegistryKey::FromText(bytes, &damaged);
    if (change(store)) {
        if (damaged) KeepDamaged(bytes);
        WriteFileAtomically(path, store.ToText(rootName_));
    }
    return store;
}

}  // namespace lumvex
