// Damaged and hostile files of the kinds read through their own libraries:
// a declared size over the picture budget is refused, naming it, before its
// memory is taken; a huge strip count costs nothing; truncated files give
// the reader's error or the part decoded, never a crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "Crc32.h"
#include "FormatFiles.h"
#include "components/MPGifImg.h"
#include "platform/SysUtils.h"
#include "platform/graphics/LibraryImage.h"
#include "platform/graphics/Picture.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

void Put16(std::string& s, std::uint32_t v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
void Put32(std::string& s, std::uint32_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }
void Put32BigEndian(std::string& s, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) s += char(v >> shift & 0xFF);
}

std::string PngChunk(const std::string& type, const std::string& data) {
    std::string chunk;
    Put32BigEndian(chunk, std::uint32_t(data.size()));
    chunk += type + data;
    Put32BigEndian(chunk, Crc32(type + data));
    return chunk;
}

// A PNG whose header names the size, with a little image data after it.
std::string PngOfSize(std::uint32_t width, std::uint32_t height) {
    std::string header;
    Put32BigEndian(header, width), Put32BigEndian(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + PngChunk("IDAT", std::string(16, '\0'));
}

std::string Riff(const std::string& chunks) {
    std::string s = "RIFF";
    Put32(s, std::uint32_t(4 + chunks.size()));
    return s + "WEBP" + chunks;
}

std::string WebPChunk(const std::string& type, const std::string& data) {
    std::string s = type;
    Put32(s, std::uint32_t(data.size()));
    return s + data + (data.size() % 2 ? std::string(1, '\0') : "");
}

// A lossless WebP whose header names the size (at most 16384 each way).
std::string LosslessWebPOfSize(std::uint32_t width, std::uint32_t height) {
    std::string data = "\x2f";
    Put32(data, (width - 1) | (height - 1) << 14);
    return Riff(WebPChunk("VP8L", data + std::string(8, '\0')));
}

// An animated WebP whose canvas is of the size, with no frame.
std::string AnimatedWebPCanvas(std::uint32_t width, std::uint32_t height) {
    std::string flags = std::string("\x02\0\0\0", 4);
    auto put24 = [&](std::uint32_t v) { flags += char(v & 0xFF), flags += char(v >> 8 & 0xFF), flags += char(v >> 16); };
    put24(width - 1), put24(height - 1);
    return Riff(WebPChunk("VP8X", flags) + WebPChunk("ANIM", std::string(6, '\0')));
}

// A little-endian TIFF of one grey strip layout: the tags given, sorted.
std::string TiffWithTags(const std::vector<std::array<std::uint32_t, 4>>& tags) {
    std::string s("II*\0", 4);
    Put32(s, 8);
    Put16(s, std::uint32_t(tags.size()));
    for (const auto& [tag, type, count, value] : tags) {
        Put16(s, tag), Put16(s, type), Put32(s, count), Put32(s, value);
    }
    Put32(s, 0);
    return s + std::string(64, '\0');
}

std::string TiffOfSize(std::uint32_t width, std::uint32_t height, std::uint32_t rowsPerStrip, std::uint32_t strips) {
    constexpr std::uint32_t Short = 3, Long = 4;
    return TiffWithTags({{256, Long, 1, width},   {257, Long, 1, height},       {258, Short, 1, 8},
                         {259, Short, 1, 1},      {262, Short, 1, 1},           {273, Long, strips, 8},
                         {277, Short, 1, 1},      {278, Long, 1, rowsPerStrip}, {279, Long, strips, 64}});
}

// A file's bytes with every 'ispe' box naming another size.
std::string WithIspe(std::string bytes, std::uint32_t width, std::uint32_t height) {
    std::string size;
    Put32BigEndian(size, width), Put32BigEndian(size, height);
    for (std::size_t at = bytes.find("ispe"); at != std::string::npos; at = bytes.find("ispe", at + 1))
        bytes.replace(at + 8, 8, size);
    return bytes;
}

std::string Refusal(const std::string& fileName, const std::string& bytes) {
    try {
        std::unique_ptr<TGraphic> picture = TPicture::CreateForContent(bytes, fileName);
        picture->LoadFromBytes(bytes);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "loaded";
}

testing::AssertionResult Names(const std::string& message, const std::string& words) {
    if (message.find(words) != std::string::npos) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\"" << message << "\" does not say " << words;
}

}  // namespace

TEST(LibraryBudget, HugeSizesWithLittleDataAreRefusedWithoutTakingTheirMemory) {
    RegisterGIFImage();  // the animated WebP picture too
    TempDir dir;
    FormatFiles files(dir);
    const std::int64_t before = PeakResidentBytes();

    EXPECT_TRUE(Names(Refusal("a.png", PngOfSize(30000, 30000)), "30000 x 30000"));
    EXPECT_TRUE(Names(Refusal("a.png", PngOfSize(11000, 11000)), "far too short"));
    EXPECT_TRUE(Names(Refusal("a.webp", LosslessWebPOfSize(16384, 16384)), "16384 x 16384"));
    EXPECT_TRUE(Names(Refusal("a.webp", AnimatedWebPCanvas(30000, 30000)), "30000 x 30000"));
    // An animation keeps three canvases: a third of the budget is its limit.
    EXPECT_TRUE(Names(Refusal("a.webp", AnimatedWebPCanvas(8000, 8000)), "8000 x 8000"));
    EXPECT_TRUE(Names(Refusal("a.tif", TiffOfSize(30000, 30000, 30000, 1)), "30000 x 30000"));

    // Coded sizes of whole blocks, so that no crop box stands beside the size.
    const std::string source = files.Make("blocks.png", "convert -size 128x64 xc:red png24:%o");
    LUMVEX_REQUIRE_FILE(files, source);
    for (const std::string& name : {std::string("a.heic"), std::string("a.avif")}) {
        const std::string path = files.Make(name, name == "a.heic" ? "heif-enc -q 50 blocks.png -o %o"
                                                                   : "avifenc -s 9 blocks.png %o");
        if (path.empty()) continue;
        EXPECT_TRUE(Names(Refusal(name, WithIspe(ReadFileBytes(path), 30000, 30000)), "30000 x 30000")) << name;
    }
    // A grid of two tiles that claims to put together a huge picture.
    const std::string grid = files.Make("grid.avif", "avifenc -s 9 --grid 2x1 blocks.png %o");
    if (!grid.empty()) {
        EXPECT_TRUE(Names(Refusal("grid.avif", WithIspe(ReadFileBytes(grid), 30000, 30000)), "30000 x 30000"));
    }
    EXPECT_LT(PeakResidentBytes() - before, std::int64_t(64) << 20) << "no refused picture took its memory";
}

TEST(LibraryBudget, AHugeStripCountInASmallFileCostsNothing) {
    const std::int64_t before = PeakResidentBytes();
    // One hundred million strips of one row each, their tables far beyond the file.
    const std::string message = Refusal("a.tif", TiffOfSize(1, 100000000, 1, 100000000));
    EXPECT_TRUE(Names(message, "TIFF")) << message;
    EXPECT_LT(PeakResidentBytes() - before, std::int64_t(64) << 20);
}

TEST(LibraryTruncated, FilesCutShortGiveTheErrorOrThePartDecoded) {
    RegisterGIFImage();
    TempDir dir;
    FormatFiles files(dir);
    const std::string source = files.Make("photo.png", "convert -size 256x192 plasma:fractal -seed 7 png24:%o");
    LUMVEX_REQUIRE_FILE(files, source);
    struct Case {
        const char* name;
        const char* command;
        bool partial;  // the library hands back the rows decoded before the cut
    };
    for (const Case& c : {Case{"photo.png", "true", true},
                          Case{"lossy.webp", "cwebp -quiet -q 80 photo.png -o %o", true},
                          Case{"lossless.webp", "cwebp -quiet -lossless photo.png -o %o", true},
                          Case{"anim.webp", "img2webp -lossy photo.png photo.png -o %o", false},
                          // The directory of a TIFF written by these tools follows its pixels.
                          Case{"strips.tif", "convert photo.png -define tiff:rows-per-strip=8 -compress zip %o", false},
                          Case{"photo.heic", "heif-enc -q 60 photo.png -o %o", false},
                          Case{"photo.avif", "avifenc -s 9 photo.png %o", false},
                          Case{"photo.jxl", "cjxl -d 1 photo.png %o", false}}) {
        SCOPED_TRACE(c.name);
        const std::string path = files.Make(c.name, c.command);
        if (path.empty()) continue;
        const std::string whole = ReadFileBytes(path);
        for (int percent : {1, 30, 60, 95}) {
            SCOPED_TRACE(percent);
            const std::string cut = whole.substr(0, whole.size() * std::size_t(percent) / 100);
            std::unique_ptr<TGraphic> picture = TPicture::CreateForContent(cut, c.name);
            try {
                picture->LoadFromBytes(cut);
            } catch (const Exception& e) {
                EXPECT_FALSE(e.Message().empty());
                EXPECT_FALSE(c.partial && percent == 60) << "nothing decoded from 60%: " << e.Message();
                continue;
            }
            EXPECT_EQ(picture->Width(), 256);
            EXPECT_EQ(picture->Height(), 192);
        }
    }
}

TEST(LibraryTruncated, ACancelledDecodeEndsWithoutAPicture) {
    TempDir dir;
    FormatFiles files(dir);
    const std::string source = files.Make("photo.png", "convert -size 256x192 plasma:fractal -seed 7 png24:%o");
    LUMVEX_REQUIRE_FILE(files, source);
    TCancelToken cancel;
    cancel.Cancel();
    std::unique_ptr<TGraphic> picture = TPicture::CreateForContent(ReadFileBytes(source), source);
    auto& still = dynamic_cast<TLibraryImage&>(*picture);
    EXPECT_THROW(still.Load(ReadFileBytes(source), TDecodeRequest{&cancel}), ECancelled);
    EXPECT_TRUE(still.Empty());
}

// Inputs the fuzzers once found faulting: each loads or fails cleanly, as the
// viewer and as the browser read it.
TEST(LibraryFuzzFinds, DecodeOrFailCleanly) {
    int files = 0;
    for (const char* kind : {"png", "webp", "tiff", "heif", "jxl"}) {
        const auto folder = std::filesystem::path(LUMVEX_TEST_DATA) / "fuzz-finds" / kind;
        if (!std::filesystem::exists(folder)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            SCOPED_TRACE(entry.path().string());
            const std::string bytes = ReadFileBytes(entry.path().string());
            for (const TDecodeRequest& request : {TDecodeRequest{}, TDecodeRequest{nullptr, 80, 70}}) {
                try {
                    std::unique_ptr<TGraphic> picture =
                        TPicture::CreateForContent(bytes, entry.path().string(), TPicture::TKinds::StillOnly);
                    if (auto* still = dynamic_cast<TLibraryImage*>(picture.get())) still->Load(bytes, request);
                } catch (const Exception&) {
                }
            }
            ++files;
        }
    }
    EXPECT_GT(files, 0);
}

// A HEIF file whose item declares no size but whose stream is 16384 x 12288
// once took 2 GB inside libheif before anything could refuse it.
TEST(LibraryBudget, AHeifStreamLargerThanItsDeclaredSizeIsRefusedBeforeDecoding) {
    const std::int64_t before = PeakResidentBytes();
    const auto path =
        std::filesystem::path(LUMVEX_TEST_DATA) / "fuzz-finds" / "heif" / "stream-larger-than-no-declared-size.heic";
    EXPECT_TRUE(Names(Refusal("a.heic", ReadFileBytes(path.string())), "declares no picture size"));
    EXPECT_LT(PeakResidentBytes() - before, std::int64_t(64) << 20);
}
