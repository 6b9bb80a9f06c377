#pragma once
// Reading the parts of a GIF file. Data that ends early raises EStreamError
// "Invalid stream format" instead of reading on.
#include <cstdint>
#include <string>

#include "components/MPHuge.h"

namespace lumvex {

[[noreturn]] void RaiseInvalidStreamFormat();

std::uint8_t ReadGIFByte(TMPMemoryStream& stream);
std::uint16_t ReadGIFWord(TMPMemoryStream& stream);  // little-endian
void ReadGIFBytes(TMPMemoryStream& stream, void* dest, std::size_t count);
// Reads one data sub-block into block; false at the zero-length terminator.
bool ReadGIFSubBlock(TMPMemoryStream& stream, std::string& block);
void SkipGIFSubBlocks(TMPMemoryStream& stream);

}  // namespace lumvex
