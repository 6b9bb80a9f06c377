#pragma once
// The GIF picture: keeps the file's bytes, decodes every frame when loaded,
// draws the current frame stretched or tiled, and animates by stepping the
// current frame from a trigger of the process's shared timer pool.
#include <iosfwd>
#include <memory>

#include "components/MPGifData.h"
#include "components/MPTimer.h"
#include "platform/graphics/Graphic.h"

namespace lumvex {

class TGIFImage : public TGraphic {
public:
    TGIFImage();
    // A copy shares the other image's data and has a trigger of its own.
    TGIFImage(const TGIFImage& other);
    TGIFImage& operator=(const TGIFImage&) = delete;
    ~TGIFImage() override;

    const char* ClassName() const override { return "TGIFImage"; }
    // The logical screen's size; 0 without data.
    int Width() const override { return data_->ScreenWidth; }
    int Height() const override { return data_->ScreenHeight; }
    bool Empty() const override { return data_->Stream.Size() == 0; }

    // Stretches the current frame over rect or, with Tile, repeats it from
    // the canvas origin until rect is covered. A frame without an image draws nothing.
    void Draw(TCanvas& canvas, const TRect& rect) const override;
    // Keeps the bytes and decodes every frame; on an error the old picture stays.
    void LoadFromBytes(std::string bytes) override;
    // The file's bytes unchanged; "No GIF data" without any.
    std::string SaveToBytes() const override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TGIFImage>(*this); }
    // From another GIF image: share its data and take its current frame.
    // Any other picture raises "Cannot assign to %s".
    void Assign(const TGraphic& source) override;
    // Drops the data (assigning nothing).
    void Clear();

    // The stored form: a 4-byte length, then the file's bytes.
    void ReadData(std::istream& stream);
    void WriteData(std::ostream& stream) const;

    int FrameCount() const;
    // Raises "Invalid frame number %d (0..%d)" outside the frames.
    const TGIFFrame& Frame(int index) const { return data_->Frame(index); }
    const TGIFData& GIFData() const { return *data_; }

    int CurrentFrame() const { return currentFrame_; }
    // Clamps the index to the frames, times the trigger to the frame's delay
    // and signals a change when the frame is a new one.
    void SetCurrentFrame(int index);
    // Switches the image's trigger on or off.
    void SetAnimate(bool animate);
    bool Animate() const;
    bool Tile() const { return tile_; }
    void SetTile(bool tile) { tile_ = tile; }
    // Sets every frame's delay (tens of milliseconds).
    void SetDelays(int delay);

    int TriggerHandle() const { return triggerHandle_; }

private:
    void AddTrigger();
    void NextFrame();

    std::shared_ptr<TGIFData> data_ = std::make_shared<TGIFData>();
    int currentFrame_ = -1;
    bool tile_ = false;
    int triggerHandle_ = -1;
};

// The pool that drives every animation, GIF or WebP; nullptr while no
// animated picture exists.
TMPTimerPool* GIFTimerPool();

// Makes pictures load GIF files (told by content, else by the ".gif"
// extension) as TGIFImage, and animated WebP files as TWebPAnimation; the
// program calls it once at start.
void RegisterGIFImage();

}  // namespace lumvex
