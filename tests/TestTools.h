#pragma once
// Other programs that tests compare with, when they are installed.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lumvex::test {

inline bool ToolInstalled(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// What a shell command writes to its standard output.
inline std::string RunTool(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
        pclose(pipe);
    }
    return output;
}

}  // namespace lumvex::test
