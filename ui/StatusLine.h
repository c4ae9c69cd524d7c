#pragma once

namespace platform {
class Canvas;
}

// Each drawing routine has two forms: one that draws into the given canvas (the full paint and
// tests), and one without arguments that has that region of the window redrawn at the end of
// this loop pass (callers that change only this region).

// The whole status line: status text, progress and the media buttons picture.
void DrawStatusLine(platform::Canvas& canvas);
void DrawStatusLine();
// Only the text part of the status line.
void DrawStatusText(platform::Canvas& canvas);
void DrawStatusText();
// Only the progress part of the status line.
void DrawProgressText(platform::Canvas& canvas);
void DrawProgressText();
