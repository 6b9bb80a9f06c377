#include "platform/controls/FileMask.h"

#include <QString>
#include <algorithm>
#include <utility>

namespace lumvex {

namespace {
// Wildcard match: * any run of characters, ? one byte.
bool Glob(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}
}  // namespace

FileMask::FileMask(std::string_view masks) {
    std::size_t start = 0;
    while (start <= masks.size()) {
        std::size_t end = masks.find(';', start);
        if (end == std::string_view::npos) end = masks.size();
        std::string_view part = masks.substr(start, end - start);
        while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
        if (!part.empty()) patterns_.push_back(FoldCase(part));
        start = end + 1;
    }
}

// "*.*" matches every name, with or without a dot, as on the original desktop.
bool FileMask::MatchesFolded(std::string_view folded) const {
    for (const std::string& pattern : patterns_)
        if (pattern == "*.*" || pattern == "*" || Glob(pattern, folded)) return true;
    return false;
}

std::string FoldCase(std::string_view text) {
    bool ascii = true;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
    if (!ascii) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded().toStdString();
    }
    std::string folded(text);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

}  // namespace lumvex
