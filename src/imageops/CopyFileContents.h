#pragma once
#include <string>

namespace lumvex {

// Copies a file's contents to target, replacing a file there all at once
// (see WriteFileAtomically); the copy takes no time stamps or attributes of
// the source. The source is only read, so read-only files copy. False when
// the source cannot be read, the target cannot be written, or the target is
// the source itself (the same file, by any name): then nothing changes.
bool CopyFileContents(const std::string& source, const std::string& target);

// Whether two paths name one and the same existing file.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace lumvex
