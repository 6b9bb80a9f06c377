#pragma once
// The files of the thumbnail cache: private folders and entries that appear
// whole or not at all. None of these raise; a cache that cannot be written is
// a cache that misses.
#include <optional>
#include <string>

namespace lumvex {

// Makes the folder and those missing above it, readable by the user alone;
// false when it is not there afterwards.
bool MakePrivateFolder(const std::string& folder);

// Writes the entry as a temporary file beside it, readable by the user alone,
// and renames it into place when whole: a reader sees the old entry or the
// new one, never part of one. On failure nothing is left behind.
bool WriteEntryAtomically(const std::string& folder, const std::string& name, const std::string& bytes);

// The bytes of an entry; nothing for a missing, unreadable or oversized file.
std::optional<std::string> ReadEntryBytes(const std::string& path);

}  // namespace lumvex
