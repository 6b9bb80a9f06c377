#include "components/MPAnimation.h"

#include <memory>

#include "platform/graphics/Canvas.h"

namespace lumvex {
namespace {

// Created by the first animated picture, freed with the last one's trigger.
std::unique_ptr<TMPTimerPool> Pool;

}  // namespace

int AddAnimationTrigger(TMPTriggerEvent handler) {
    if (!Pool) {
        Pool = std::make_unique<TMPTimerPool>();
        Pool->DefEnabled = false;  // animations start switched off
    }
    return Pool->AddTrigger(10, -1, std::move(handler));
}

void RemoveAnimationTrigger(int handle) {
    if (!Pool || handle == -1) return;
    Pool->RemoveTrigger(handle);
    if (Pool->TriggerCount() == 0) Pool.reset();
}

TMPTimerPool* AnimationPool() { return Pool.get(); }

void DrawAnimationFrame(TCanvas& canvas, const TRect& rect, const TBitmap& frame, bool tile) {
    if (frame.Empty()) return;
    if (!tile) {
        canvas.StretchDraw(rect, frame);
        return;
    }
    if (rect.Right <= 0 || rect.Bottom <= 0) return;
    // Once the first tile is drawn, copying it within a true-colour target
    // is far cheaper than drawing the frame again for every tile.
    canvas.Draw(0, 0, frame);
    const TBitmap* target = canvas.Bitmap();
    const bool copy = target && target->BitsPerPixel() >= 15 && canvas.CopyMode == TCopyMode::cmSrcCopy;
    const TRect first = Rect(0, 0, frame.Width(), frame.Height());
    for (int y = 0; y < rect.Bottom; y += frame.Height())
        for (int x = 0; x < rect.Right; x += frame.Width()) {
            if (x == 0 && y == 0) continue;
            if (copy)
                canvas.CopyRect(Bounds(x, y, first.Right, first.Bottom), *target, first);
            else
                canvas.Draw(x, y, frame);
        }
}

}  // namespace lumvex
