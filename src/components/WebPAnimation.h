#pragma once
// The animated WebP picture: plays its frames from a trigger of the shared
// animation pool, with the timing rules of the GIF image. Frames are decoded
// one at a time as they are shown, so an animation of thousands of frames
// costs one frame's time and memory to load.
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Graphic.h"
#include "platform/graphics/WebP.h"

namespace lumvex {

class TWebPAnimation : public TGraphic {
public:
    TWebPAnimation();
    // A copy reads the other's file anew, at the other's frame, with a trigger of its own.
    TWebPAnimation(const TWebPAnimation& other);
    TWebPAnimation& operator=(const TWebPAnimation&) = delete;
    ~TWebPAnimation() override;

    const char* ClassName() const override { return "TWebPAnimation"; }
    int Width() const override { return frames_ ? frames_->Width() : 0; }
    int Height() const override { return frames_ ? frames_->Height() : 0; }

    // The current frame stretched over rect, or tiled with Tile; where the
    // frame is transparent it shows black, as on the viewer's display.
    void Draw(TCanvas& canvas, const TRect& rect) const override;
    // Reads the frame list and decodes the first frame; on an error the old picture stays.
    void LoadFromBytes(std::string bytes) override;
    // The file's bytes unchanged; "No WebP data" without any.
    std::string SaveToBytes() const override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TWebPAnimation>(*this); }
    // From another WebP animation; any other picture raises "Cannot assign to %s".
    void Assign(const TGraphic& source) override;

    bool HasAlpha() const { return frames_ && frames_->HasAlpha(); }
    int FrameCount() const { return frames_ ? frames_->FrameCount() : 0; }
    int CurrentFrame() const { return frames_ ? frames_->Index() : -1; }
    // Clamps the index to the frames, decodes that frame, times the trigger
    // to its delay and signals a change when the frame is a new one.
    void SetCurrentFrame(int index);
    // A frame's delay in tens of milliseconds, from the file's duration as a
    // GIF frame's delay is from its delay time: a tenth of its hundredths of a
    // second, at most 30.
    int Delay(int index) const { return delays_.at(std::size_t(index)); }
    // Sets every frame's delay (tens of milliseconds).
    void SetDelays(int delay);
    void SetAnimate(bool animate);
    bool Animate() const;
    bool Tile() const { return tile_; }
    void SetTile(bool tile) { tile_ = tile; }

    int TriggerHandle() const { return triggerHandle_; }

private:
    void NextFrame();

    std::unique_ptr<TWebPFrames> frames_;
    std::vector<int> delays_;
    bool tile_ = false;
    int triggerHandle_ = -1;
};

// Makes pictures load animated WebP files as TWebPAnimation (told by content).
void RegisterWebPAnimation();

}  // namespace lumvex
