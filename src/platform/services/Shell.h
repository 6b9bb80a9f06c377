#pragma once
// Starting programs and opening addresses. A test installs ScriptedShell,
// which records the calls instead of starting anything.
#include <string>
#include <vector>

namespace lumvex {

// Starts program with the parameters (split at spaces, parts in double quotes
// kept whole, the quotes removed) in folder (the current folder when empty).
// The verb is recorded, and any verb starts the program. Raises EInOutError,
// naming the program, when it cannot be started.
void ShellExecute(const std::string& verb, const std::string& program, const std::string& parameters,
                  const std::string& folder);
// The same with the arguments given one by one, passed on as they are
// (a file name holding a double quote arrives intact).
void ShellExecute(const std::string& verb, const std::string& program, const std::vector<std::string>& arguments,
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
        std::vector<std::string> Arguments;
        std::string Folder;
    };

    ScriptedShell();   // installs itself
    ~ScriptedShell();  // restores the real shell
    ScriptedShell(const ScriptedShell&) = delete;
    ScriptedShell& operator=(const ScriptedShell&) = delete;

    bool Succeeds = true;  // false: the recorded calls fail as a missing program does
    std::vector<Call> Calls;
    std::vector<std::string> Urls;
};

}  // namespace lumvex
