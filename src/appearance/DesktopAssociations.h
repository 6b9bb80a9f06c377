#pragma once
// The desktop's own record of which program opens a file type: the desktop
// entry lumvex.desktop, and the defaults in the user's mimeapps.list. The
// entry installed with the program is used where there is one; otherwise
// Lumvex writes its own into the user's applications folder. Only Lumvex's
// own entry and its own name in the defaults are ever changed; every other
// line stays as it was.
#include <string>
#include <vector>

namespace lumvex {

// The desktop entry's file name, which is also its name in the defaults.
inline constexpr const char* DesktopEntryName = "lumvex.desktop";

struct MimeDefault {
    std::string MimeType;  // "image/jpeg"
    bool Lumvex;           // Lumvex is its default application
};

// $XDG_DATA_HOME/applications, else ~/.local/share/applications.
std::string UserApplicationsFolder();
// $XDG_CONFIG_HOME/mimeapps.list, else ~/.config/mimeapps.list.
std::string UserMimeAppsFile();
// The entry installed with the program in the applications folder of one of
// $XDG_DATA_DIRS (else /usr/local/share, /usr/share), or "" when none is.
std::string InstalledDesktopEntry();

// The desktop entry that starts program with a file, for the types given.
// It names the program in TryExec too, so the desktop drops the entry once
// the program is gone.
std::string DesktopEntryText(const std::string& program, const std::vector<std::string>& mimeTypes);

// The text of a mimeapps.list with Lumvex put first in, or taken out of, the
// defaults of each type. EConvertError when the text is not a key file.
std::string WithLumvexDefaults(const std::string& mimeApps, const std::vector<MimeDefault>& defaults);

// Writes the defaults, and, where no entry is installed, the user's own
// desktop entry (removed when no type is Lumvex's), each file atomically,
// then refreshes the desktop's cache of the user's entries where its tool is
// installed. An installed entry is never hidden by a user's one: the user's
// folder is then left as it is. EInOutError, naming the file, when a file
// cannot be read, understood or written.
void UpdateDesktopAssociations(const std::string& program, const std::vector<MimeDefault>& defaults);

}  // namespace lumvex
