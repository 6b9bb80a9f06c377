#pragma once
// Starting programs and opening addresses. A test installs ScriptedShell,
// which records the calls instead of starting anything.
#include <string>
#include <vector>

namespace lumvex {

// Starts program with the parameters (split at spaces, parts in double quotes
// kept whole, the quotes removed) in folder (the current folder when empty).
// The verb is recorded, and any verb starts the program. Returns false when
// the program could not be started.
bool ShellExecute(const std::string& verb, const std::string& program, const std::string& parameters,
                  const std::string& folder);
// Opens an address with the desktop's handler; false when that fails.
bool OpenURL(const std::string& url);
// The parameter text split as ShellExecute does.
std::vector<std::string> SplitParameters(const std::string& parameters);

class ScriptedShell {
public:
    struct Call {
        std::string Verb;
        std::string Program;
        std::string Parameters;
        std::string Folder;
    };

    ScriptedShell();   // installs itself
    ~ScriptedShell();  // restores the real shell
    ScriptedShell(const ScriptedShell&) = delete;
    ScriptedShell& operator=(const ScriptedShell&) = delete;

    bool Succeeds = true;  // what the recorded calls return
    std::vector<Call> Calls;
    std::vector<std::string> Urls;
};

}  // namespace lumvex
