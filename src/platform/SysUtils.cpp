#include "platform/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumvex {

void CheckPictureSize(std::int64_t width, std::int64_t height, std::int64_t limit) {
    if (width < 0 || height < 0 || (width > 0 && height > limit / width))
        throw EOutOfResources("Picture too large: " + IntToStr(width) + " x " + IntToStr(height) +
                              " pixels is more than the limit of " + IntToStr(limit / 1000000) +
                              " million pixels");
}

void CheckPictureFileSize(const std::string& path) {
    const std::int64_t size = FileSize(path);
    if (size > MaxPictureBytes)
        throw EOutOfResources("Picture file too large: " + IntToStr(size) + " bytes is more than the limit of " +
                              IntToStr(MaxPictureBytes >> 20) + " MB");
}

std::string LowerCase(const std::string& s) {
    std::string r = s;
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return std::tolower(c); });
    return r;
}

std::string UpperCase(const std::string& s) {
    std::string r = s;
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return std::toupper(c); });
    return r;
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

int StrToInt(const std::string& s) {
    const char* first = s.data();
    const char* last = s.data() + s.size();
    while (first < last && std::isspace(static_cast<unsigned char>(*first))) ++first;
    if (first < last && *first == '+') ++first;
    int value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last)
        throw EConvertError("'" + s + "' is not a valid integer value");
    return value;
}

std::string ExtractFileName(const std::string& path) {
    auto pos = path.rfind(PathDelim);
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string ExtractFilePath(const std::string& path) {
    auto pos = path.rfind(PathDelim);
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string ExtractFileDir(const std::string& path) {
    auto pos = path.rfind(PathDelim);
    if (pos == std::string::npos) return std::string();
    return pos == 0 ? std::string(1, PathDelim) : path.substr(0, pos);
}

std::string ExtractFileExt(const std::string& path) {
    std::string name = ExtractFileName(path);
    auto pos = name.rfind('.');
    return pos == std::string::npos ? std::string() : name.substr(pos);
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
    if (!path.empty() && path.back() == PathDelim) return path;
    return path + PathDelim;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::int64_t FileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return -1;
    return static_cast<std::int64_t>(st.st_size);
}

bool DeleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string ReadFileBytes(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EFOpenError("Cannot open file \"" + path + "\". " + std::strerror(errno));
    std::string bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            throw EFOpenError("Cannot read file \"" + path + "\". " + std::strerror(err));
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

}  // namespace lumvex
