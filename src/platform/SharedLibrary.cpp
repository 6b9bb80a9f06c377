#include "platform/SharedLibrary.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace lumvex {
namespace {

std::mutex replacementsLock;
std::map<std::string, std::string>& Replacements() {
    static std::map<std::string, std::string> replacements;
    return replacements;
}

std::string FileName(const std::string& soname) {
    const std::lock_guard lock(replacementsLock);
    const auto found = Replacements().find(soname);
    return found == Replacements().end() ? soname : found->second;
}

std::string LoaderError() {
    const char* error = dlerror();
    return error ? error : "unknown error";
}

}  // namespace

TSharedLibrary::TSharedLibrary(const std::string& soname, const std::string& neededFor)
    : soname_(FileName(soname)), neededFor_(neededFor) {
    handle_ = dlopen(soname_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        throw ELibraryMissing(neededFor_ + " cannot be read: the library " + soname_ + " cannot be loaded (" +
                              LoaderError() + ")");
}

void* TSharedLibrary::Symbol(const char* name) const {
    dlerror();
    void* symbol = dlsym(handle_, name);
    if (!symbol)
        throw ELibraryMissing(neededFor_ + " cannot be read: the library " + soname_ + " has no function " + name +
                              " (" + LoaderError() + ")");
    return symbol;
}

void ReplaceSharedLibrary(const std::string& soname, const std::string& replacement) {
    const std::lock_guard lock(replacementsLock);
    Replacements()[soname] = replacement;
}

}  // namespace lumvex
