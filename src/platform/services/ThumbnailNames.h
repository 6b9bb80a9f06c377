#pragma once
// How the desktop's thumbnail cache names a file: by its URI, and the entry
// by the MD5 of that URI.
#include <string>

namespace lumvex {

// The absolute path with "." and ".." folded and doubled separators dropped;
// symbolic links are kept, as the file's user sees them.
std::string AbsoluteCleanPath(const std::string& path);
// "file://" and the clean absolute path, its bytes percent-encoded except
// those a URI path keeps as they are (letters, digits, "/" and
// -_.!~*'():@&=+$,), so that every program that fills the cache finds the
// same entry.
std::string FileUri(const std::string& path);
// The entry's file name: the MD5 of the URI in lower-case hex, then ".png".
std::string ThumbnailEntryName(const std::string& uri);

}  // namespace lumvex
