#pragma once
// What tells that a file changed since it was read: the file its path names
// (a replacement by rename is a new file), its size and its modification time.
#include <sys/types.h>

#include <cstdint>
#include <string>

namespace lumvex {

struct TFileStamp {
    dev_t Device = 0;
    ino_t Inode = 0;
    std::int64_t Size = 0;
    std::int64_t Seconds = 0;
    std::int64_t Nanoseconds = 0;
    bool operator==(const TFileStamp&) const = default;
};

// False when the file cannot be looked at (it is gone).
bool StampFile(const std::string& path, TFileStamp& stamp);

}  // namespace lumvex
