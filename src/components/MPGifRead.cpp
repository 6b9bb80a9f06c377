#include "components/MPGifRead.h"

#include "platform/SysUtils.h"

namespace lumvex {

void RaiseInvalidStreamFormat() { throw EStreamError("Invalid stream format"); }

void ReadGIFBytes(TMPMemoryStream& stream, void* dest, std::size_t count) {
    if (stream.Read(dest, count) != count) RaiseInvalidStreamFormat();
}

std::uint8_t ReadGIFByte(TMPMemoryStream& stream) {
    std::uint8_t b;
    ReadGIFBytes(stream, &b, 1);
    return b;
}

std::uint16_t ReadGIFWord(TMPMemoryStream& stream) {
    std::uint8_t b[2];
    ReadGIFBytes(stream, b, 2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

bool ReadGIFSubBlock(TMPMemoryStream& stream, std::string& block) {
    const std::uint8_t size = ReadGIFByte(stream);
    block.resize(size);
    ReadGIFBytes(stream, block.data(), size);
    return size != 0;
}

void SkipGIFSubBlocks(TMPMemoryStream& stream) {
    for (std::uint8_t size = ReadGIFByte(stream); size != 0; size = ReadGIFByte(stream)) {
        if (stream.Size() - stream.Position() < size) RaiseInvalidStreamFormat();
        stream.Seek(stream.Position() + size);
    }
}

}  // namespace lumvex
