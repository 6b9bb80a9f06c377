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

enum class TEntryWrite {
    Linked,   // as an unnamed file linked under its name when whole, else Renamed
    Renamed,  // as a named temporary file renamed over the entry when whole
};

// Writes the entry, readable by the user alone, making its folder where it is
// missing: a reader sees the old entry, the new one, or (while an unnamed
// file waits for its name) none, never part of one. On failure nothing is
// left behind. An entry that is there already is replaced by a rename.
bool WriteEntryAtomically(const std::string& folder, const std::string& name, const std::string& bytes,
                          TEntryWrite way = TEntryWrite::Linked);

// The bytes of an entry; nothing for a missing, unreadable or oversized file.
std::optional<std::string> ReadEntryBytes(const std::string& path);

}  // namespace lumvex
