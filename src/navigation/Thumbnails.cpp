#include "navigation/Thumbnails.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "components/MPGifData.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/LibraryImage.h"
#include "platform/graphics/Picture.h"

namespace lumvex {
namespace {

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The average of each target pixel's share of the source (a single source
// pixel when enlarging), as a 24-bit bitmap.
TBitmap Reduce(const TBitmap& picture, int width, int height) {
    TBitmap source(picture);
    if (source.PixelFormat() != TPixelFormat::pf24bit) source.SetPixelFormat(TPixelFormat::pf24bit);
    TBitmap target(width, height, TPixelFormat::pf24bit);
    const int sw = source.Width(), sh = source.Height();
    std::vector<int> columns(width + 1);
    for (int x = 0; x <= width; ++x) columns[x] = int(std::int64_t(x) * sw / width);
    std::vector<std::uint32_t> sums(3 * std::size_t(width));
    for (int y = 0; y < height; ++y) {
        const int top = int(std::int64_t(y) * sh / height);
        const int bottom = std::max(top + 1, int(std::int64_t(y + 1) * sh / height));
        std::fill(sums.begin(), sums.end(), 0u);
        for (int sy = top; sy < bottom; ++sy) {
            const std::uint8_t* row = source.ScanLine(sy);
            for (int x = 0; x < width; ++x) {
                const int right = std::max(columns[x] + 1, columns[x + 1]);
                for (int sx = columns[x]; sx < right; ++sx)
                    for (int c = 0; c < 3; ++c) sums[3 * x + c] += row[3 * sx + c];
            }
        }
        std::uint8_t* out = target.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t area =
                std::uint32_t(bottom - top) * std::uint32_t(std::max(columns[x] + 1, columns[x + 1]) - columns[x]);
            for (int c = 0; c < 3; ++c) out[3 * x + c] = static_cast<std::uint8_t>((sums[3 * x + c] + area / 2) / area);
        }
    }
    return target;
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

TThumbnail MakeThumbnail(const std::string& path, const TCancelToken& cancel) {
    cancel.ThrowIfCancelled();
    const std::string name = LowerCase(ExtractFileName(path));
    TThumbnail thumbnail;
    int width = 0, height = 0;
    TBitmap pixels;
    CheckPictureFileSize(path);
    std::string bytes = ReadFileBytes(path);
    // Animated kinds run timers, which workers may not: an animated WebP is
    // read by the still WebP picture (its first frame), a GIF here.
    std::unique_ptr<TGraphic> graphic = TPicture::CreateForContent(bytes, path, TPicture::TKinds::StillOnly);
    if (!graphic) {
        pixels = FirstGifFrame(std::move(bytes), width, height);
    } else if (auto* still = dynamic_cast<TLibraryImage*>(graphic.get())) {
        // The cheap way to a picture about the cell's size, where the format has one.
        still->Load(std::move(bytes), TDecodeRequest{&cancel, CellWidth, CellPictureHeight});
        width = still->FullWidth();
        height = still->FullHeight();
        pixels = still->Bitmap();
    } else {
        graphic->LoadFromBytes(std::move(bytes));
        auto* jpeg = dynamic_cast<TJPEGImage*>(graphic.get());
        if (jpeg && (Contains(name, ".jpeg") || Contains(name, ".jpg"))) jpeg->SetScale(TJPEGScale::jsEighth);
        width = graphic->Width();
        height = graphic->Height();
        if (Contains(name, ".ico") && dynamic_cast<TIcon*>(graphic.get())) {
            thumbnail.Place = IconPlace(width, height);
            thumbnail.Picture = std::move(graphic);
            return thumbnail;
        }
        if (jpeg) {
            jpeg->DIBNeeded(cancel);
            pixels = jpeg->Bitmap();
        } else if (auto* bitmap = dynamic_cast<TBitmap*>(graphic.get())) {
            pixels = std::move(*bitmap);
        } else {
            pixels.Assign(*graphic);
        }
    }
    cancel.ThrowIfCancelled();
    thumbnail.Place = ThumbnailPlace(width, height);
    if (thumbnail.Place.Width() > 0 && thumbnail.Place.Height() > 0 &&
        !pixels.Empty())
        thumbnail.Picture = std::make_unique<TBitmap>(
            Reduce(pixels, thumbnail.Place.Width(), thumbnail.Place.Height()));
    return thumbnail;
}

}  // namespace lumvex
