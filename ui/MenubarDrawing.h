#pragma once

namespace platform {
class Canvas;
}

// The slot that the last menubar drawing showed highlighted, -1 when none (main thread).
inline int gDrawnMenuHighlight = -1;
void ResetMenubarDrawing();

// The menubar of the current mode. With onlyIfChanged nothing is drawn while the highlighted
// slot is the one drawn last.
void DrawMenubar(platform::Canvas& canvas, bool onlyIfChanged);
// Has the menubar redrawn at the end of this loop pass.
void DrawMenubar(bool onlyIfChanged);
