#pragma once

#include <cstdint>
#include <functional>

namespace platform {
class Canvas;
}

// Regions of the window that a routine has redrawn without a full paint. Marking a region
// asks the main loop to draw it at the end of the current pass; everything marked in one pass
// is drawn together and presented once. A full paint in the same pass draws every region
// itself, so the marks are then dropped. Main thread only.
enum class ScreenRegion : std::uint32_t {
    Menubar = 1u << 0,
    MenubarHighlight = 1u << 1, // the menubar, only if the highlighted slot has changed
    TitlebarList = 1u << 2,
    Scrollbar = 1u << 3,
    HeaderBar = 1u << 4,
    StatusLine = 1u << 5,
    StatusText = 1u << 6,
    ProgressText = 1u << 7,
    VideoPanel = 1u << 8,
    TitleAnimation = 1u << 9, // the next step of the playing title's icon
};

// The back buffer of the main window; null when there is no window (unit tests).
platform::Canvas* ScreenCanvas();
// Shows the back buffer in the window.
void PresentScreen();
// Draws one region into the back buffer and presents it at once; does nothing without a
// window. Only for what must show while the loop is blocked (a search in progress).
void RedrawOnScreen(const std::function<void(platform::Canvas&)>& draw);

// Marks a region for the end of this loop pass; does nothing without a window.
void MarkForRepaint(ScreenRegion region);
// Draws the marked regions (bits of ScreenRegion) in a fixed order; the caller presents.
void PaintMarkedRegions(platform::Canvas& canvas, std::uint32_t regions);
