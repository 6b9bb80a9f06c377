#pragma once
// Exceptions and small string and file helpers shared by every layer.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace lumvex {

// Every error the program raises derives from Exception; the application's
// error box shows Message().
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

class EInvalidGraphic : public Exception { using Exception::Exception; };          // bad picture data
class EInvalidGraphicOperation : public Exception { using Exception::Exception; }; // wrong use of a picture
class EOutOfResources : public Exception { using Exception::Exception; };          // picture too large
class EFOpenError : public Exception { using Exception::Exception; };              // file cannot be opened
class EReadError : public Exception { using Exception::Exception; };               // stream ended early
class EStreamError : public Exception { using Exception::Exception; };             // stream data not understood
class EWriteError : public Exception { using Exception::Exception; };              // file cannot be written
class EConvertError : public Exception { using Exception::Exception; };            // text is no number
class EListError : public Exception { using Exception::Exception; };               // index out of range
class EInOutError : public Exception { using Exception::Exception; };              // file or folder operation failed

// The memory one picture may take while the viewer holds it: the decoded
// picture, its true-colour display copy and the decoder's own work memory.
inline constexpr std::int64_t MaxPictureBytes = std::int64_t(1) << 30;
// The largest picture any decoder accepts, in pixels: a 32-bit picture and its
// 24-bit display copy stay within MaxPictureBytes.
inline constexpr std::int64_t MaxPicturePixels = std::int64_t(1) << 27;
// Raises EOutOfResources, naming the size, when width x height is above
// limit (MaxPicturePixels, or less for a picture kept in several copies).
void CheckPictureSize(std::int64_t width, std::int64_t height, std::int64_t limit = MaxPicturePixels);
// Raises EOutOfResources, naming the size, for a picture file larger than
// MaxPictureBytes (such a file is never read into memory).
void CheckPictureFileSize(const std::string& path);

std::string LowerCase(const std::string& s);
std::string UpperCase(const std::string& s);
std::string IntToStr(std::int64_t value);
int StrToInt(const std::string& s);  // EConvertError on bad text

// Paths are split and joined at the platform separator.
inline constexpr char PathDelim = '/';
std::string ExtractFileName(const std::string& path);  // after the last separator
std::string ExtractFilePath(const std::string& path);  // up to and including the last separator
std::string ExtractFileDir(const std::string& path);   // without the trailing separator (root stays "/")
std::string ExtractFileExt(const std::string& path);   // ".ext" of the name, or ""
std::string IncludeTrailingPathDelimiter(const std::string& path);

bool FileExists(const std::string& path);       // a regular file
bool DirectoryExists(const std::string& path);
std::int64_t FileSize(const std::string& path);  // -1 when it cannot be read
bool DeleteFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);

std::string ReadFileBytes(const std::string& path);  // EFOpenError when it cannot be read

// Replaces a file's contents all at once or not at all: the bytes go to a
// temporary file in the same folder, which is flushed and renamed over the
// file, and the folder is synced. The file keeps its permission bits and
// owner; a symbolic link is written through. A file without write
// permission is not replaced. On failure (EWriteError) the file is as it was
// and no temporary file is left.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace lumvex
