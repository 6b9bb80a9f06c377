#pragma once
#include <string>

namespace lumvex {

// The path of a new copy of a file: its name in lower case with underscores
// inserted before the first dot, one more each time, until no file of that
// name exists (photo.JPG gives photo_.jpg, then photo__.jpg). The folder
// stays as it is.
std::string CopyName(const std::string& path);

}  // namespace lumvex
