#pragma once
// One read of a folder for the file lists and the folder tree, entry by entry
// with the type the folder itself records: a folder of tens of thousands of
// pictures is read while the user waits. The last folder read is kept while
// its modification time stays as it was, and had settled when it was read.
#include <string>
#include <vector>

#include "platform/controls/FileMask.h"

namespace lumvex {

struct FolderEntries {
    // Regular files (hidden ones too) whose names match the mask.
    std::vector<std::string> files;
    // Subfolders, without the hidden ones.
    std::vector<std::string> subfolders;
};

// Both sorted by name without regard to letter case; names that differ only in
// case are ordered by their bytes, so the order is total. Links count as what
// they lead to. Without a mask no files are listed. Throws EInOutError when
// the folder cannot be read.
FolderEntries ReadFolderEntries(const std::string& folder, const FileMask* mask);

}  // namespace lumvex
