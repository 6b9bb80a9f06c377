#pragma once
// A drawing surface: a bitmap's pixels, or a control while it paints.
#include <functional>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "platform/graphics/Color.h"

class QPainter;

namespace lumvex {

class TBitmap;
class TGraphic;

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFont {
    std::string Name = "MS Sans Serif";
    int Size = 8;        // points, at 96 pixels an inch
    int PixelHeight = 0;  // when not 0, the character height in pixels; wins over Size
    TColor Color = clBlack;
    unsigned Style = 0;   // TFontStyle bits
};

enum class TBrushStyle { bsSolid, bsClear };
struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

enum class TPenStyle { psSolid, psDot, psClear, psDash, psDashDot, psDashDotDot };
enum class TPenMode { pmCopy, pmXor, pmNot };
struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
    TPenMode Mode = TPenMode::pmCopy;
};

// How CopyRect combines source and destination.
enum class TCopyMode { cmSrcCopy, cmSrcInvert, cmSrcAnd, cmSrcPaint, cmNotSrcCopy };

class TCanvas {
public:
    explicit TCanvas(TBitmap* bitmap);
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont Font;
    TBrush Brush;
    TPen Pen;
    TCopyMode CopyMode = TCopyMode::cmSrcCopy;

    // The bitmap this canvas draws on, or nullptr for a control's canvas.
    TBitmap* Bitmap() const { return bitmap_; }

    void Draw(int x, int y, const TGraphic& graphic);
    void StretchDraw(const TRect& rect, const TGraphic& graphic);
    // Draws a bitmap with every pixel of the key colour left out.
    void DrawTransparent(const TRect& rect, const TBitmap& bitmap, TColor keyColor);
    // Copies a rectangle of source stretched (nearest neighbour) into dest,
    // combined by CopyMode.
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
    void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect);

    void FillRect(const TRect& rect);  // with the brush
    void Rectangle(const TRect& rect); // outline with the pen, inside with the brush
    void Ellipse(const TRect& rect);
    void Pie(const TRect& rect, double startDegrees, double spanDegrees);
    void Polygon(const std::vector<TPoint>& points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos() const { return penPos_; }

    // Text in the font's colour; the background is the brush unless it is clear.
    void TextOut(int x, int y, const std::string& text);
    // Text with its top-left corner at (x, y), clipped to rect.
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    // Text broken into lines at spaces to fit the rectangle's width, from its top-left corner.
    void TextRectWrapped(const TRect& rect, const std::string& text);
    int TextWidth(const std::string& text) const;
    int TextHeight(const std::string& text) const;

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

protected:
    friend void PaintOnCanvas(TCanvas& canvas, const std::function<void(QPainter&)>& draw);
    // Runs draw with a painter on the target, clipped to it.
    virtual void Paint(const std::function<void(QPainter&)>& draw);

private:
    void PaintText(int x, int y, const std::string& text, const TRect* clip);

    TBitmap* bitmap_;
    TPoint penPos_;
};

}  // namespace lumvex
