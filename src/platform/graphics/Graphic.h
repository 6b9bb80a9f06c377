#pragma once
// The base of every picture kind: bitmaps, JPEG pictures, icons and GIF images.
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "platform/Types.h"

namespace lumvex {

class TCanvas;

class TGraphic {
public:
    virtual ~TGraphic() = default;

    virtual const char* ClassName() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }

    // Draws the picture stretched into rect of the canvas.
    virtual void Draw(TCanvas& canvas, const TRect& rect) const = 0;

    // Decodes a whole file's bytes; raises EInvalidGraphic (or another
    // Exception) with a clear message on bad data and keeps the old picture.
    virtual void LoadFromBytes(std::string bytes) = 0;
    virtual std::string SaveToBytes() const = 0;

    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;  // atomic: temporary file, then rename
    void LoadFromStream(std::istream& stream);
    void SaveToStream(std::ostream& stream) const;

    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    // Takes over another picture's content; raises EConvertError when the kinds do not mix.
    virtual void Assign(const TGraphic& source);

    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    std::function<void(TGraphic&)> OnChange;

protected:
    TGraphic() = default;
    TGraphic(const TGraphic& other) : transparent_(other.transparent_) {}
    TGraphic& operator=(const TGraphic& other) {
        transparent_ = other.transparent_;
        return *this;
    }
    void Changed();

private:
    bool transparent_ = false;
};

}  // namespace lumvex
