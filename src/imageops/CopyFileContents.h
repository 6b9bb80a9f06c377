#pragma once
#include <string>

#include "platform/SysUtils.h"

namespace lumvex {

// Copies a file's contents to target, replacing a file there all at once
// (see WriteFileAtomically); the copy takes no time stamps or attributes of
// the source. The source is only read, so read-only files copy. A symbolic
// link at target is replaced by the copy; the file it led to stays as it
// was. True only when the whole file arrived. False when the source cannot be
// read, the target cannot be written, or the target is the source itself
// (the same file, by any name but a link): then the target is as it was.
bool CopyFileContents(const std::string& source, const std::string& target);

enum class TTransfer { Done, NotCopied, NotDeleted };

// Moves a file, replacing a file at target. Within one file system the move
// is a rename; otherwise the source is copied and deleted only once the whole
// copy is in place. A symbolic link at target is replaced, not followed. A
// file is never moved onto itself.
TTransfer MoveFileTo(const std::string& source, const std::string& target,
                       bool (*rename)(const std::string&, const std::string&) = RenameFile);

// Whether target names the source file itself (by its own or another
// name); a symbolic link at target is a file of its own.
bool IsTheSource(const std::string& source, const std::string& target);

}  // namespace lumvex
