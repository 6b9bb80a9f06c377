#include "platform/services/Registry.h"

#include "platform/services/RegistryFile.h"

namespace lumvex {
namespace {

// Runs a store operation; a failure of the file underneath becomes a registry
// error that says what was being done.
template <class Operation>
auto Guarded(const std::string& what, Operation&& operation) {
    try {
        return operation();
    } catch (const ERegistryException&) {
        throw;
    } catch (const Exception& error) {
        throw ERegistryException(what + ". " + error.Message());
    }
}

const char* TypeName(TRegDataType type) {
    return type == TRegDataType::rdString ? "a text (REG_SZ)" : "an integer (REG_DWORD)";
}

}  // namespace

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    root_ = root;
}

std::string TRegistry::RootName() const {
    return root_ == HKEY_CLASSES_ROOT ? "HKEY_CLASSES_ROOT" : "HKEY_LOCAL_MACHINE";
}

std::string TRegistry::KeyName(const std::vector<std::string>& path) const {
    return path.empty() ? RootName() : RootName() + "\\" + JoinKeyPath(path);
}

std::vector<std::string> TRegistry::Resolve(const std::string& key) const {
    std::vector<std::string> path = key.starts_with('\\') ? std::vector<std::string>() : current_;
    for (std::string& part : SplitKeyPath(key)) path.push_back(std::move(part));
    return path;
}

void TRegistry::CreateKey(const std::string& key) {
    const std::vector<std::string> path = Resolve(key);
    const RegistryFile file(RootName());
    store_ = Guarded("Failed to create key " + KeyName(path), [&] {
        RegistryKey store = Read();
        if (store.Find(path)) return store;
        return file.Update([&](RegistryKey& newest) {
            bool created = false;
            newest.Make(path, &created);
            return created;
        });
    });
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    const std::vector<std::string> path = Resolve(key);
    if (canCreate) {
        CreateKey(key);
    } else {
        store_ = Guarded("Failed to open key " + KeyName(path), [&] { return Read(); });
        if (!store_->Find(path)) return false;
    }
    current_ = path;
    return true;
}

void TRegistry::CloseKey() {
    current_.clear();
    store_.reset();
}

bool TRegistry::DeleteKey(const std::string& key) {
    const std::vector<std::string> path = Resolve(key);
    if (path.empty()) return false;  // a root key cannot be removed
    const RegistryFile file(RootName());
    bool removed = false;
    store_ = Guarded("Failed to delete key " + KeyName(path), [&] {
        RegistryKey store = Read();
        if (!store.Find(path)) return store;
        return file.Update([&](RegistryKey& newest) { return removed = newest.Remove(path); });
    });
    return removed;
}

RegistryKey TRegistry::Read() const {
    const RegistryFile file(RootName());
    std::string copy;
    RegistryKey store = file.Load(&copy);
    if (!copy.empty() && damagedFile_.empty()) {
        damagedFile_ = file.Path();
        damagedCopy_ = copy;
    }
    return store;
}

const RegistryKey& TRegistry::Store() const {
    if (!store_) store_ = Read();
    return *store_;
}

const RegistryValue* TRegistry::Find(const std::string& name) const {
    const RegistryKey* key = Guarded("Failed to get data for '" + name + "' in " + KeyName(current_),
                                     [&] { return Store().Find(current_); });
    return key ? key->Value(name) : nullptr;
}

const RegistryValue& TRegistry::Get(const std::string& name, TRegDataType type) const {
    const RegistryValue* value = Find(name);
    if (!value)
        throw ERegistryException("Failed to get data for '" + name + "' in " + KeyName(current_) +
                                 ": there is no such value");
    if (value->Type != type)
        throw ERegistryException("Invalid data type for '" + name + "' in " + KeyName(current_) + ": it holds " +
                                 TypeName(value->Type) + ", " + TypeName(type) + " was asked for");
    return *value;
}

bool TRegistry::ValueExists(const std::string& name) const { return Find(name) != nullptr; }

std::string TRegistry::ReadString(const std::string& name) const {
    if (!Find(name)) return std::string();
    return Get(name, TRegDataType::rdString).Text;
}

int TRegistry::ReadInteger(const std::string& name) const { return Get(name, TRegDataType::rdInteger).Number; }

bool TRegistry::ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }

void TRegistry::Write(RegistryValue value) {
    if (updating_) {
        Store();
        store_->Make(current_).SetValue(value);
        pending_.push_back({current_, std::move(value)});
        return;
    }
    const RegistryFile file(RootName());
    store_ = Guarded("Failed to set data for '" + value.Name + "' in " + KeyName(current_), [&] {
        return file.Update([&](RegistryKey& newest) {
            newest.Make(current_).SetValue(value);
            return true;
        });
    });
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    Write({.Name = name, .Type = TRegDataType::rdString, .Text = value});
}

void TRegistry::WriteInteger(const std::string& name, int value) {
    Write({.Name = name, .Type = TRegDataType::rdInteger, .Text = {}, .Number = value});
}

void TRegistry::WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

void TRegistry::BeginUpdate() { updating_ = true; }

void TRegistry::EndUpdate() {
    updating_ = false;
    if (pending_.empty()) return;
    std::vector<PendingWrite> writes = std::move(pending_);
    pending_.clear();
    store_ = Guarded("Failed to set data in " + KeyName(current_), [&] {
        return RegistryFile(RootName()).Update([&](RegistryKey& newest) {
            for (const PendingWrite& write : writes) newest.Make(write.key).SetValue(write.value);
            return true;
        });
    });
}

}  // namespace lumvex
