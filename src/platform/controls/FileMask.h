#pragma once
// File masks as the file lists use them: ";"-separated wildcards ("*.jpg;*.gif")
// with * and ?, matched against a bare file name without regard to letter case.
#include <string>
#include <string_view>
#include <vector>

namespace lumvex {

// The name with its letter case folded (UTF-8; every script the toolkit knows).
std::string FoldCase(std::string_view text);

class FileMask {
public:
    explicit FileMask(std::string_view masks);
    bool Matches(std::string_view name) const { return MatchesFolded(FoldCase(name)); }
    // For a name already passed through FoldCase.
    bool MatchesFolded(std::string_view folded) const;

private:
    std::vector<std::string> patterns_;  // lower-cased, empty ones dropped
};

}  // namespace lumvex
