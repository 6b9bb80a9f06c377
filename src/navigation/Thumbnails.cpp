#include "navigation/Thumbnails.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "components/MPGifData.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/LibraryImage.h"
#include "platform/graphics/Picture.h"

namespace lumvex {
namespace {

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// A JPEG file by its name is decoded at an eighth of its size.
bool JpegName(const std::string& name) { return Contains(name, ".jpeg") || Contains(name, ".jpg"); }

// The average of each target pixel's share of the source (a single source
// pixel when enlarging), as a 24-bit bitmap. pixelAt(row, x) gives the
// blue, green and red bytes of a source pixel.
template <class PixelAt>
TBitmap Reduce(const TBitmap& source, int width, int height, PixelAt pixelAt) {
    TBitmap target;
    target.AllocateUninitialised(width, height, TPixelFormat::pf24bit);  // every pixel is written below
    const int sw = source.Width(), sh = source.Height();
    struct Span {
        int first, count;
    };
    std::vector<Span> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        const int first = int(std::int64_t(x) * sw / width), next = int(std::int64_t(x + 1) * sw / width);
        columns[x] = {first, std::max(1, next - first)};
    }
    std::vector<std::uint32_t> sums(3 * std::size_t(width));
    for (int y = 0; y < height; ++y) {
        const int top = int(std::int64_t(y) * sh / height);
        const int bottom = std::max(top + 1, int(std::int64_t(y + 1) * sh / height));
        std::uint8_t* out = target.ScanLine(y);
        if (bottom - top == 1 && sw <= width) {
            // Enlarged both ways: each target pixel is one source pixel, and
            // a row from the same source row as the one above is its copy.
            if (y > 0 && int(std::int64_t(y - 1) * sh / height) == top) {
                std::copy_n(target.ScanLine(y - 1), 3 * width, out);
                continue;
            }
            const std::uint8_t* row = source.ScanLine(top);
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* pixel = pixelAt(row, columns[x].first);
                out[3 * x] = pixel[0];
                out[3 * x + 1] = pixel[1];
                out[3 * x + 2] = pixel[2];
            }
            continue;
        }
        std::fill(sums.begin(), sums.end(), 0u);
        for (int sy = top; sy < bottom; ++sy) {
            const std::uint8_t* row = source.ScanLine(sy);
            for (int x = 0; x < width; ++x)
                for (int sx = columns[x].first, end = sx + columns[x].count; sx < end; ++sx) {
                    const std::uint8_t* pixel = pixelAt(row, sx);
                    for (int c = 0; c < 3; ++c) sums[3 * x + c] += pixel[c];
                }
        }
        for (int x = 0; x < width; ++x) {
            const std::uint32_t area = std::uint32_t(bottom - top) * std::uint32_t(columns[x].count);
            for (int c = 0; c < 3; ++c) out[3 * x + c] = static_cast<std::uint8_t>((sums[3 * x + c] + area / 2) / area);
        }
    }
    return target;
}

// Reads the decoded pixels where they are: true colour and 8-bit pixels
// directly, the rarer formats from a 24-bit copy. The colours are those the
// 24-bit conversion gives.
TBitmap Reduce(const TBitmap& picture, int width, int height) {
    switch (picture.PixelFormat()) {
        case TPixelFormat::pf24bit:
            return Reduce(picture, width, height, [](const std::uint8_t* row, int x) { return row + 3 * x; });
        case TPixelFormat::pf32bit:
        case TPixelFormat::pfDevice:
        case TPixelFormat::pfCustom:
            return Reduce(picture, width, height, [](const std::uint8_t* row, int x) { return row + 4 * x; });
        case TPixelFormat::pf8bit: {
            // Past the palette an index is black.
            std::vector<std::array<std::uint8_t, 3>> colours(256, {0, 0, 0});
            const auto& palette = picture.Palette();
            for (std::size_t i = 0; i < std::min<std::size_t>(palette.size(), 256); ++i) {
                const TColor c = FromRGBQuad(palette[i]);
                colours[i] = {GetBValue(c), GetGValue(c), GetRValue(c)};
            }
            return Reduce(picture, width, height,
                          [&colours](const std::uint8_t* row, int x) { return colours[row[x]].data(); });
        }
        default: {
            TBitmap converted(picture);
            converted.SetPixelFormat(TPixelFormat::pf24bit);
            return Reduce(converted, width, height);
        }
    }
}

// A GIF file's first frame, without any animation.
TBitmap FirstGifFrame(std::string bytes, int& width, int& height) {
    TGIFData data(std::move(bytes));
    data.Parse([](const std::exception&) {});  // a faulty extension does not spoil the picture
    width = data.ScreenWidth;
    height = data.ScreenHeight;
    if (data.FrameCount() == 0) return TBitmap();
    return data.Frame(0).Bitmap();
}

}  // namespace

TRect ThumbnailPlace(int width, int height) {
    const double w = width, h = height;
    const double ratio = h / CellPictureHeight >= w / CellWidth ? h / CellPictureHeight : w / CellWidth;
    if (ratio == 0) return TRect{};
    // The default rounding mode sends halves to the even neighbour.
    const int imageWidth = std::max(0, static_cast<int>(std::nearbyint(w / ratio)) - 8);
    const int imageHeight = std::max(0, static_cast<int>(std::nearbyint(h / ratio)) - 4);
    return Bounds(CellWidth / 2 - imageWidth / 2, CellPictureHeight / 2 - imageHeight / 2 + 2, imageWidth,
                  imageHeight);
}

TRect IconPlace(int width, int height) {
    return Bounds(CellWidth / 2 - width / 2, CellPictureHeight / 2 - height / 2 + 2, width, height);
}

bool IconName(const std::string& path) { return Contains(LowerCase(ExtractFileName(path)), ".ico"); }

TCellSource LoadCellSource(const std::string& path, const TCancelToken& cancel) {
    cancel.ThrowIfCancelled();
    const std::string name = LowerCase(ExtractFileName(path));
    TCellSource source;
    CheckPictureFileSize(path);
    std::string bytes = ReadFileBytes(path);
    // Animated kinds run timers, which workers may not: an animated WebP is
    // read by the still WebP picture (its first frame), a GIF here.
    std::unique_ptr<TGraphic> graphic = TPicture::CreateForContent(bytes, path, TPicture::TKinds::StillOnly);
    if (!graphic) {
        source.Pixels = FirstGifFrame(std::move(bytes), source.Width, source.Height);
    } else if (auto* still = dynamic_cast<TLibraryImage*>(graphic.get())) {
        // The cheap way to a picture about the cell's size, where the format has one.
        still->Load(std::move(bytes), TDecodeRequest{&cancel, CellWidth, CellPictureHeight});
        source.Width = still->FullWidth();
        source.Height = still->FullHeight();
        source.Pixels = still->Bitmap();
    } else {
        graphic->LoadFromBytes(std::move(bytes));
        source.ImageWidth = graphic->Width();
        source.ImageHeight = graphic->Height();
        auto* jpeg = dynamic_cast<TJPEGImage*>(graphic.get());
        if (jpeg && JpegName(name)) jpeg->SetScale(TJPEGScale::jsEighth);
        source.Width = graphic->Width();
        source.Height = graphic->Height();
        if (IconName(path) && dynamic_cast<TIcon*>(graphic.get())) {
            source.Icon = std::move(graphic);
            return source;
        }
        if (jpeg) {
            jpeg->DIBNeeded(cancel);
            source.Pixels = jpeg->Bitmap();
        } else if (auto* bitmap = dynamic_cast<TBitmap*>(graphic.get())) {
            source.Pixels = std::move(*bitmap);
        } else {
            source.Pixels.Assign(*graphic);
        }
    }
    if (source.ImageWidth == 0) {
        source.ImageWidth = source.Width;
        source.ImageHeight = source.Height;
    }
    cancel.ThrowIfCancelled();
    return source;
}

// The decoder's eighth is rounded up, as libjpeg rounds it.
TCellSource KeptCellSource(const std::string& path, TBitmap picture, int imageWidth, int imageHeight) {
    TCellSource source;
    if (imageWidth > 0 && imageHeight > 0) {
        const bool eighth = JpegName(LowerCase(ExtractFileName(path)));
        source.ImageWidth = imageWidth;
        source.ImageHeight = imageHeight;
        source.Width = eighth ? (imageWidth + 7) / 8 : imageWidth;
        source.Height = eighth ? (imageHeight + 7) / 8 : imageHeight;
    } else {
        source.Width = source.ImageWidth = picture.Width();
        source.Height = source.ImageHeight = picture.Height();
    }
    source.Pixels = std::move(picture);
    return source;
}

TThumbnail FitToCell(TCellSource source) {
    TThumbnail thumbnail;
    if (source.Icon) {
        thumbnail.Place = IconPlace(source.Width, source.Height);
        thumbnail.Picture = std::move(source.Icon);
        return thumbnail;
    }
    thumbnail.Place = ThumbnailPlace(source.Width, source.Height);
    if (thumbnail.Place.Width() > 0 && thumbnail.Place.Height() > 0 && !source.Pixels.Empty())
        thumbnail.Picture =
            std::make_unique<TBitmap>(Reduce(source.Pixels, thumbnail.Place.Width(), thumbnail.Place.Height()));
    return thumbnail;
}

TThumbnail MakeThumbnail(const std::string& path, const TCancelToken& cancel) {
    return FitToCell(LoadCellSource(path, cancel));
}

}  // namespace lumvex
