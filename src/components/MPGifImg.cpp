#include "components/MPGifImg.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "platform/SysUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/services/Application.h"

namespace lumvex {
namespace {

// Created by the first GIF image, freed with the last one's trigger.
std::unique_ptr<TMPTimerPool> Pool;

void ShowExtensionError(const std::exception& error) { Application.ShowException(error); }

}  // namespace

TMPTimerPool* GIFTimerPool() { return Pool.get(); }

void RegisterGIFImage() {
    TPicture::RegisterFileFormat("gif", "Graphics Interchange Format", [] { return std::make_unique<TGIFImage>(); });
}

TGIFImage::TGIFImage() { AddTrigger(); }

TGIFImage::TGIFImage(const TGIFImage& other)
    : TGraphic(other), data_(other.data_), currentFrame_(other.currentFrame_), tile_(other.tile_) {
    AddTrigger();
}

void TGIFImage::AddTrigger() {
    if (!Pool) {
        Pool = std::make_unique<TMPTimerPool>();
        Pool->DefEnabled = false;  // animations start switched off
    }
    triggerHandle_ = Pool->AddTrigger(10, -1, [this](TMPTimerPool&, int, int, int) { NextFrame(); });
}

TGIFImage::~TGIFImage() {
    if (!Pool || triggerHandle_ == -1) return;
    Pool->RemoveTrigger(triggerHandle_);
    if (Pool->TriggerCount() == 0) Pool.reset();
}

void TGIFImage::Draw(TCanvas& canvas, const TRect& rect) const {
    if (currentFrame_ < 0 || currentFrame_ >= FrameCount()) return;
    const TBitmap& bitmap = data_->Frame(currentFrame_).Bitmap();
    if (bitmap.Empty()) return;
    if (!tile_) {
        canvas.StretchDraw(rect, bitmap);
        return;
    }
    if (rect.Right <= 0 || rect.Bottom <= 0) return;
    // Once the first tile is drawn, copying it within a true-colour target
    // is far cheaper than drawing the paletted frame again for every tile.
    canvas.Draw(0, 0, bitmap);
    const TBitmap* target = canvas.Bitmap();
    const bool copy = target && target->BitsPerPixel() >= 15 && canvas.CopyMode == TCopyMode::cmSrcCopy;
    const TRect first = Rect(0, 0, bitmap.Width(), bitmap.Height());
    for (int y = 0; y < rect.Bottom; y += bitmap.Height())
        for (int x = 0; x < rect.Right; x += bitmap.Width()) {
            if (x == 0 && y == 0) continue;
            if (copy)
                canvas.CopyRect(Bounds(x, y, first.Right, first.Bottom), *target, first);
            else
                canvas.Draw(x, y, bitmap);
        }
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
    if (Pool && triggerHandle_ != -1 && index >= 0) Pool->SetTriggerInterval(triggerHandle_, Frame(index).Delay * 10);
    Changed();
}

void TGIFImage::SetAnimate(bool animate) {
    if (Pool && triggerHandle_ != -1) Pool->SetTriggerEnabled(triggerHandle_, animate);
}

bool TGIFImage::Animate() const { return Pool && triggerHandle_ != -1 && Pool->Trigger(triggerHandle_).Enabled(); }

void TGIFImage::SetDelays(int delay) {
    for (int i = 0; i < FrameCount(); ++i) data_->Frame(i).Delay = delay;
}

void TGIFImage::NextFrame() {
    SetCurrentFrame(currentFrame_ >= FrameCount() - 1 ? 0 : currentFrame_ + 1);
}

}  // namespace lumvex
