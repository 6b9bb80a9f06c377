#pragma once
// Icons (.ico): a file of several images; the icon shows the largest (then
// the deepest) and draws with its transparency.
#include <memory>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Graphic.h"

namespace lumvex {

class TIcon : public TGraphic {
public:
    TIcon();
    TIcon(const TIcon& other);
    ~TIcon() override;

    const char* ClassName() const override { return "TIcon"; }
    int Width() const override;
    int Height() const override;
    void Draw(TCanvas& canvas, const TRect& rect) const override;
    void LoadFromBytes(std::string bytes) override;
    std::string SaveToBytes() const override;  // the file's bytes unchanged
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TIcon>(*this); }
    void Assign(const TGraphic& source) override;

    // The shown image's colours (24-bit) and whether each pixel is opaque
    // (its mask bit is clear, or its alpha is at least half).
    const TBitmap& Colors() const;
    bool Opaque(int x, int y) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lumvex
