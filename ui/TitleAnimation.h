#pragma once

namespace platform {
class Canvas;
}

// The list icon of the title being played swings back and forth in twelve steps. Main thread
// only.

// The step drawn next, 0..11.
inline int gTitleAnimationStep = 0;
// Back to the first step, as at start-up.
void ResetTitleAnimation();

// Handler of Timer_AnimateCurrentTitle: has the next step drawn at the end of this loop pass
// while the playing title's row is on screen.
void Timer_AnimateCurrentTitleTimer();
// Draws the current step over the playing title's icon and moves on to the next step; draws
// nothing and keeps the step while no playing title's row is on screen (another folder, a
// paused title, a mode without the playing title in its list).
void DrawTitleAnimation(platform::Canvas& canvas);
