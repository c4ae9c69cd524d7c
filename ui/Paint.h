#pragma once

namespace platform {
class Canvas;
struct Rect;
} // namespace platform

// Draws the whole screen from the current state into the back buffer.
void PaintMainScreen(platform::Canvas& canvas);

// The skin's background picture stretched over the whole screen; a dark fill while the skin
// has no background picture.
void DrawBackground(platform::Canvas& canvas);
// Puts the background back into one region of the screen. A region redrawn on its own with
// transparent text (the folder header line, the clock) would otherwise blend its smoothed
// letters over those of the last drawing, and a hidden control would leave its picture behind.
void RestoreBackground(platform::Canvas& canvas, const platform::Rect& region);

// Drops the stretched background kept for restoring regions; the next paint makes it anew.
void ResetPaintCache();
