#include <gtest/gtest.h>

#include <filesystem>

#include "JpegSamples.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"

using namespace lumvex;
using lumvex::test::FindMarker;
using lumvex::test::JpegSample;
using lumvex::test::MakeJpeg;

namespace {

// The message of the exception that loading (and then decoding) raises, or "".
std::string LoadError(const std::string& bytes) {
    try {
        TJPEGImage jpeg;
        jpeg.LoadFromBytes(bytes);
        jpeg.Bitmap();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

// A file whose frame header says width x height.
std::string WithSize(std::string bytes, int width, int height, unsigned char frameMarker = 0xC0) {
    const std::size_t sof = FindMarker(bytes, frameMarker);
    bytes[sof + 5] = static_cast<char>(height >> 8);
    bytes[sof + 6] = static_cast<char>(height & 0xFF);
    bytes[sof + 7] = static_cast<char>(width >> 8);
    bytes[sof + 8] = static_cast<char>(width & 0xFF);
    return bytes;
}

// Up to the end of the first scan header: everything but the picture data.
std::string HeaderOnly(const std::string& bytes) {
    const std::size_t sos = FindMarker(bytes, 0xDA);
    const std::size_t length = (static_cast<unsigned char>(bytes[sos + 2]) << 8) | static_cast<unsigned char>(bytes[sos + 3]);
    return bytes.substr(0, sos + 2 + length);
}

}  // namespace

TEST(JpegBadInput, DataThatIsNoJpegPictureRaisesAClearErrorAtLoad) {
    const std::string good = MakeJpeg(JpegSample{});
    EXPECT_EQ(LoadError(""), "The JPEG file is empty");
    EXPECT_EQ(LoadError("GIF89a not a JPEG picture"), "Invalid JPEG picture: Not a JPEG file: starts with 0x47 0x49");
    EXPECT_NE(LoadError(good.substr(0, FindMarker(good, 0xC0) + 6)).find("ends too early"), std::string::npos);
    EXPECT_EQ(LoadError(HeaderOnly(good)), "Invalid JPEG picture: the file holds no picture data");
    EXPECT_EQ(LoadError(HeaderOnly(good) + "\xFF\xD9"), "Invalid JPEG picture: the file holds no picture data");

    // A failed load keeps the picture held before.
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(good);
    EXPECT_THROW(jpeg.LoadFromBytes("garbage"), EJPEG);
    EXPECT_EQ(jpeg.Width(), 16);
    EXPECT_EQ(jpeg.SaveToBytes(), good);
}

TEST(JpegBadInput, HugeSizesInAHeaderAreRefusedBeforeAnythingIsAllocated) {
    const std::string good = MakeJpeg(JpegSample{});
    TJPEGImage jpeg;
    EXPECT_THROW(jpeg.LoadFromBytes(WithSize(good, 65000, 65000)), EOutOfResources);
    EXPECT_THROW(jpeg.LoadFromBytes(WithSize(good, 30000, 30000)), EOutOfResources);
    EXPECT_EQ(LoadError(WithSize(good, 11000, 11000)),
              "Invalid JPEG picture: the file is too short for a picture of 11000 x 11000 pixels");

    // Arithmetic coding has no floor of bits per block: a flat picture is
    // tiny and valid.
    JpegSample flat;
    flat.width = flat.height = 1024;
    flat.arithmetic = true;
    flat.pixel = [](int, int) { return std::vector<int>{90, 90, 90}; };
    const std::string tiny = MakeJpeg(flat);
    ASSERT_LT(tiny.size(), 1024u);
    jpeg.LoadFromBytes(tiny);
    EXPECT_EQ(GetRValue(jpeg.Bitmap().Pixel(1000, 1000)), 90);

    // Enough bytes to pass that test, but the coefficients of a 121-million
    // pixel progressive picture, with the picture and its display copy, need
    // more memory than a picture may use.
    JpegSample s;
    s.progressive = true;
    s.stored = JCS_YCbCr;
    std::string big = MakeJpeg(s);
    const std::size_t sof = FindMarker(big, 0xC2);
    for (int c = 0; c < 3; ++c) big[sof + 11 + 3 * c] = 0x11;  // no subsampling: three full planes
    big = WithSize(big, 11000, 11000, 0xC2);
    big += std::string(20000, '\0');
    EXPECT_EQ(LoadError(big), "The JPEG picture of 11000 x 11000 pixels needs more memory than a picture may use");
}

TEST(JpegBadInput, TooManyScansAreRefusedWhenDecoding) {
    // DC of all three channels, then each AC coefficient of each channel alone: 190 scans.
    JpegSample s;
    s.scans.push_back(jpeg_scan_info{3, {0, 1, 2, 0}, 0, 0, 0, 0});
    for (int c = 0; c < 3; ++c)
        for (int k = 1; k < 64; ++k) s.scans.push_back(jpeg_scan_info{1, {c, 0, 0, 0}, k, k, 0, 0});
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(MakeJpeg(s));
    EXPECT_EQ(jpeg.Width(), 16);
    for (int attempt = 0; attempt < 2; ++attempt) {  // a failed decode is not kept
        try {
            jpeg.Bitmap();
            ADD_FAILURE() << "decoded";
        } catch (const EJPEG& e) {
            EXPECT_EQ(e.Message(), "Invalid JPEG picture: more than 100 scans");
        }
    }
    s.scans.resize(100);  // the rest of the coefficients stay zero
    jpeg.LoadFromBytes(MakeJpeg(s));
    EXPECT_EQ(jpeg.Bitmap().Width(), 16);
}

TEST(JpegBadInput, DataThatEndsEarlyShowsWhatItHoldsAndTheRestGrey) {
    JpegSample s;
    s.width = 64;
    s.height = 256;
    s.quality = 100;
    s.pixel = [](int x, int y) { return std::vector<int>{190 + (x * y * 37) % 20, 20 + (x * 7 + y) % 20, 30}; };
    const std::string whole = MakeJpeg(s);
    const std::size_t data = HeaderOnly(whole).size();
    const std::string cut = whole.substr(0, data + (whole.size() - data) / 3);
    const std::string cutAtMarker = cut + "\xFF\xD9";
    for (const std::string& bytes : {cut, cutAtMarker})
    for (TJPEGPixelFormat format : {TJPEGPixelFormat::jf24Bit, TJPEGPixelFormat::jf8Bit}) {
        TJPEGImage jpeg;
        jpeg.LoadFromBytes(bytes);
        jpeg.SetPixelFormat(format);
        const TBitmap& bitmap = jpeg.Bitmap();
        ASSERT_EQ(bitmap.Height(), 256);
        EXPECT_NEAR(GetRValue(bitmap.Pixel(10, 2)), 200, 24);
        EXPECT_NEAR(GetGValue(bitmap.Pixel(10, 2)), 30, 24);
        const TColor bottom = bitmap.Pixel(60, 255);
        EXPECT_NEAR(GetRValue(bottom), 128, 12);
        EXPECT_NEAR(GetGValue(bottom), 128, 12);
        EXPECT_NEAR(GetBValue(bottom), 128, 12);
    }
}

// Inputs the fuzzer once found faulting: each must load or fail cleanly.
TEST(JpegBadInput, FuzzFindsDecodeOrFailCleanly) {
    const auto folder = std::filesystem::path(LUMVEX_TEST_DATA) / "fuzz-finds" / "jpeg";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().string());
        const std::string bytes = ReadFileBytes(entry.path().string());
        for (TJPEGScale scale : {TJPEGScale::jsFullSize, TJPEGScale::jsEighth}) {
            try {
                TJPEGImage jpeg;
                jpeg.LoadFromBytes(bytes);
                jpeg.SetScale(scale);
                jpeg.Bitmap();
            } catch (const Exception&) {
            }
        }
        ++files;
    }
    EXPECT_GT(files, 0);
}
