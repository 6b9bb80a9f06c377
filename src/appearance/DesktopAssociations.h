#pragma once
// The desktop's own record of which program opens a file type: the desktop
// entry lumvex.desktop in the user's applications folder, and the defaults
// in the user's mimeapps.list. Only Lumvex's own entry and its own name in
// the defaults are ever changed; every other line stays as it was.
#include <string>
#include <vector>

namespace lumvex {

inline constexpr const char* DesktopEntryName = "lumvex.desktop";

struct MimeDefault {
    std::string MimeType;  // "image/jpeg"
    bool Lumvex;           // Lumvex is its default application
};

// $XDG_DATA_HOME/applications, else ~/.local/share/applications.
std::string UserApplicationsFolder();
// $XDG_CONFIG_HOME/mimeapps.list, else ~/.config/mimeapps.list.
std::string UserMimeAppsFile();

// The desktop entry that starts program with a file, for the types given.
std::string DesktopEntryText(const std::string& program, const std::vector<std::string>& mimeTypes);

// The text of a mimeapps.list with Lumvex put first in, or taken out of, the
// defaults of each type. EConvertError when the text is not a key file.
std::string WithLumvexDefaults(const std::string& mimeApps, const std::vector<MimeDefault>& defaults);

// Writes the desktop entry (removes it when no type is Lumvex's) and the
// defaults, each file atomically, then refreshes the desktop's cache of
// entries where its tool is installed. EInOutError, naming the file, when a
// file cannot be read, understood or written.
void UpdateDesktopAssociations(const std::string& program, const std::vector<MimeDefault>& defaults);

}  // namespace lumvex
