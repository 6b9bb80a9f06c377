#include "components/WebPAnimation.h"

#include <algorithm>

#include "components/MPAnimation.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Picture.h"

namespace lumvex {

void RegisterWebPAnimation() {
    TPicture::RegisterSignature(IsAnimatedWebPData, [] { return std::make_unique<TWebPAnimation>(); }, true);
}

TWebPAnimation::TWebPAnimation() {
    triggerHandle_ = AddAnimationTrigger([this](TMPTimerPool&, int, int, int) { NextFrame(); });
}

TWebPAnimation::TWebPAnimation(const TWebPAnimation& other) : TWebPAnimation() {
    TGraphic::operator=(other);
    tile_ = other.tile_;
    Assign(other);
}

TWebPAnimation::~TWebPAnimation() { RemoveAnimationTrigger(triggerHandle_); }

void TWebPAnimation::Draw(TCanvas& canvas, const TRect& rect) const {
    if (frames_ && frames_->Index() >= 0) DrawAnimationFrame(canvas, rect, frames_->Frame(), tile_);
}

void TWebPAnimation::LoadFromBytes(std::string bytes) {
    auto frames = std::make_unique<TWebPFrames>(std::move(bytes));
    frames->Seek(0);
    std::vector<int> delays;
    delays.reserve(std::size_t(frames->FrameCount()));
    for (int i = 0; i < frames->FrameCount(); ++i) delays.push_back(std::min(frames->Duration(i) / 100, 30));
    frames_ = std::move(frames);
    delays_ = std::move(delays);
    if (AnimationPool()) AnimationPool()->SetTriggerInterval(triggerHandle_, delays_[0] * 10);
    Changed();
}

std::string TWebPAnimation::SaveToBytes() const {
    if (!frames_) throw EInvalidGraphicOperation("No WebP data");
    return frames_->Bytes();
}

void TWebPAnimation::Assign(const TGraphic& source) {
    const auto* animation = dynamic_cast<const TWebPAnimation*>(&source);
    if (!animation) throw EInvalidGraphicOperation(std::string("Cannot assign to ") + source.ClassName());
    if (!animation->frames_) {
        frames_.reset();
        delays_.clear();
        Changed();
        return;
    }
    auto frames = std::make_unique<TWebPFrames>(animation->frames_->Bytes());
    frames->Seek(std::max(0, animation->CurrentFrame()));
    frames_ = std::move(frames);
    delays_ = animation->delays_;
    Changed();
}

void TWebPAnimation::SetCurrentFrame(int index) {
    if (!frames_) return;
    index = std::clamp(index, 0, frames_->FrameCount() - 1);
    if (index == frames_->Index()) return;
    frames_->Seek(index);
    if (AnimationPool()) AnimationPool()->SetTriggerInterval(triggerHandle_, delays_[std::size_t(frames_->Index())] * 10);
    Changed();
}

void TWebPAnimation::SetDelays(int delay) { std::fill(delays_.begin(), delays_.end(), delay); }

void TWebPAnimation::SetAnimate(bool animate) {
    if (AnimationPool()) AnimationPool()->SetTriggerEnabled(triggerHandle_, animate);
}

bool TWebPAnimation::Animate() const { return AnimationPool() && AnimationPool()->Trigger(triggerHandle_).Enabled(); }

// A frame that fails to decode shortens the animation; it goes on from the start.
void TWebPAnimation::NextFrame() {
    if (!frames_) return;
    const int next = frames_->Index() + 1;
    SetCurrentFrame(next >= frames_->FrameCount() ? 0 : next);
}

}  // namespace lumvex
