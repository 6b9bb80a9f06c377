#include "components/MPGifImg.h"

#include <algorithm>
#include <istream>
#include <mutex>
#include <ostream>

#include "platform/SysUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/services/Application.h"
#include "components/MPAnimation.h"
#include "components/WebPAnimation.h"

namespace lumvex {
namespace {

void ShowExtensionError(const std::exception& error) { Application.ShowException(error); }

}  // namespace

TMPTimerPool* GIFTimerPool() { return AnimationPool(); }

void RegisterGIFImage() {
    static std::once_flag registered;
    std::call_once(registered, [] {
        auto make = [] { return std::make_unique<TGIFImage>(); };
        TPicture::RegisterFileFormat("gif", "Graphics Interchange Format", make, true);
        TPicture::RegisterSignature(
            [](std::string_view bytes) { return bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a"; },
            make, true);
        // The other animated kind registers with it, so that every start that
        // makes GIF images play makes WebP animations play too.
        RegisterWebPAnimation();
    });
}

TGIFImage::TGIFImage() { AddTrigger(); }

TGIFImage::TGIFImage(const TGIFImage& other)
    : TGraphic(other), data_(other.data_), currentFrame_(other.currentFrame_), tile_(other.tile_) {
    AddTrigger();
}

void TGIFImage::AddTrigger() {
    triggerHandle_ = AddAnimationTrigger([this](TMPTimerPool&, int, int, int) { NextFrame(); });
}

TGIFImage::~TGIFImage() { RemoveAnimationTrigger(triggerHandle_); }

void TGIFImage::Draw(TCanvas& canvas, const TRect& rect) const {
    if (currentFrame_ < 0 || currentFrame_ >= FrameCount()) return;
    DrawAnimationFrame(canvas, rect, data_->Frame(currentFrame_).Bitmap(), tile_);
}

void TGIFImage::LoadFromBytes(std::string bytes) {
    auto data = std::make_shared<TGIFData>(std::move(bytes));
    data->Parse(ShowExtensionError);
    data_ = std::move(data);
    currentFrame_ = -1;
    SetCurrentFrame(0);
}

std::string TGIFImage::SaveToBytes() const {
    if (Empty()) throw EInvalidGraphicOperation("No GIF data");
    return data_->Stream.Bytes();
}

void TGIFImage::Assign(const TGraphic& source) {
    const auto* gif = dynamic_cast<const TGIFImage*>(&source);
    if (!gif) throw EInvalidGraphicOperation(std::string("Cannot assign to ") + source.ClassName());
    data_ = gif->data_;
    currentFrame_ = gif->currentFrame_;
    Changed();
}

void TGIFImage::Clear() {
    data_ = std::make_shared<TGIFData>();
    currentFrame_ = -1;
    Changed();
}

void TGIFImage::ReadData(std::istream& stream) {
    unsigned char size[4];
    if (!stream.read(reinterpret_cast<char*>(size), 4)) throw EReadError("Stream read error");
    const std::size_t length = size[0] | (size[1] << 8) | (size[2] << 16) | (std::size_t(size[3]) << 24);
    std::string bytes;
    // Grows with what the stream really holds instead of trusting the length.
    char chunk[65536];
    while (bytes.size() < length) {
        const std::size_t n = std::min(sizeof chunk, length - bytes.size());
        if (!stream.read(chunk, static_cast<std::streamsize>(n))) throw EReadError("Stream read error");
        bytes.append(chunk, n);
    }
    LoadFromBytes(std::move(bytes));
}

void TGIFImage::WriteData(std::ostream& stream) const {
    const std::string& bytes = data_->Stream.Bytes();
    const std::uint32_t length = static_cast<std::uint32_t>(bytes.size());
    const char size[4] = {static_cast<char>(length), static_cast<char>(length >> 8), static_cast<char>(length >> 16),
                          static_cast<char>(length >> 24)};
    stream.write(size, 4);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream) throw EWriteError("Stream write error");
}

int TGIFImage::FrameCount() const {
    if (Empty()) return 0;
    data_->Parse(ShowExtensionError);
    return data_->FrameCount();
}

void TGIFImage::SetCurrentFrame(int index) {
    if (Empty()) return;
    index = std::max(0, std::min(index, FrameCount() - 1));
    if (FrameCount() == 0) index = -1;
    if (index == currentFrame_) return;
    currentFrame_ = index;
    if (AnimationPool() && triggerHandle_ != -1 && index >= 0)
        AnimationPool()->SetTriggerInterval(triggerHandle_, Frame(index).Delay * 10);
    Changed();
}

void TGIFImage::SetAnimate(bool animate) {
    if (AnimationPool() && triggerHandle_ != -1) AnimationPool()->SetTriggerEnabled(triggerHandle_, animate);
}

bool TGIFImage::Animate() const {
    return AnimationPool() && triggerHandle_ != -1 && AnimationPool()->Trigger(triggerHandle_).Enabled();
}

void TGIFImage::SetDelays(int delay) {
    for (int i = 0; i < FrameCount(); ++i) data_->Frame(i).Delay = delay;
}

void TGIFImage::NextFrame() {
    SetCurrentFrame(currentFrame_ >= FrameCount() - 1 ? 0 : currentFrame_ + 1);
}

}  // namespace lumvex
