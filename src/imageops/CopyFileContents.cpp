#include "imageops/CopyFileContents.h"

#include <sys/stat.h>

#include "platform/SysUtils.h"

namespace lumvex {

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {}, second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

bool CopyFileContents(const std::string& source, const std::string& target) {
    if (SameFile(source, target)) return false;
    try {
        const std::string bytes = ReadFileBytes(source);
        WriteFileAtomically(target, bytes);
        return FileSize(target) == static_cast<std::int64_t>(bytes.size());
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace lumvex
