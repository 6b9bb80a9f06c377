// The memory budget of one picture: files that declare huge pictures with
// little data are refused with their size named, before the memory is taken,
// by every codec the viewer loads through.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>

#include "TestFiles.h"
#include "components/MPGifImg.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/PixelBuffer.h"
#include "platform/graphics/JpegSamples.h"

using namespace lumvex;

namespace {

std::int64_t PeakBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return std::int64_t(usage.ru_maxrss) * 1024;
}

void Put16(std::string& s, int v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
void Put32(std::string& s, std::int64_t v) { Put16(s, int(v & 0xFFFF)), Put16(s, int(v >> 16 & 0xFFFF)); }
void Put32BigEndian(std::string& s, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) s += char(v >> shift & 0xFF);
}

// A device-independent bitmap header and what follows it.
std::string DibHeader(int width, int height, int bits, int compression) {
    std::string s;
    Put32(s, 40), Put32(s, width), Put32(s, height), Put16(s, 1), Put16(s, bits), Put32(s, compression);
    Put32(s, 0), Put32(s, 0), Put32(s, 0), Put32(s, 0), Put32(s, 0);
    return s;
}

std::string BmpFile(const std::string& dib, std::size_t pixelOffset) {
    std::string s = "BM";
    Put32(s, std::int64_t(14 + dib.size())), Put32(s, 0), Put32(s, std::int64_t(pixelOffset));
    return s + dib;
}

// One icon image: a PNG whose header names its size, or a DIB.
std::string IcoFile(const std::string& image) {
    std::string s;
    Put16(s, 0), Put16(s, 1), Put16(s, 1);
    s += std::string(4, '\0'), Put16(s, 1), Put16(s, 32), Put32(s, std::int64_t(image.size())), Put32(s, 22);
    return s + image;
}

std::string PngHeader(std::uint32_t width, std::uint32_t height) {
    std::string s("\x89PNG\r\n\x1a\n", 8);
    Put32BigEndian(s, 13);
    s += "IHDR";
    Put32BigEndian(s, width), Put32BigEndian(s, height);
    s += std::string("\x08\x06\x00\x00\x00", 5) + std::string(4, '\0') + std::string(64, '\0');
    return s;
}

// Frames of width x height whose data is a clear code, one pixel and the end
// code: each frame ends at once, its other pixels left at 0.
std::string GifOfEarlyEndingFrames(int width, int height, int frames) {
    std::string s = "GIF89a";
    Put16(s, 65535), Put16(s, 65535);
    s += std::string("\x80\x00\x00", 3) + std::string("\xff\x00\x00\x00\x00\xff", 6);
    for (int i = 0; i < frames; ++i) {
        s += '\x2C';
        Put16(s, 0), Put16(s, 0), Put16(s, width), Put16(s, height);
        s += std::string("\x00\x02\x02\x4c\x01\x00", 6);  // codes 4, 1, 5 at 3 bits
    }
    return s + '\x3B';
}

// The error loading bytes as the viewer loads a file of this name raises.
std::string Refusal(const std::string& fileName, const std::string& bytes) {
    try {
        std::unique_ptr<TGraphic> picture = TPicture::CreateForFile(fileName);
        picture->LoadFromBytes(bytes);
        if (auto* gif = dynamic_cast<TGIFImage*>(picture.get())) gif->FrameCount();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "loaded";
}

testing::AssertionResult Names(const std::string& message, const std::string& size) {
    if (message.find(size) != std::string::npos) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\"" << message << "\" does not name " << size;
}

}  // namespace

TEST(PictureBudget, HugeSizesWithLittleDataAreRefusedWithoutTakingTheirMemory) {
    RegisterGIFImage();
    const std::int64_t before = PeakBytes();

    // Arithmetic coding needs no data for a flat picture; 214 bytes once asked
    // for 30 000 x 30 000 pixels. A smaller such file is refused for its data.
    test::JpegSample flat;
    flat.arithmetic = true;
    flat.pixel = [](int, int) { return std::vector<int>{128, 128, 128}; };
    std::string arithmetic = test::MakeJpeg(flat);
    auto withSize = [&](int width, int height) {
        std::string bytes = arithmetic;
        const std::size_t sof = test::FindMarker(bytes, 0xC9);
        bytes[sof + 5] = char(height >> 8), bytes[sof + 6] = char(height & 0xFF);
        bytes[sof + 7] = char(width >> 8), bytes[sof + 8] = char(width & 0xFF);
        return bytes;
    };
    EXPECT_LT(arithmetic.size(), 400u);
    EXPECT_TRUE(Names(Refusal("a.jpg", withSize(30000, 30000)), "30000 x 30000"));
    EXPECT_TRUE(Names(Refusal("a.jpg", withSize(8000, 8000)), "8000 x 8000"));
    EXPECT_EQ(Refusal("a.jpg", withSize(2000, 2000)), "loaded") << "a flat picture of a few megapixels is fine";

    // Bitmaps: rows that are not there, and run-length data far too short.
    const std::string palette(256 * 4, '\0');
    EXPECT_TRUE(Names(Refusal("b.bmp", BmpFile(DibHeader(11000, 11000, 24, 0) + std::string(100, '\0'), 54)),
                      "bytes where the rows need"));
    EXPECT_TRUE(Names(Refusal("b.bmp", BmpFile(DibHeader(11000, 11000, 8, 1) + palette + "\x00\x01", 54 + 1024)),
                      "11000 x 11000"));
    EXPECT_TRUE(Names(Refusal("b.bmp", BmpFile(DibHeader(30000, 30000, 8, 1) + palette + "\x00\x01", 54 + 1024)),
                      "30000 x 30000"));

    // Icons: a PNG or a bitmap image that names a huge size.
    EXPECT_TRUE(Names(Refusal("c.ico", IcoFile(PngHeader(11000, 11000))), "far too short"));
    EXPECT_TRUE(Names(Refusal("c.ico", IcoFile(PngHeader(30000, 30000))), "30000 x 30000"));
    EXPECT_TRUE(Names(Refusal("c.ico", IcoFile(DibHeader(8000, 16000, 32, 0) + std::string(64, '\0'))),
                      "bytes where the rows need"));

    // A GIF frame larger than the pixel limit.
    EXPECT_TRUE(Names(Refusal("d.gif", GifOfEarlyEndingFrames(30000, 30000, 1)), "30000 x 30000"));

    EXPECT_LT(PeakBytes() - before, std::int64_t(64) << 20) << "no refused picture took its memory";
}

TEST(PictureBudget, GifFramesTogetherStayWithinTheBudget) {
    RegisterGIFImage();
    const std::int64_t before = PeakBytes();
    // 33 frames of 4096 x 4096, 16 MB each, are more than half the budget.
    const std::string message = Refusal("d.gif", GifOfEarlyEndingFrames(4096, 4096, 33));
    EXPECT_TRUE(Names(message, "4096 x 4096")) << message;
    EXPECT_LT(PeakBytes() - before, MaxPictureBytes);
    EXPECT_EQ(Refusal("d.gif", GifOfEarlyEndingFrames(4096, 4096, 2)), "loaded");
}

TEST(PictureBudget, AFileLargerThanTheBudgetIsNotRead) {
    test::TempDir dir;
    const std::string path = dir.File("huge.bmp");
    std::ofstream(path).close();
    std::filesystem::resize_file(path, std::uintmax_t(MaxPictureBytes) + 1);  // sparse: no disk used
    const std::int64_t before = PeakBytes();
    TPicture picture;
    try {
        picture.LoadFromFile(path);
        ADD_FAILURE() << "a file larger than the budget was loaded";
    } catch (const EOutOfResources& e) {
        EXPECT_TRUE(Names(e.what(), IntToStr(MaxPictureBytes + 1) + " bytes")) << e.what();
    }
    EXPECT_LT(PeakBytes() - before, std::int64_t(16) << 20);
}

TEST(PictureBudget, TheRecycledPixelMemoryIsBoundedAndLetGoWhenThePictureChanges) {
    {
        std::vector<PixelBuffer> pictures;
        for (int i = 0; i < 4; ++i) pictures.push_back(PixelBuffer::Uninitialised(std::size_t(60) << 20));
    }
    EXPECT_LE(PixelBuffer::RecycledBytes(), std::size_t(128) << 20);
    EXPECT_GE(PixelBuffer::RecycledBytes(), std::size_t(60) << 20) << "large blocks are kept for the next picture";
    PixelBuffer reused = PixelBuffer::Uninitialised(std::size_t(50) << 20);
    PixelBuffer other = PixelBuffer::Uninitialised(std::size_t(2) << 20);  // a much smaller picture
    EXPECT_EQ(PixelBuffer::RecycledBytes(), 0u);
}
