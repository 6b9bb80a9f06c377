#pragma once
// The settings store: root keys holding keys, each with named values that are
// texts (REG_SZ) or 32-bit integers (REG_DWORD). Key and value names ignore
// letter case; key paths are backslash-separated ("SOFTWARE\TARNIC\Lumvex").
// Every change is on disk when the call returns (see RegistryFile.h).
#include <optional>
#include <string>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/services/RegistryTree.h"

namespace lumvex {

enum HKEY { HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE };

// A key that cannot be created, opened, read or written, or a value read as
// the wrong type (the data-type error). The message names the key or value.
class ERegistryException : public Exception { using Exception::Exception; };

class TRegistry {
public:
    TRegistry() = default;  // on HKEY_LOCAL_MACHINE, no key open
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return root_; }
    void SetRootKey(HKEY root);  // closes the open key

    // A key path is taken below the open key, or below the root when it
    // starts with a backslash or no key is open.
    void CreateKey(const std::string& key);  // nothing happens when it exists
    // Makes the key the open one; false when it does not exist and canCreate
    // is false. Reads the store once: the values read afterwards come from
    // that reading and from this object's own writes.
    bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey();  // later paths start at the root again
    // Removes the key with all its subkeys; false when there was no such key.
    bool DeleteKey(const std::string& key);

    // Values of the open key (of the root itself when none is open); the name
    // "" is the key's unnamed default value.
    bool ValueExists(const std::string& name) const;
    std::string ReadString(const std::string& name) const;  // "" when missing
    int ReadInteger(const std::string& name) const;         // raises when missing
    bool ReadBool(const std::string& name) const;           // an integer, non-zero is true
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int value);
    void WriteBool(const std::string& name, bool value);  // the integer 1 or 0

    // The writes made between BeginUpdate and EndUpdate reach the disk
    // together at EndUpdate, in one replacement of the store's file, so a
    // crash in between leaves the store as it was before.
    void BeginUpdate();
    void EndUpdate();

    // The store's file when any reading by this object found it damaged, so
    // also when CreateKey has rewritten it since, else "". The damaged bytes
    // were kept in DamagedCopy().
    const std::string& DamagedFile() const { return damagedFile_; }
    const std::string& DamagedCopy() const { return damagedCopy_; }

private:
    std::vector<std::string> Resolve(const std::string& key) const;
    std::string RootName() const;
    std::string KeyName(const std::vector<std::string>& path) const;  // with the root's name
    const RegistryKey& Store() const;
    RegistryKey Read() const;  // the store on disk, noting damage
    const RegistryValue* Find(const std::string& name) const;
    const RegistryValue& Get(const std::string& name, TRegDataType type) const;
    void Write(RegistryValue value);

    HKEY root_ = HKEY_LOCAL_MACHINE;
    std::vector<std::string> current_;  // the open key; empty for the root
    mutable std::optional<RegistryKey> store_;  // the store as last read or written
    mutable std::string damagedFile_;
    mutable std::string damagedCopy_;
    struct PendingWrite {
        std::vector<std::string> key;
        RegistryValue value;
    };
    bool updating_ = false;
    std::vector<PendingWrite> pending_;
};

}  // namespace lumvex
