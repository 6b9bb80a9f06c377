#include "components/MPHuge.h"

#include <algorithm>
#include <cstring>

namespace lumvex {

std::size_t TMPMemoryStream::Read(void* dest, std::size_t count) {
    const std::size_t n = std::min(count, bytes_.size() - position_);
    if (n) std::memcpy(dest, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

void TMPMemoryStream::Append(const void* source, std::size_t count) {
    bytes_.append(static_cast<const char*>(source), count);
}

}  // namespace lumvex
