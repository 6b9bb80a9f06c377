#pragma once
// What every animated picture shares: the one timer pool that drives them
// all, and the way a frame is drawn stretched or tiled.
#include "components/MPTimer.h"
#include "platform/Types.h"
#include "platform/graphics/Bitmap.h"

namespace lumvex {

class TCanvas;

// Adds a trigger, switched off, to the animations' pool, which the first
// trigger creates; returns its handle.
int AddAnimationTrigger(TMPTriggerEvent handler);
// Removes a trigger; the pool goes with the last one.
void RemoveAnimationTrigger(int handle);
// The pool; nullptr while no animated picture exists.
TMPTimerPool* AnimationPool();

// Stretches frame over rect or, with tile, repeats it from the canvas origin
// until rect is covered.
void DrawAnimationFrame(TCanvas& canvas, const TRect& rect, const TBitmap& frame, bool tile);

}  // namespace lumvex
