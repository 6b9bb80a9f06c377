#pragma once
// Picture files of the kinds read through their own libraries, made by the
// formats' own tools in a test's folder: ImageMagick draws the PNG sources,
// cwebp and img2webp, tiffcp, heif-enc, avifenc and cjxl encode them. When a
// tool is missing the file is not made and the test skips, naming the tool
// (scripts/install-deps.sh installs them all).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "TestFiles.h"
#include "platform/graphics/Color.h"

namespace lumvex::test {

class FormatFiles {
public:
    explicit FormatFiles(const TempDir& dir) : dir_(dir) {}

    // Runs a command of the tool's in the folder, where %o stands for the
    // output name; returns the output's path, or "" with Missing set.
    std::string Make(const std::string& name, const std::string& command) {
        const std::string tool = command.substr(0, command.find(' '));
        if (std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) != 0) {
            Missing = tool;
            return "";
        }
        std::string line = command;
        for (std::size_t at; (at = line.find("%o")) != std::string::npos;) line.replace(at, 2, name);
        if (std::system(("cd '" + dir_.Path() + "' && " + line + " >/dev/null 2>&1").c_str()) != 0)
            throw std::runtime_error("the tool failed: " + line);
        return dir_.File(name);
    }

    // Both true-colour PNGs, which every tool reads alike.
    // 64 x 48 in four quadrants: red top-left, lime top-right, blue
    // bottom-left, white bottom-right.
    std::string Quadrants() {
        return Make("quadrants.png",
                    "convert -size 32x24 xc:red xc:lime +append \\( -size 32x24 xc:blue xc:white +append \\) -append "
                    "+repage png24:%o");
    }
    // 64 x 48: the left half opaque red, the top right blue at half alpha,
    // the bottom right fully transparent.
    std::string Translucent() {
        return Make("translucent.png",
                    "convert -size 64x48 xc:none -fill red -draw 'rectangle 0,0 31,47' "
                    "-fill 'rgba(0,0,255,0.5)' -draw 'rectangle 32,0 63,23' png32:%o");
    }

    std::string Missing;

private:
    const TempDir& dir_;
};

#define LUMVEX_REQUIRE_FILE(files, path) \
    if ((path).empty()) GTEST_SKIP() << (files).Missing << " is not installed"

// Whether a colour is within tolerance of another in every channel.
inline testing::AssertionResult Near(TColor actual, TColor expected, int tolerance = 24) {
    for (int shift : {0, 8, 16}) {
        const int a = int(actual >> shift & 0xFF), e = int(expected >> shift & 0xFF);
        if (std::abs(a - e) > tolerance)
            return testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
    }
    return testing::AssertionSuccess();
}

}  // namespace lumvex::test
