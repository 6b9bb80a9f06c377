#pragma once
// A GIF file as read: its bytes, the logical screen, the global colours and
// one decoded bitmap per frame. Images share one TGIFData.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

#include "components/MPGifColors.h"
#include "components/MPHuge.h"
#include "components/MPList.h"
#include "platform/graphics/Bitmap.h"

namespace lumvex {

// Receives an error raised while applying an extension; loading goes on.
using TGIFErrorReport = std::function<void(const std::exception& error)>;

class TImageDescriptor {
public:
    TImageDescriptor(TMPMemoryStream& stream, const TColorTable* globalColors);

    std::uint16_t Left = 0, Top = 0, Width = 0, Height = 0;
    std::uint8_t Flags = 0;  // bit 7: local colour table, bits 0-2: its size code, bit 6: interlaced
    // The local table, else the file's global one; nullptr when there is neither.
    const TColorTable* ColorTable = nullptr;

    bool Interlaced() const { return Flags & 0x40; }

private:
    std::unique_ptr<TColorTable> localColors_;
};

class TRasterData {
public:
    explicit TRasterData(TMPMemoryStream& stream);

    std::uint8_t CodeSize = 0;
    TMPMemoryStream Data;  // every data sub-block, concatenated
};

class TGIFData;

class TGIFFrame {
public:
    explicit TGIFFrame(TGIFData& data) : Data(data) {}
    // Reads the blocks up to and including the next image, or up to the
    // trailer (a frame without an image and an empty bitmap).
    void Read(TMPMemoryStream& stream, const TGIFErrorReport& report);

    // The decoded picture of this frame alone, an 8-bit bitmap as large as
    // its image. It is read-only: a change raises "Cannot modify TGIFFrame bitmap".
    TBitmap& Bitmap() { return bitmap_; }
    const TBitmap& Bitmap() const { return bitmap_; }

    TGIFData& Data;
    int Delay = 0;  // tens of milliseconds

private:
    void Decode(const TImageDescriptor& descriptor, const TRasterData& raster);
    TBitmap bitmap_{0, 0, TPixelFormat::pf8bit};
};

class TGIFData {
public:
    TGIFData() = default;
    explicit TGIFData(std::string bytes) : Stream(std::move(bytes)) {}
    TGIFData(const TGIFData&) = delete;
    TGIFData& operator=(const TGIFData&) = delete;

    // Reads the whole file and decodes every frame, once; later calls do
    // nothing. A frame that fails ends the parse with its error, keeping the
    // frames before it.
    void Parse(const TGIFErrorReport& report);
    bool Parsed() const { return parsed_; }
    // The frames read; 0 without data or before parsing.
    int FrameCount() const { return Frames ? Frames->Count() : 0; }
    // Raises "Invalid frame number %d (0..%d)" outside the frames.
    TGIFFrame& Frame(int index) const;
    // Counts a frame of width x height against the picture's memory budget
    // before it is allocated; raises EOutOfResources, naming the size, past it.
    void ReserveFrame(int width, int height);

    TMPMemoryStream Stream;
    std::unique_ptr<TMPOwnedObjectList<TGIFFrame>> Frames;
    std::unique_ptr<TColorTable> GlobalColors;
    std::uint16_t ScreenWidth = 0, ScreenHeight = 0;
    std::uint8_t Flags = 0;  // bit 7: global colour table, bits 0-2: its size code
    std::uint8_t BackgroundIndex = 0;
    std::uint8_t AspectRatio = 0;

private:
    bool parsed_ = false;
    std::int64_t framePixels_ = 0;
};

}  // namespace lumvex
