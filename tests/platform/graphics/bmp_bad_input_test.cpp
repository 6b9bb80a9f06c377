#include <gtest/gtest.h>

#include "platform/SysUtils.h"
#include "platform/graphics/BmpBytes.h"
#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/ExpectRaises.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

template <typename Error = EInvalidGraphic>
void ExpectError(const std::string& file, const std::string& words) {
    ExpectRaises<Error>([&] { ReadBmp(file); }, words);
}

std::string Plain(InfoHeader h, std::size_t pixelBytes) { return BmpFile(h.str(), std::string(pixelBytes, '\x7F')); }

}  // namespace

TEST(BmpBadInput, EmptyFilesAndWrongSignatures) {
    ExpectError("", "empty");
    ExpectError("B", "signature");
    ExpectError("GIF89a", "signature");
    ExpectError("BM\x10\0\0\0", "truncated");
}

TEST(BmpBadInput, TruncatedOrUnknownHeaders) {
    const std::string file = Plain(InfoHeader{.width = 2, .height = 2}, 16);
    ExpectError(file.substr(0, 14 + 2), "header is truncated");
    ExpectError(file.substr(0, 14 + 39), "header is truncated");
    std::string odd = file;
    odd[14] = 41;
    ExpectError(odd, "header size of 41");
    InfoHeader fields{.width = 1, .height = 1, .bits = 16, .compression = 3};
    ExpectError(BmpFile(fields.str() + "\xE0\x07", std::string(4, '\0')), "masks are truncated");
}

TEST(BmpBadInput, ZeroOrHugeDimensions) {
    ExpectError(Plain(InfoHeader{.width = 0, .height = 2}, 16), "0 x 2 is invalid");
    ExpectError(Plain(InfoHeader{.width = 2, .height = 0}, 16), "invalid");
    ExpectError(Plain(InfoHeader{.width = -2, .height = 2}, 16), "invalid");
    ExpectError<EOutOfResources>(Plain(InfoHeader{.width = 65536, .height = 65536}, 16), "too large");
    ExpectError<EOutOfResources>(Plain(InfoHeader{.width = 2, .height = INT32_MIN}, 16), "too large");
}

TEST(BmpBadInput, OffsetsAndPalettesPastTheEnd) {
    std::string past = Plain(InfoHeader{.width = 1, .height = 1}, 4);
    past[10] = '\x7F';
    ExpectError(past, "offset lies past the end");
    std::string inside = Plain(InfoHeader{.width = 1, .height = 1}, 4);
    inside[10] = 20;
    ExpectError(inside, "points into the header");
    // 8 bits with 200 colours said to be used, but only the header and a row there.
    InfoHeader h{.width = 1, .height = 1, .bits = 8, .colorsUsed = 200};
    std::string file = BmpFile(h.str(), std::string(4, '\0'));
    for (int i = 10; i < 14; ++i) file[i] = 0;
    ExpectError(file, "palette runs past the end");
}

TEST(BmpBadInput, PixelDataShorterThanTheRows) {
    ExpectError(Plain(InfoHeader{.width = 3, .height = 2}, 12 + 8), "truncated: 20 bytes where the rows need 21");
    ExpectError(Plain(InfoHeader{.width = 4000, .height = 3000, .bits = 32}, 100), "truncated");
    ExpectError(Plain(InfoHeader{.width = 9, .height = 1, .bits = 1}, 1), "truncated");
}

TEST(BmpBadInput, ZeroBitMasks) {
    InfoHeader h{.size = 56, .width = 1, .height = 1, .bits = 16, .compression = 3, .masks = {0xF800, 0, 0x1F, 0}};
    ExpectError(Plain(h, 4), "mask is zero");
    // A mask above the pixel's 16 bits selects nothing either.
    h.masks[1] = 0x10000;
    ExpectError(Plain(h, 4), "mask is zero");
}

TEST(BmpBadInput, UnsupportedDepthsAndCompressions) {
    ExpectError(Plain(InfoHeader{.width = 1, .height = 1, .bits = 2}, 4), "depth of 2 bits");
    ExpectError(Plain(InfoHeader{.width = 1, .height = 1, .bits = 0, .compression = 4}, 4), "depth of 0 bits");
    ExpectError(Plain(InfoHeader{.width = 1, .height = 1, .bits = 24, .compression = 4}, 4), "compression (4)");
    ExpectError(Plain(InfoHeader{.width = 1, .height = 1, .bits = 4, .compression = 1}, 4), "compression (1)");
    ExpectError(Plain(InfoHeader{.width = 1, .height = 1, .bits = 24, .compression = 3}, 4), "compression (3)");
    ExpectError(Plain(InfoHeader{.size = 64, .width = 1, .height = 1, .bits = 24, .compression = 4}, 4), "compression (4)");
}
