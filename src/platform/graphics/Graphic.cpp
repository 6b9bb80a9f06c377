#include "platform/graphics/Graphic.h"

#include <istream>
#include <iterator>
#include <ostream>

#include "platform/SysUtils.h"

namespace lumvex {

void TGraphic::LoadFromFile(const std::string& fileName) {
    CheckPictureFileSize(fileName);
    LoadFromBytes(ReadFileBytes(fileName));
}

void TGraphic::SaveToFile(const std::string& fileName) const {
    WriteFileAtomically(fileName, SaveToBytes());
}

void TGraphic::LoadFromStream(std::istream& stream) {
    std::string bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    LoadFromBytes(std::move(bytes));
}

void TGraphic::SaveToStream(std::ostream& stream) const {
    std::string bytes = SaveToBytes();
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream) throw EWriteError("Stream write error");
}

void TGraphic::Assign(const TGraphic& source) {
    throw EConvertError(std::string("Cannot assign a ") + source.ClassName() + " to a " + ClassName());
}

void TGraphic::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange) OnChange(*this);
}

}  // namespace lumvex
