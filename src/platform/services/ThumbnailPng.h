#pragma once
// The PNG files of the desktop's thumbnail cache: a picture and the text
// chunks that say which file it shows.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/graphics/Bitmap.h"

namespace lumvex {

struct TThumbnailPng {
    TBitmap Picture;                         // 24 bit, transparency laid over the background
    std::map<std::string, std::string> Text; // every text chunk, wherever it stands in the file
};

// Reads a cache entry; nothing for bytes that are not a whole, sound PNG
// file of at most maxEdge pixels a side. Never raises.
std::optional<TThumbnailPng> ReadThumbnailPng(const std::string& bytes, int maxEdge, TColor background);

// An RGB PNG file of the picture, with each text as an uncompressed text
// chunk ahead of the pixels, where every reader finds it. EWriteError when
// the picture cannot be written.
std::string WriteThumbnailPng(const TBitmap& picture, const std::vector<std::pair<std::string, std::string>>& text);

}  // namespace lumvex
