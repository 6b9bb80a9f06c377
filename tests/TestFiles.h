#pragma once
// A temporary folder for one test, removed with everything in it afterwards.
#include <cstdint>
#include <string>

namespace lumvex::test {

// The most memory the process has held so far, in bytes.
std::int64_t PeakResidentBytes();

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // The full path of a name inside the folder.
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Writes bytes to a file in the folder and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

}  // namespace lumvex::test
