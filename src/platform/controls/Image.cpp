#include "platform/controls/Image.h"

#include "platform/controls/PaintSurface.h"

namespace lumvex {

TImage::TImage(TWinControl* parent) : TControl(parent, new PaintSurface) {
    static_cast<PaintSurface*>(Widget())->SetPaint([this](TCanvas& canvas) { PaintPicture(canvas); });
    picture_.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() { picture_.OnChange = nullptr; }

TCanvas& TImage::Canvas() {
    if (!picture_.Graphic()) picture_.SetGraphic(std::make_unique<TBitmap>(Width(), Height(), TPixelFormat::pf24bit));
    return picture_.Bitmap().Canvas();
}

void TImage::SetCenter(bool on) {
    center_ = on;
    Invalidate();
}

void TImage::SetStretch(bool on) {
    stretch_ = on;
    Invalidate();
}

void TImage::SetAutoSize(bool on) {
    autoSize_ = on;
    PictureChanged();
}

void TImage::SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
}

void TImage::PictureChanged() {
    if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0 &&
        (picture_.Width() != Width() || picture_.Height() != Height()))
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

TRect TImage::DestRect() const {
    int w = picture_.Width();
    int h = picture_.Height();
    if (stretch_) {
        w = ClientWidth();
        h = ClientHeight();
    }
    TRect rect = Bounds(0, 0, w, h);
    if (center_) {
        int dx = (ClientWidth() - w) / 2;
        int dy = (ClientHeight() - h) / 2;
        rect = Bounds(dx, dy, w, h);
    }
    return rect;
}

void TImage::PaintPicture(TCanvas& canvas) {
    TGraphic* graphic = picture_.Graphic();
    if (!graphic || graphic->Empty()) return;
    TRect dest = DestRect();
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic); bitmap && transparent_)
        canvas.DrawTransparent(dest, *bitmap, bitmap->TransparentColor());
    else
        graphic->Draw(canvas, dest);
}

}  // namespace lumvex
