#include "components/MPGifExtensions.h"

#include <algorithm>

#include "components/MPGifData.h"
#include "components/MPGifRead.h"
#include "platform/graphics/Canvas.h"

namespace lumvex {
namespace {

// The first sub-block, cut or zero-padded to size bytes; more tells whether
// sub-blocks follow (false when the first one was the terminator).
std::string ReadFixedBlock(TMPMemoryStream& stream, std::size_t size, bool& more) {
    std::string block;
    more = ReadGIFSubBlock(stream, block);
    block.resize(size, '\0');
    return block;
}

std::uint8_t ByteAt(const std::string& block, std::size_t i) { return static_cast<std::uint8_t>(block[i]); }
std::uint16_t WordAt(const std::string& block, std::size_t i) {
    return static_cast<std::uint16_t>(ByteAt(block, i) | (ByteAt(block, i + 1) << 8));
}

std::vector<std::string> ReadStrings(TMPMemoryStream& stream) {
    std::vector<std::string> strings;
    for (std::string block; ReadGIFSubBlock(stream, block);) strings.push_back(block);
    return strings;
}

}  // namespace

void TGIFExtension::Apply(TGIFFrame&, const TImageDescriptor&) const {}

std::unique_ptr<TGIFExtension> ReadGIFExtension(std::uint8_t label, TMPMemoryStream& stream) {
    switch (label) {
    case TGraphicControlExtension::Label: return std::make_unique<TGraphicControlExtension>(stream);
    case TPlainTextExtension::Label: return std::make_unique<TPlainTextExtension>(stream);
    case TApplicationExtension::Label: return std::make_unique<TApplicationExtension>(stream);
    case TCommentExtension::Label: return std::make_unique<TCommentExtension>(stream);
    default: SkipGIFSubBlocks(stream); return nullptr;
    }
}

TGraphicControlExtension::TGraphicControlExtension(TMPMemoryStream& stream) {
    bool more;
    const std::string block = ReadFixedBlock(stream, 4, more);
    Flags = ByteAt(block, 0);
    DelayTime = WordAt(block, 1);
    TransparentIndex = ByteAt(block, 3);
    if (more) SkipGIFSubBlocks(stream);
}

void TGraphicControlExtension::Apply(TGIFFrame& frame, const TImageDescriptor&) const {
    frame.Delay = std::min(DelayTime / 10, 30);
}

TPlainTextExtension::TPlainTextExtension(TMPMemoryStream& stream) {
    bool more;
    const std::string block = ReadFixedBlock(stream, 12, more);
    Left = WordAt(block, 0);
    Top = WordAt(block, 2);
    Width = WordAt(block, 4);
    Height = WordAt(block, 6);
    CellWidth = ByteAt(block, 8);
    CellHeight = ByteAt(block, 9);
    ForeIndex = ByteAt(block, 10);
    BackIndex = ByteAt(block, 11);
    if (more) Text = ReadStrings(stream);
}

void TPlainTextExtension::Apply(TGIFFrame& frame, const TImageDescriptor& descriptor) const {
    TCanvas& canvas = frame.Bitmap().Canvas();
    canvas.Font.Size = CellHeight;
    const TBrush brush = canvas.Brush;
    if (const TColorTable* colors = descriptor.ColorTable) {
        canvas.Font.Color = colors->Colors(ForeIndex);
        canvas.Brush = TBrush{colors->Colors(BackIndex), TBrushStyle::bsSolid};
    } else {
        canvas.Brush.Style = TBrushStyle::bsClear;
    }
    if (!Text.empty()) canvas.TextRect(Bounds(Left, Top, Width, Height), Left, Top, Text.front());
    canvas.Brush = brush;
}

TApplicationExtension::TApplicationExtension(TMPMemoryStream& stream) {
    bool more;
    const std::string block = ReadFixedBlock(stream, 11, more);
    Identifier = block.substr(0, 8);
    AuthCode = block.substr(8, 3);
    if (more)
        for (std::string data; ReadGIFSubBlock(stream, data);) Data.Append(data.data(), data.size());
}

TCommentExtension::TCommentExtension(TMPMemoryStream& stream) : Comments(ReadStrings(stream)) {}

}  // namespace lumvex
