#pragma once
// A temporary folder for one test, removed with everything in it afterwards,
// and an environment variable set for one test.
#include <stdlib.h>

#include <cstdint>
#include <optional>
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

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace lumvex::test
