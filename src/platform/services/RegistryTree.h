#pragma once
// The keys and values of one root key of the settings store, in memory, and
// their text form on disk.
//
// The text form is one item per line, each line ended by a line feed:
//   # comment                   ignored (the writer puts one at the top)
//   [SOFTWARE\TARNIC\Lumvex]    a key, its full path; "[]" is the root itself
//   x=dword:-5                  a REG_DWORD value of the key above
//   edit=sz:C:\Programs\paint   a REG_SZ value of the key above
//   =sz:Lumvex.bmp              the unnamed default value
// Names, key names and texts escape every byte outside printable ASCII, and
// "%", as %HH (hexadecimal); names also escape "=", "[" and "#". So a value
// may hold line breaks, quotes, backslashes and any UTF-8 text, and every
// line stands on its own. Reading keeps every well-formed line: a damaged
// value line is skipped, the values after a damaged key line are skipped up
// to the next good key line, and a last line without its line feed counts
// as cut off.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumvex {

enum class TRegDataType { rdString, rdInteger };  // REG_SZ, REG_DWORD

struct RegistryValue {
    std::string Name;
    TRegDataType Type = TRegDataType::rdString;
    std::string Text;        // rdString
    std::int32_t Number = 0;  // rdInteger
};

// Names compare without regard to letter case, Unicode letters included.
bool SameRegistryName(const std::string& a, const std::string& b);

// A key path split at its backslashes; empty parts are dropped.
std::vector<std::string> SplitKeyPath(const std::string& path);
std::string JoinKeyPath(const std::vector<std::string>& parts);

class RegistryKey {
public:
    explicit RegistryKey(std::string name = std::string()) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }

    // The key at path below this one, or nullptr.
    const RegistryKey* Find(const std::vector<std::string>& path) const;
    RegistryKey* Find(const std::vector<std::string>& path);
    // The key at path below this one, created with the missing keys on the
    // way; created tells whether anything was added.
    RegistryKey& Make(const std::vector<std::string>& path, bool* created = nullptr);
    // Removes the key at path with all its subkeys; false when there is none.
    bool Remove(const std::vector<std::string>& path);

    const RegistryValue* Value(const std::string& name) const;
    void SetValue(RegistryValue value);  // replaces a value of the same name

    // The text form of this key as a root and the root read from text. The
    // second tells whether any line was damaged.
    std::string ToText(const std::string& rootName) const;
    static RegistryKey FromText(const std::string& text, bool* damaged = nullptr);

private:
    void AppendText(const std::vector<std::string>& path, std::string& out) const;

    std::string name_;
    std::vector<RegistryValue> values_;
    std::vector<std::unique_ptr<RegistryKey>> subkeys_;
};

}  // namespace lumvex
