#include "imageops/CopyNaming.h"

#include "platform/SysUtils.h"

namespace lumvex {

std::string CopyName(const std::string& path) {
    const std::string folder = ExtractFilePath(path);
    std::string name = LowerCase(ExtractFileName(path));
    std::string copy;
    do {
        const auto dot = name.find('.');
        name.insert(dot == std::string::npos ? name.size() : dot, "_");
        copy = folder + name;
    } while (FileExists(copy) || DirectoryExists(copy));
    return copy;
}

}  // namespace lumvex
