#include "platform/services/ThumbnailNames.h"

#include <unistd.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return "/";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

bool KeptInUri(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           (c != 0 && std::strchr("/-_.!~*'():@&=+$,", c) != nullptr);
}

}  // namespace

std::string AbsoluteCleanPath(const std::string& path) {
    const std::string absolute = !path.empty() && path.front() == PathDelim ? path : CurrentFolder() + PathDelim + path;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= absolute.size()) {
        const std::size_t end = std::min(absolute.find(PathDelim, start), absolute.size());
        const std::string part = absolute.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string clean;
    for (const std::string& part : parts) clean += PathDelim + part;
    return clean.empty() ? std::string(1, PathDelim) : clean;
}

std::string FileUri(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const unsigned char c : AbsoluteCleanPath(path)) {
        if (KeptInUri(c)) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

std::string ThumbnailEntryName(const std::string& uri) {
    const QByteArray digest = QCryptographicHash::hash(QByteArray(uri.data(), qsizetype(uri.size())),
                                                       QCryptographicHash::Md5);
    return digest.toHex().toStdString() + ".png";
}

}  // namespace lumvex
