#pragma once
// Which file's picture the main window's TImg holds as it was loaded, and
// that file as it was then. The picture on view is written back into its
// file only while both still hold; otherwise the file is read again.
#include <string>

#include "viewer/FileStamp.h"

namespace lumvex {

class THeldPicture {
public:
    // TImg now holds the picture of path as the file is now.
    void Remember(const std::string& path);
    // TImg holds some other picture, or the file may have changed: any code
    // that puts another picture into TImg, or writes, moves or deletes files.
    void Forget();
    // TImg holds path's picture and the file is unchanged since.
    bool Holds(const std::string& path) const;
    // TImg holds a file's picture: nothing has used it as scratch since.
    bool HoldsAFile() const { return !path_.empty(); }

private:
    std::string path_;  // empty: nothing held
    TFileStamp stamp_;
};

}  // namespace lumvex
