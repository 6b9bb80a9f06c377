#pragma once
// A file written piece by piece that replaces its target all at once, as
// WriteFileAtomically does for bytes held in memory.
#include <cstddef>
#include <string>

namespace lumvex {

// What a write to a path that is a symbolic link replaces: the file the link
// leads to (an edit of the picture the link shows), or the link itself (a
// copy or move onto that name, which must not reach a file never asked about).
enum class TLinkTarget { FollowLink, ReplaceLink };

class TReplacingFile {
public:
    // Starts the write beside the target (EWriteError when the target is
    // there without write permission, or its folder cannot take a file).
    explicit TReplacingFile(const std::string& path, TLinkTarget links = TLinkTarget::FollowLink);
    // A write not committed is abandoned: the target stays as it was and
    // no temporary file is left.
    ~TReplacingFile();
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;

    void Write(const char* data, std::size_t size);  // EWriteError
    // Flushes the file, renames it over the target and syncs the folder.
    void Commit();  // EWriteError

private:
    void TakeAttributes();
    void Name();
    void SyncFolder() const;

    std::string path_;    // as given, for the messages
    std::string target_;  // the file the path finally names
    std::string name_;    // the temporary file's name; empty while it has none
    int fd_ = -1;
    bool replacesLink_ = false;  // target_ is a link that the file takes the place of
};

// For tests: behave as in a folder that takes no unnamed temporary files
// (vfat and exFAT cards, many network folders), where the temporary file has
// a name from the start.
void ForceNamedTemporaryFiles(bool on);

}  // namespace lumvex
