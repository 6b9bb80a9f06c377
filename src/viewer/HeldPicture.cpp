#include "viewer/HeldPicture.h"

namespace lumvex {

void THeldPicture::Remember(const std::string& path) {
    if (!StampFile(path, stamp_)) {
        Forget();
        return;
    }
    path_ = path;
}

void THeldPicture::Forget() {
    path_.clear();
    stamp_ = {};
}

bool THeldPicture::Holds(const std::string& path) const {
    TFileStamp now;
    return !path_.empty() && path == path_ && StampFile(path, now) && now == stamp_;
}

}  // namespace lumvex
