#include "appearance/DesktopAssociations.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/SysUtils.h"
#include "platform/services/Shell.h"

namespace lumvex {
namespace {

constexpr const char* DefaultsSection = "[Default Applications]";

// An absolute folder from the environment, else the fallback below $HOME.
std::string XdgFolder(const char* variable, const char* fallback) {
    if (const char* folder = std::getenv(variable); folder && folder[0] == '/') return folder;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/" + fallback;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool ValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = byte < 0x80 ? 1 : (byte >> 5) == 6 ? 2 : (byte >> 4) == 14 ? 3 : (byte >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

// One line of a key file, with its line end kept apart so that it can be
// written back exactly.
struct Line {
    std::string text;
    std::string end;
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t feed = text.find('\n', start);
        Line line;
        if (feed == std::string::npos) {
            line.text = text.substr(start);
            start = text.size();
        } else {
            line.text = text.substr(start, feed - start);
            line.end = "\n";
            start = feed + 1;
        }
        if (line.text.ends_with('\r')) {
            line.text.pop_back();
            line.end.insert(0, "\r");
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool IsSection(const std::string& text) { return text.starts_with('[') && Trim(text).ends_with(']'); }

// A desktop entry's string value: backslashes and control characters escaped.
std::string StringValue(const std::string& text) {
    std::string value;
    for (char c : text) {
        switch (c) {
        case '\\': value += "\\\\"; break;
        case '\n': value += "\\n"; break;
        case '\t': value += "\\t"; break;
        case '\r': value += "\\r"; break;
        default: value += c;
        }
    }
    return value;
}

// A desktop entry's Exec argument: as it is when it holds no reserved
// character (some tools read no quotes), else in double quotes with the
// characters special inside them escaped, then escaped once more as a value.
// A percent sign is doubled either way.
std::string ExecArgument(const std::string& path) {
    std::string argument;
    if (path.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos) {
        argument = path;
    } else {
        argument = "\"";
        for (char c : path) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') argument += '\\';
            argument += c;
        }
        argument += '"';
    }
    std::string doubled;
    for (char c : argument) doubled += c == '%' ? "%%" : std::string(1, c);
    return StringValue(doubled);
}

void WriteOrRaise(const std::string& path, const std::string& bytes) {
    std::error_code error;
    std::filesystem::create_directories(ExtractFileDir(path), error);
    try {
        WriteFileAtomically(path, bytes);
    } catch (const Exception& failure) {
        throw EInOutError("Lumvex could not be made the opener of its picture types on this desktop: \"" + path +
                          "\" cannot be written. " + failure.Message());
    }
}

}  // namespace

std::string UserApplicationsFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share") + "/applications"; }

std::string UserMimeAppsFile() { return XdgFolder("XDG_CONFIG_HOME", ".config") + "/mimeapps.list"; }

std::string InstalledDesktopEntry() {
    const char* variable = std::getenv("XDG_DATA_DIRS");
    const std::string folders = variable && *variable ? variable : "/usr/local/share:/usr/share";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t colon = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, colon - start);
        start = colon + 1;
        if (!folder.starts_with('/')) continue;  // relative entries are not meant to be used
        const std::string entry = IncludeTrailingPathDelimiter(folder) + "applications/" + DesktopEntryName;
        std::error_code error;
        if (std::filesystem::is_regular_file(entry, error)) return entry;
    }
    return std::string();
}

std::string DesktopEntryText(const std::string& program, const std::vector<std::string>& mimeTypes) {
    std::string types;
    for (const std::string& type : mimeTypes) types += type + ";";
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Lumvex\n"
           "GenericName=Picture Viewer\n"
           "Comment=View BMP, JPEG, GIF, ICO, PNG, WebP, TIFF, HEIF, AVIF and JPEG XL pictures\n"
           "TryExec=" + StringValue(program) + "\n"
           "Exec=" + ExecArgument(program) + " %f\n"
           "Icon=lumvex\n"
           "Terminal=false\n"
           "Categories=Graphics;Viewer;\n"
           "MimeType=" + types + "\n";
}

std::string WithLumvexDefaults(const std::string& mimeApps, const std::vector<MimeDefault>& defaults) {
    if (mimeApps.find('\0') != std::string::npos || !ValidUtf8(mimeApps))
        throw EConvertError("it is not a UTF-8 text");
    std::vector<Line> lines = SplitLines(mimeApps);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string text = Trim(lines[i].text);
        if (!text.empty() && text[0] != '#' && !IsSection(text) && text.find('=') == std::string::npos)
            throw EConvertError("line " + IntToStr(i + 1) + " is neither a group, a key nor a comment");
    }

    for (const MimeDefault& wanted : defaults) {
        // The type's line in the defaults group, and where the group ends.
        std::ptrdiff_t found = -1, groupEnd = -1;
        bool inGroup = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string text = Trim(lines[i].text);
            if (IsSection(text)) {
                inGroup = text == DefaultsSection;
                if (inGroup) groupEnd = std::ptrdiff_t(i) + 1;
                continue;
            }
            if (!inGroup) continue;
            if (!text.empty() && text[0] != '#') groupEnd = std::ptrdiff_t(i) + 1;
            const auto equals = text.find('=');
            if (equals != std::string::npos && Trim(text.substr(0, equals)) == wanted.MimeType) found = std::ptrdiff_t(i);
        }

        std::vector<std::string> others;
        bool trailing = true, listed = false, first = false;
        if (found >= 0) {
            const std::string& text = lines[found].text;
            const std::string value = Trim(text.substr(text.find('=') + 1));
            trailing = value.empty() || value.ends_with(';');
            std::size_t start = 0;
            while (start <= value.size()) {
                const std::size_t semicolon = std::min(value.find(';', start), value.size());
                const std::string app = Trim(value.substr(start, semicolon - start));
                if (app == DesktopEntryName) {
                    if (!listed) first = others.empty();
                    listed = true;
                } else if (!app.empty()) {
                    others.push_back(app);
                }
                start = semicolon + 1;
            }
        }
        if (wanted.Lumvex && first) continue;
        if (!wanted.Lumvex && !listed) continue;

        std::vector<std::string> apps = others;
        if (wanted.Lumvex) apps.insert(apps.begin(), DesktopEntryName);
        std::string value;
        for (std::size_t k = 0; k < apps.size(); ++k) value += (k ? ";" : "") + apps[k];
        if (trailing && !value.empty()) value += ';';

        if (found >= 0 && value.empty()) {
            lines.erase(lines.begin() + found);
        } else if (found >= 0) {
            lines[found].text = wanted.MimeType + "=" + value;
        } else {
            if (!lines.empty() && !lines.back().end.ends_with('\n')) lines.back().end += "\n";
            if (groupEnd < 0) {
                lines.push_back({DefaultsSection, "\n"});
                groupEnd = std::ptrdiff_t(lines.size());
            }
            lines.insert(lines.begin() + groupEnd, Line{wanted.MimeType + "=" + value, "\n"});
        }
    }
    std::string text;
    for (const Line& line : lines) text += line.text + line.end;
    return text;
}

void UpdateDesktopAssociations(const std::string& program, const std::vector<MimeDefault>& defaults) {
    const std::string mimeAppsFile = UserMimeAppsFile();
    std::string before, mimeApps;
    try {
        if (std::filesystem::exists(mimeAppsFile)) before = ReadFileBytes(mimeAppsFile);
        mimeApps = WithLumvexDefaults(before, defaults);
    } catch (const Exception& failure) {
        throw EInOutError("Lumvex could not be made the opener of its picture types on this desktop: \"" +
                          mimeAppsFile + "\" cannot be read or is damaged (" + failure.Message() +
                          "). It was left as it is.");
    }

    const bool ownEntry = InstalledDesktopEntry().empty();
    const std::string folder = UserApplicationsFolder();
    if (ownEntry) {
        std::vector<std::string> types;
        for (const MimeDefault& type : defaults)
            if (type.Lumvex) types.push_back(type.MimeType);
        const std::string entry = folder + "/" + DesktopEntryName;
        if (types.empty()) {
            std::error_code ignored;
            std::filesystem::remove(entry, ignored);
        } else {
            WriteOrRaise(entry, DesktopEntryText(program, types));
        }
    }
    // The entry exists before the defaults name it.
    if (mimeApps != before) WriteOrRaise(mimeAppsFile, mimeApps);
    if (!ownEntry) return;
    // The desktop's cache of which entries open which types; a desktop
    // without the tool reads the entries themselves.
    try {
        ShellExecute("open", "update-desktop-database", "\"" + folder + "\"", "");
    } catch (const EInOutError&) {
    }
}

}  // namespace lumvex
