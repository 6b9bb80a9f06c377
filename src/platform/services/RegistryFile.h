#pragma once
// The file that keeps one root key of the settings store, in the folder
// $LUMVEX_REGISTRY_DIR, else $XDG_CONFIG_HOME/lumvex, else ~/.config/lumvex.
// Reading takes one file read. Every change is a read-modify-write under an
// exclusive lock on a lock file beside the store, written to a temporary file
// and renamed over the store, so a crash or a second instance never leaves a
// half-written store or loses another instance's change.
#include <functional>
#include <string>

#include "platform/services/RegistryTree.h"

namespace lumvex {

std::string RegistryFolder();

class RegistryFile {
public:
    explicit RegistryFile(std::string rootName) : rootName_(std::move(rootName)) {}

    std::string Path() const;  // <folder>/<root name>.txt

    // The store as it is on disk; empty when there is none yet. EFOpenError
    // when the file is there but cannot be read. When some lines were
    // damaged, or none could be read, the entries that could be read are
    // returned, and the file's bytes are kept beside it (KeepDamaged);
    // keptAs is set to that copy's path.
    RegistryKey Load(std::string* keptAs = nullptr) const;
    // Runs change on the newest store and writes the result when change
    // returns true; returns the store as it is afterwards. When the store on
    // disk was damaged, its old bytes are kept beside it (KeepDamaged) before
    // it is rewritten with the entries that could be read. EFOpenError or
    // EWriteError when the store cannot be read or written.
    RegistryKey Update(const std::function<bool(RegistryKey&)>& change) const;

private:
    std::string ReadBytes(const std::string& path) const;
    // Keeps the bytes of a damaged store as <store>.damaged, or, when that
    // holds other bytes already, as <store>.damaged-2, -3, ...; so no copy
    // kept before is lost. The copy's path.
    std::string KeepDamaged(const std::string& bytes) const;

    std::string rootName_;
};

}  // namespace lumvex
