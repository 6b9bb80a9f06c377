#pragma once
// WebP pictures through libwebp: lossy and lossless, with or without alpha.
// An animation shows its first frame here; the animated picture that plays
// it is a component of its own.
#include <memory>
#include <string>
#include <string_view>

#include "platform/graphics/LibraryImage.h"

namespace lumvex {

class TWebPImage : public TLibraryImage {
public:
    TWebPImage() = default;
    const char* ClassName() const override { return "TWebPImage"; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TWebPImage>(*this); }

protected:
    // Decoded as the data comes in: a file that ends early gives the rows
    // decoded so far, the rest cleared. A reduced request uses libwebp's
    // scaled decoding.
    TDecodedPicture Decode(std::string_view bytes, const TDecodeRequest& request) const override;
};

bool IsWebPData(std::string_view bytes);
// A WebP file whose extended header announces an animation.
bool IsAnimatedWebPData(std::string_view bytes);

// The frames of an animated WebP file, each composed onto the canvas as the
// file says, decoded one at a time in order.
class TWebPFrames {
public:
    // Reads the file's frame list; raises EInvalidGraphic for a damaged file
    // and EOutOfResources for a canvas over the picture budget (an animation
    // keeps three canvases: the library's two and the frame shown).
    explicit TWebPFrames(std::string bytes);
    ~TWebPFrames();
    TWebPFrames(const TWebPFrames&) = delete;
    TWebPFrames& operator=(const TWebPFrames&) = delete;

    const std::string& Bytes() const;
    int Width() const;
    int Height() const;
    bool HasAlpha() const;
    // Frames that can be shown: fewer than the file lists once one failed to decode.
    int FrameCount() const;
    // How long the file shows a frame, in milliseconds.
    int Duration(int index) const;
    // The frame held (-1 before the first) and its pixels: 32-bit,
    // premultiplied blue, green, red, alpha, so that drawn without its alpha
    // it shows over black.
    int Index() const;
    const TBitmap& Frame() const;
    // Decodes frame index, going on from the frame held or starting over. A
    // later frame that cannot be decoded ends the animation before it; the
    // first one raises EInvalidGraphic.
    void Seek(int index);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lumvex
