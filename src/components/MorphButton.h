#pragma once
// The image button of every window: it shows MorphPic1 and, while the mouse
// is over it, cross-fades to MorphPic2 (and back when the mouse leaves). It
// raises OnClick and OnDblClick; its mouse-down, -move and -up events never run.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/controls/Control.h"
#include "platform/controls/Timer.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Picture.h"

namespace lumvex {

enum class TMorphState { Idle, FadingIn, FadingOut };

// display := (snapshot · (32 − alpha) + target · alpha) >> 5 for every byte,
// rows' padding included, four bytes at a time. The three bitmaps must share
// size and pixel format; alpha is 0..32.
void BlendFrames(const TBitmap& snapshot, const TBitmap& target, TBitmap& display, int alpha);

class TMorphButton : public TCustomControl {
public:
    explicit TMorphButton(TWinControl* parent);
    ~TMorphButton() override;

    // Fills a new button's two pictures (the program's default button
    // artwork); set once at start-up by whoever holds the resources.
    static std::function<void(TPicture& picture1, TPicture& picture2)> LoadDefaultPictures;

    // Changing a picture (also through the reference) re-renders the frames,
    // except while the pictures are exchanged for a fade-out.
    TPicture& MorphPic1() { return *pic1_; }
    TPicture& MorphPic2() { return *pic2_; }
    void SetMorphPic1(const TPicture& picture);
    void SetMorphPic2(const TPicture& picture);
    bool TransPic1() const { return transPic1_; }
    void SetTransPic1(bool on);
    TColor TransCol1() const { return transCol1_; }
    void SetTransCol1(TColor color);
    bool TransPic2() const { return transPic2_; }
    void SetTransPic2(bool on);
    TColor TransCol2() const { return transCol2_; }
    void SetTransCol2(TColor color);
    TColor MorphColor1() const { return morphColor1_; }
    void SetMorphColor1(TColor color);
    TColor MorphColor2() const { return morphColor2_; }
    void SetMorphColor2(TColor color);
    std::uint8_t MorphStep1() const { return morphStep1_; }
    void SetMorphStep1(std::uint8_t step) { morphStep1_ = step; }
    std::uint8_t MorphStep2() const { return morphStep2_; }
    void SetMorphStep2(std::uint8_t step) { morphStep2_ = step; }
    bool StretchToFit() const { return stretchToFit_; }
    void SetStretchToFit(bool on);
    bool ProcessMsgs() const { return processMsgs_; }
    void SetProcessMsgs(bool on) { processMsgs_ = on; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // Re-renders the frames from the pictures; needed after writing pixels
    // straight into the pictures' bitmaps, which raises no change.
    void Rebuild();

    // One animation step, as the button's timer runs it.
    void Tick();
    TMorphState State() const { return state_; }
    int Position() const { return position_; }
    bool Swapped() const { return swapped_; }
    // The timer runs only while a fade is under way.
    bool TimerRunning() const { return timer_.Enabled(); }
    const TBitmap& DisplayFrame() const { return display_; }
    const TBitmap& TargetFrame() const { return target_; }
    const TBitmap& SnapshotFrame() const { return snapshot_; }

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void BoundsChanged() override;
    void FontChanged() override;

private:
    void FadeIn();
    void FadeOut();
    void TakeSnapshot();
    static void RenderFrame(TBitmap& frame, TColor fill, const TPicture& picture, TColor iconBack, int width,
                            int height);
    void PictureChanged();
    void HookPictures();

    std::unique_ptr<TPicture> pic1_;
    std::unique_ptr<TPicture> pic2_;
    bool transPic1_ = true;
    TColor transCol1_ = clFuchsia;
    bool transPic2_ = true;
    TColor transCol2_ = clFuchsia;
    TColor morphColor1_ = clBlack;
    TColor morphColor2_ = clWhite;
    std::uint8_t morphStep1_ = 10;
    std::uint8_t morphStep2_ = 2;
    bool stretchToFit_ = true;
    bool processMsgs_ = true;
    std::string caption_;

    TBitmap display_;
    TBitmap target_;
    TBitmap snapshot_;
    TColor displayFill_ = clFuchsia;
    TColor targetFill_ = clWhite;
    TMorphState state_ = TMorphState::Idle;
    int position_ = 0;
    bool swapped_ = false;
    bool savedStretch_ = true;
    bool rebuilding_ = false;
    TTimer timer_;
    // Lets a tick notice that the button was freed while it processed messages.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace lumvex
