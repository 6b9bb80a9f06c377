#pragma once
// Shows a picture: at its own size from the top left, centred, or stretched
// over the control; repaints whenever the picture or its graphic changes
// (a GIF's animation frames included).
#include <memory>

#include "platform/controls/Control.h"
#include "platform/graphics/Picture.h"

namespace lumvex {

class TImage : public TControl {
public:
    explicit TImage(TWinControl* parent);
    ~TImage() override;

    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }
    // Draws on the picture's bitmap. An empty picture first gets a 24-bit
    // bitmap of the control's size; a picture of another kind becomes an
    // empty bitmap, as TPicture::Bitmap does.
    TCanvas& Canvas();

    bool Center() const { return center_; }
    void SetCenter(bool on);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    // The control takes the picture's size whenever the picture changes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    // The picture's transparent parts (a bitmap's key colour, an icon's
    // clear pixels) are not drawn, so the controls below show through.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

private:
    void PictureChanged();
    void PaintPicture(TCanvas& canvas);

    TPicture picture_;
    bool center_ = false;
    bool stretch_ = false;
    bool autoSize_ = false;
    bool transparent_ = false;
};

}  // namespace lumvex
