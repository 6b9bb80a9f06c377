#pragma once
// File masks as the file lists use them: ";"-separated wildcards ("*.jpg;*.gif")
// with * and ?, matched against a bare file name without regard to letter case.
#include <string>
#include <string_view>
#include <vector>

namespace lumvex {

class FileMask {
public:
    explicit FileMask(std::string_view masks);
    bool Matches(std::string_view name) const;

private:
    std::vector<std::string> patterns_;  // lower-cased, empty ones dropped
};

// Lower-cases ASCII and the Latin-1/Latin-2 letters written in UTF-8.
std::string FoldCase(std::string_view text);
// True when a sorts before b by name without regard to letter case (ties
// broken by the exact bytes, so the order is total).
bool NameLess(std::string_view a, std::string_view b);

}  // namespace lumvex
