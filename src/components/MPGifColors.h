#pragma once
// A GIF colour table: red, green, blue triplets in file order.
#include <cstdint>
#include <vector>

#include "components/MPHuge.h"
#include "platform/graphics/Color.h"

namespace lumvex {

class TColorTable {
public:
    // Reads count colours.
    TColorTable(TMPMemoryStream& stream, int count);

    int Count() const { return static_cast<int>(entries_.size() / 3); }
    const std::vector<std::uint8_t>& Entries() const { return entries_; }
    // Raises EListError "Index %d out of range [0..%d]" outside the table.
    TColor Colors(int index) const;
    // The table as a bitmap palette; empty for a table without colours. This
    // desktop has no system palette, so 16-colour tables are taken as they are.
    std::vector<TRGBQuad> Palette() const;

private:
    std::vector<std::uint8_t> entries_;
};

}  // namespace lumvex
