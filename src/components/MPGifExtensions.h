#pragma once
// The extension blocks that may stand before an image of a GIF file.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "components/MPHuge.h"

namespace lumvex {

class TGIFFrame;
class TImageDescriptor;

class TGIFExtension {
public:
    virtual ~TGIFExtension() = default;
    // What the extension does to the frame it stands before; by default nothing.
    virtual void Apply(TGIFFrame& frame, const TImageDescriptor& descriptor) const;
};

// Reads the extension that follows its label; other labels have their
// sub-blocks skipped and give nullptr.
std::unique_ptr<TGIFExtension> ReadGIFExtension(std::uint8_t label, TMPMemoryStream& stream);

class TGraphicControlExtension : public TGIFExtension {
public:
    static constexpr std::uint8_t Label = 0xF9;
    explicit TGraphicControlExtension(TMPMemoryStream& stream);
    // Sets the frame's delay; transparency and disposal are not used.
    void Apply(TGIFFrame& frame, const TImageDescriptor& descriptor) const override;

    std::uint8_t Flags = 0;
    std::uint16_t DelayTime = 0;  // hundredths of a second
    std::uint8_t TransparentIndex = 0;
};

class TPlainTextExtension : public TGIFExtension {
public:
    static constexpr std::uint8_t Label = 0x01;
    explicit TPlainTextExtension(TMPMemoryStream& stream);
    // Draws the first text string on the frame.
    void Apply(TGIFFrame& frame, const TImageDescriptor& descriptor) const override;

    std::uint16_t Left = 0, Top = 0, Width = 0, Height = 0;
    std::uint8_t CellWidth = 0, CellHeight = 0, ForeIndex = 0, BackIndex = 0;
    std::vector<std::string> Text;  // one string per sub-block
};

class TApplicationExtension : public TGIFExtension {
public:
    static constexpr std::uint8_t Label = 0xFF;
    explicit TApplicationExtension(TMPMemoryStream& stream);

    std::string Identifier;  // 8 bytes
    std::string AuthCode;    // 3 bytes
    TMPMemoryStream Data;    // the following sub-blocks, concatenated
};

class TCommentExtension : public TGIFExtension {
public:
    static constexpr std::uint8_t Label = 0xFE;
    explicit TCommentExtension(TMPMemoryStream& stream);

    std::vector<std::string> Comments;  // one string per sub-block
};

}  // namespace lumvex
