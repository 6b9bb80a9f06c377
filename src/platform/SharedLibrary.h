#pragma once
// A shared library opened the first time one of its functions is needed,
// not by the dynamic loader when the program starts: a run that never meets a
// picture of its kind never pays for loading the library and all it pulls in.
// A table of functions names each one once and takes its type from the
// library's own header:
//
//   struct THeifFunctions {
//       TSharedLibrary Library{LUMVEX_LIBHEIF_SONAME, "HEIF pictures"};
//       LUMVEX_LIBRARY_FUNCTION(Library, heif_init);
//   };
//   LoadedFunctions<THeifFunctions>().heif_init(nullptr);
#include <string>

#include "platform/SysUtils.h"

namespace lumvex {

// The library, or a function it should have, cannot be had (not installed,
// or of another version).
class ELibraryMissing : public Exception { using Exception::Exception; };

class TSharedLibrary {
public:
    // Opens the library as the dynamic loader finds it; raises
    // ELibraryMissing naming it and what it is needed for.
    TSharedLibrary(const std::string& soname, const std::string& neededFor);
    // The library is never closed: threads it started may outlive its users.
    TSharedLibrary(const TSharedLibrary&) = delete;
    TSharedLibrary& operator=(const TSharedLibrary&) = delete;

    // The function of that name, of the type its header declares;
    // ELibraryMissing when the library lacks it.
    template <class Function>
    Function Find(const char* name) const {
        return reinterpret_cast<Function>(Symbol(name));
    }

private:
    void* Symbol(const char* name) const;

    std::string soname_;
    std::string neededFor_;
    void* handle_ = nullptr;
};

// A member of a table of functions: the function `name` of the table's
// library member `library`, typed from its declaration.
#define LUMVEX_LIBRARY_FUNCTION(library, name) decltype(&::name) name = library.Find<decltype(&::name)>(#name)

// The table, its library opened and every function found on the first call
// from any thread; kept for the program's life. A failure raises
// ELibraryMissing and is tried again on the next call.
template <class Functions>
const Functions& LoadedFunctions() {
    static const Functions functions;
    return functions;
}

// For tests: the library `soname` is looked for as `replacement` from now
// on; a name that does not exist plays a system without the library. Only
// tables not loaded yet are affected.
void ReplaceSharedLibrary(const std::string& soname, const std::string& replacement);

}  // namespace lumvex
