#include "components/MPGifColors.h"

#include "components/MPGifRead.h"
#include "platform/SysUtils.h"

namespace lumvex {

TColorTable::TColorTable(TMPMemoryStream& stream, int count) : entries_(static_cast<std::size_t>(count) * 3) {
    ReadGIFBytes(stream, entries_.data(), entries_.size());
}

TColor TColorTable::Colors(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("Index " + IntToStr(index) + " out of range [0.." + IntToStr(Count() - 1) + "]");
    const std::uint8_t* rgb = &entries_[static_cast<std::size_t>(index) * 3];
    return RGB(rgb[0], rgb[1], rgb[2]);
}

std::vector<TRGBQuad> TColorTable::Palette() const {
    std::vector<TRGBQuad> palette;
    for (int i = 0; i < Count(); ++i) palette.push_back(ToRGBQuad(Colors(i)));
    return palette;
}

}  // namespace lumvex
