#pragma once
// A small GIF writer for tests: builds files block by block, with a plain
// LZW encoder and a code packer for hand-made (and broken) raster data.
#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/graphics/Color.h"

namespace lumvex::test {

// Codes packed least-significant bit first.
class CodePacker {
public:
    void Put(int code, int width) {
        bits_ |= std::uint64_t(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<char>(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    std::string Bytes() const {
        std::string out = bytes_;
        if (count_ > 0) out.push_back(static_cast<char>(bits_ & 0xFF));
        return out;
    }

private:
    std::string bytes_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

// Standard LZW: a clear code first, a clear whenever the table is full, the end code last.
inline std::string LzwEncode(const std::vector<std::uint8_t>& pixels, int codeSize) {
    const int clear = 1 << codeSize, end = clear + 1;
    CodePacker packer;
    std::unordered_map<std::uint32_t, int> table;
    int width = codeSize + 1, next = clear + 2;
    packer.Put(clear, width);
    if (pixels.empty()) {
        packer.Put(end, width);
        return packer.Bytes();
    }
    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = (std::uint32_t(prefix) << 8) | pixels[i];
        auto it = table.find(key);
        if (it != table.end()) {
            prefix = it->second;
            continue;
        }
        packer.Put(prefix, width);
        if (next == 4096) {
            packer.Put(clear, width);
            table.clear();
            width = codeSize + 1;
            next = clear + 2;
        } else {
            table[key] = next++;
            if (next > (1 << width) && width < 12) ++width;
        }
        prefix = pixels[i];
    }
    packer.Put(prefix, width);
    packer.Put(end, width);
    return packer.Bytes();
}

// Data cut into sub-blocks of at most 255 bytes, with the terminator.
inline std::string SubBlocks(const std::string& data) {
    std::string out;
    for (std::size_t i = 0; i < data.size(); i += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - i);
        out.push_back(static_cast<char>(n));
        out += data.substr(i, n);
    }
    out.push_back('\0');
    return out;
}

struct GifImage {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> pixels{};  // row by row, top row first
    std::vector<TColor> localColors{};
    bool interlaced = false;
    int codeSize = 0;  // 0: from the colour count
    std::string raster{};  // when set, written instead of the encoded pixels (without the code size)
};

class GifWriter {
public:
    GifWriter(int width, int height, std::vector<TColor> globalColors = {}) : globalCount_(globalColors.size()) {
        out_ = "GIF89a";
        Word(width);
        Word(height);
        out_.push_back(static_cast<char>(globalColors.empty() ? 0 : 0x80 | TableSizeCode(globalColors.size())));
        out_.push_back('\0');
        out_.push_back('\0');
        Table(globalColors);
    }

    GifWriter& Extension(std::uint8_t label, const std::vector<std::string>& blocks) {
        out_.push_back('\x21');
        out_.push_back(static_cast<char>(label));
        for (const std::string& block : blocks) {
            out_.push_back(static_cast<char>(block.size()));
            out_ += block;
        }
        out_.push_back('\0');
        return *this;
    }
    GifWriter& GraphicControl(int delay) {
        return Extension(0xF9, {std::string{'\0', static_cast<char>(delay & 0xFF), static_cast<char>(delay >> 8), '\0'}});
    }
    GifWriter& Image(const GifImage& image) {
        out_.push_back('\x2C');
        Word(image.left);
        Word(image.top);
        Word(image.width);
        Word(image.height);
        int flags = image.interlaced ? 0x40 : 0;
        if (!image.localColors.empty()) flags |= 0x80 | TableSizeCode(image.localColors.size());
        out_.push_back(static_cast<char>(flags));
        Table(image.localColors);
        int codeSize = image.codeSize;
        if (codeSize == 0) {
            codeSize = 2;
            while ((1u << codeSize) < std::max<std::size_t>(globalCount_, image.localColors.size())) ++codeSize;
        }
        out_.push_back(static_cast<char>(codeSize));
        if (!image.raster.empty()) {
            out_ += SubBlocks(image.raster);
            return *this;
        }
        std::vector<std::uint8_t> order;
        if (!image.interlaced) {
            order = image.pixels;
        } else {
            for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
                for (int y = start; y < image.height; y += step)
                    order.insert(order.end(), image.pixels.begin() + y * image.width,
                                 image.pixels.begin() + (y + 1) * image.width);
        }
        out_ += SubBlocks(LzwEncode(order, codeSize));
        return *this;
    }
    GifWriter& Raw(const std::string& bytes) {
        out_ += bytes;
        return *this;
    }
    // The file with its trailer.
    std::string Bytes() const { return out_ + ";"; }
    std::string BytesWithoutTrailer() const { return out_; }

private:
    static int TableSizeCode(std::size_t count) {
        int code = 0;
        while ((2u << code) < count) ++code;
        return code;
    }
    void Word(int v) {
        out_.push_back(static_cast<char>(v & 0xFF));
        out_.push_back(static_cast<char>((v >> 8) & 0xFF));
    }
    void Table(const std::vector<TColor>& colors) {
        if (colors.empty()) return;
        const std::size_t size = std::size_t(2) << TableSizeCode(colors.size());
        for (std::size_t i = 0; i < size; ++i) {
            const TColor c = i < colors.size() ? colors[i] : clBlack;
            out_.push_back(static_cast<char>(GetRValue(c)));
            out_.push_back(static_cast<char>(GetGValue(c)));
            out_.push_back(static_cast<char>(GetBValue(c)));
        }
    }

    std::size_t globalCount_;
    std::string out_;
};

// An animated GIF of two frames, all red and then all blue, shown for the
// delays given (in hundredths of a second).
inline std::string RedThenBlueGif(int width, int height, int firstDelay, int secondDelay) {
    GifImage frame;
    frame.width = width;
    frame.height = height;
    frame.pixels.assign(static_cast<std::size_t>(width * height), 1);
    GifWriter gif(width, height, {clBlack, clRed, clBlue});
    gif.GraphicControl(firstDelay).Image(frame);
    frame.pixels.assign(static_cast<std::size_t>(width * height), 2);
    gif.GraphicControl(secondDelay).Image(frame);
    return gif.Bytes();
}

}  // namespace lumvex::test
