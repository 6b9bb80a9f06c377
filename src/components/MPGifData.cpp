#include "components/MPGifData.h"

#include <algorithm>
#include <cstdio>

#include "components/MPGifDecoder.h"
#include "components/MPGifExtensions.h"
#include "components/MPGifRead.h"
#include "platform/SysUtils.h"

namespace lumvex {
namespace {

constexpr std::uint8_t ExtensionIntroducer = 0x21;
constexpr std::uint8_t ImageSeparator = 0x2C;
constexpr std::uint8_t Trailer = 0x3B;
// The frames are 8-bit bitmaps, all decoded at load: together they may take
// half of a picture's budget.
constexpr std::int64_t MaxFramePixels = MaxPictureBytes / 2;

std::unique_ptr<TColorTable> ReadColorTable(TMPMemoryStream& stream, std::uint8_t flags) {
    if (!(flags & 0x80)) return nullptr;
    return std::make_unique<TColorTable>(stream, 2 << (flags & 7));
}

[[noreturn]] void RaiseBadSeparator(std::uint8_t separator) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%X", separator);
    throw EInvalidGraphicOperation(std::string("Invalid GIF format seperator: $") + hex);
}

}  // namespace

TImageDescriptor::TImageDescriptor(TMPMemoryStream& stream, const TColorTable* globalColors) {
    Left = ReadGIFWord(stream);
    Top = ReadGIFWord(stream);
    Width = ReadGIFWord(stream);
    Height = ReadGIFWord(stream);
    Flags = ReadGIFByte(stream);
    localColors_ = ReadColorTable(stream, Flags);
    ColorTable = localColors_ ? localColors_.get() : globalColors;
}

TRasterData::TRasterData(TMPMemoryStream& stream) : CodeSize(ReadGIFByte(stream)) {
    for (std::string block; ReadGIFSubBlock(stream, block);) Data.Append(block.data(), block.size());
}

void TGIFFrame::Read(TMPMemoryStream& stream, const TGIFErrorReport& report) {
    stream.Seek(stream.Position() - 1);
    TMPOwnedObjectList<TGIFExtension> extensions;
    for (;;) {
        const std::uint8_t separator = ReadGIFByte(stream);
        if (separator == ImageSeparator) break;
        if (separator == Trailer) {
            stream.Seek(stream.Position() - 1);
            return;
        }
        if (separator != ExtensionIntroducer) RaiseBadSeparator(separator);
        const std::uint8_t label = ReadGIFByte(stream);
        if (auto extension = ReadGIFExtension(label, stream)) extensions.Add(std::move(extension));
    }
    const TImageDescriptor descriptor(stream, Data.GlobalColors.get());
    const TRasterData raster(stream);
    Decode(descriptor, raster);
    for (const auto& extension : extensions) {
        try {
            extension->Apply(*this, descriptor);
        } catch (const std::exception& error) {
            if (report) report(error);
        }
    }
    bitmap_.OnChange = [](TGraphic&) { throw EInvalidGraphicOperation("Cannot modify TGIFFrame bitmap"); };
}

void TGIFFrame::Decode(const TImageDescriptor& descriptor, const TRasterData& raster) {
    TDecoder decoder(raster.Data, raster.CodeSize);
    // A frame whose end code comes early keeps the rest of its pixels at 0;
    // the budget bounds what a few bytes of file can ask for.
    Data.ReserveFrame(descriptor.Width, descriptor.Height);
    bitmap_.SetSize(descriptor.Width, descriptor.Height);
    if (descriptor.ColorTable && descriptor.ColorTable->Count() > 0) {
        std::vector<TRGBQuad> palette = descriptor.ColorTable->Palette();
        palette.resize(256);  // indices past the table show black
        bitmap_.SetPalette(std::move(palette));
    }
    decoder.Decode(bitmap_, descriptor.Interlaced());
}

void TGIFData::Parse(const TGIFErrorReport& report) {
    if (parsed_) return;
    parsed_ = true;
    Stream.Seek(6);  // past the signature and version
    ScreenWidth = ReadGIFWord(Stream);
    ScreenHeight = ReadGIFWord(Stream);
    Flags = ReadGIFByte(Stream);
    BackgroundIndex = ReadGIFByte(Stream);
    AspectRatio = ReadGIFByte(Stream);
    GlobalColors = ReadColorTable(Stream, Flags);
    Frames = std::make_unique<TMPOwnedObjectList<TGIFFrame>>();
    for (std::uint8_t b = ReadGIFByte(Stream); b != Trailer; b = ReadGIFByte(Stream)) {
        auto frame = std::make_unique<TGIFFrame>(*this);
        frame->Read(Stream, report);
        Frames->Add(std::move(frame));
    }
}

void TGIFData::ReserveFrame(int width, int height) {
    CheckPictureSize(width, height);
    framePixels_ += std::int64_t(width) * height;
    if (framePixels_ > MaxFramePixels)
        throw EOutOfResources("GIF picture too large: a frame of " + IntToStr(width) + " x " + IntToStr(height) +
                              " pixels brings its frames to " + IntToStr(framePixels_) +
                              " pixels, more than the limit of " + IntToStr(MaxFramePixels / 1000000) +
                              " million");
}

TGIFFrame& TGIFData::Frame(int index) const {
    if (index < 0 || index >= FrameCount())
        throw EInvalidGraphicOperation("Invalid frame number " + IntToStr(index) + " (0.." +
                                       IntToStr(FrameCount() - 1) + ")");
    return (*Frames)[index];
}

}  // namespace lumvex
