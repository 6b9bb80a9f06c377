#include "viewer/FileStamp.h"

#include <sys/stat.h>

namespace lumvex {

bool StampFile(const std::string& path, TFileStamp& stamp) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    stamp = {st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    return true;
}

}  // namespace lumvex
