// GIF files written by other encoders (ImageMagick's convert, giflib's
// gif2rgb) decode to the same pixels those tools read back. Skipped where
// the tools are not installed (scripts/install-deps.sh --tools).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <random>

#include "TestFiles.h"
#include "components/MPGifImg.h"
#include "platform/SysUtils.h"

using namespace lumvex;

namespace {

bool Installed(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

void RunTool(const std::string& command) { ASSERT_EQ(std::system(command.c_str()), 0) << command; }

struct Rgb {
    int width = 0, height = 0;
    std::string pixels;  // red, green, blue
};

// A binary PPM as convert writes it: "P6 width height 255" then the pixels.
Rgb ReadPpm(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    Rgb image;
    std::size_t pos = 0;
    auto field = [&] {
        while (pos < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[pos]))) ++pos;
        const std::size_t start = pos;
        while (pos < bytes.size() && !std::isspace(static_cast<unsigned char>(bytes[pos]))) ++pos;
        return bytes.substr(start, pos - start);
    };
    EXPECT_EQ(field(), "P6");
    image.width = std::stoi(field());
    image.height = std::stoi(field());
    EXPECT_EQ(field(), "255");
    image.pixels = bytes.substr(pos + 1);
    return image;
}

std::string WritePpm(const Rgb& image) {
    return "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n" + image.pixels;
}

// Soft shapes, hard edges and noise, so the encoders use many codes.
Rgb Picture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Rgb image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool noise = random() % 5 == 0;
            image.pixels.push_back(static_cast<char>(noise ? random() : x * 255 / width));
            image.pixels.push_back(static_cast<char>((y / 8 + seed) % 2 ? 200 : y * 255 / height));
            image.pixels.push_back(static_cast<char>((x * y + seed * 40) & 0xE0));
        }
    return image;
}

void ExpectSamePixels(const TGIFFrame& frame, const Rgb& reference) {
    const TBitmap& bitmap = frame.Bitmap();
    ASSERT_EQ(bitmap.Width(), reference.width);
    ASSERT_EQ(bitmap.Height(), reference.height);
    int wrong = 0;
    for (int y = 0; y < reference.height; ++y)
        for (int x = 0; x < reference.width; ++x) {
            const char* p = &reference.pixels[(static_cast<std::size_t>(y) * reference.width + x) * 3];
            const TColor want = RGB(static_cast<std::uint8_t>(p[0]), static_cast<std::uint8_t>(p[1]),
                                    static_cast<std::uint8_t>(p[2]));
            if (bitmap.Pixel(x, y) != want && ++wrong < 5) ADD_FAILURE() << "pixel " << x << "," << y;
        }
    EXPECT_EQ(wrong, 0);
}

}  // namespace

TEST(GifExternal, StillAndInterlacedPicturesFromConvert) {
    if (!Installed("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
    test::TempDir dir;
    const std::string source = dir.Write("source.ppm", WritePpm(Picture(211, 157, 1)));
    for (const std::string options : {"", "-interlace GIF", "-colors 16", "-colors 2"}) {
        const std::string gif = dir.File("still.gif"), reference = dir.File("still.ppm");
        RunTool("convert " + source + " " + options + " " + gif);
        RunTool("convert " + gif + " " + reference);
        TGIFImage image;
        image.LoadFromFile(gif);
        ASSERT_EQ(image.FrameCount(), 1) << options;
        ExpectSamePixels(image.Frame(0), ReadPpm(reference));
    }
}

TEST(GifExternal, AnimationFromConvertWithDelaysAndALoopCount) {
    if (!Installed("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
    test::TempDir dir;
    std::string frames;
    for (unsigned i = 0; i < 3; ++i) frames += " " + dir.Write("f" + std::to_string(i) + ".ppm", WritePpm(Picture(64, 48, i + 3)));
    const std::string gif = dir.File("anim.gif");
    RunTool("convert -delay 150" + frames + " -loop 2 " + gif);
    TGIFImage image;
    image.LoadFromFile(gif);
    ASSERT_EQ(image.FrameCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const std::string reference = dir.File("ref" + std::to_string(i) + ".ppm");
        RunTool("convert '" + gif + "[" + std::to_string(i) + "]' " + reference);
        ExpectSamePixels(image.Frame(i), ReadPpm(reference));
        EXPECT_EQ(image.Frame(i).Delay, 15);
    }
}

TEST(GifExternal, PicturesFromGiflib) {
    if (!Installed("gif2rgb")) GTEST_SKIP() << "giflib's gif2rgb is not installed";
    test::TempDir dir;
    for (auto [width, height] : {std::pair{400, 300}, {33, 7}}) {
        const Rgb picture = Picture(width, height, 9);
        const std::string raw = dir.Write("source.rgb", picture.pixels);
        const std::string gif = dir.File("giflib.gif"), reference = dir.File("giflib.rgb");
        const std::string size = std::to_string(width) + " " + std::to_string(height);
        RunTool("gif2rgb -s " + size + " < " + raw + " > " + gif);
        RunTool("gif2rgb -1 -o " + reference + " " + gif);
        TGIFImage image;
        image.LoadFromFile(gif);
        ASSERT_EQ(image.FrameCount(), 1);
        ExpectSamePixels(image.Frame(0), Rgb{width, height, ReadFileBytes(reference)});
    }
}
