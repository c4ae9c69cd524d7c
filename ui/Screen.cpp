#include "ui/Screen.h"

#include "app/MainformParts.h"
#include "playback/Video.h"
#include "ui/HeaderBar.h"
#include "ui/MenubarDrawing.h"
#include "ui/StatusLine.h"
#include "ui/TitleAnimation.h"
#include "ui/TitlebarList.h"

platform::Canvas* ScreenCanvas() {
    platform::Window* window = Mainform().window();
    return window ? &window->canvas() : nullptr;
}

void PresentScreen() {
    if (platform::Window* window = Mainform().window())
        window->present();
}

void RedrawOnScreen(const std::function<void(platform::Canvas&)>& draw) {
    if (platform::Canvas* canvas = ScreenCanvas()) {
        draw(*canvas);
        PresentScreen();
    }
}

void MarkForRepaint(ScreenRegion region) {
    if (Mainform().window())
        Mainform().loop().requestUpdate(static_cast<std::uint32_t>(region));
}

namespace {

// The window's own regions that were marked; the whole menubar covers a changed highlight and
// the whole status line its two text parts.
void paintWindowRegions(platform::Canvas& canvas, std::uint32_t regions) {
    const auto marked = [regions](ScreenRegion region) {
        return (regions & static_cast<std::uint32_t>(region)) != 0;
    };
    if (marked(ScreenRegion::Menubar))
        DrawMenubar(canvas, false);
    else if (marked(ScreenRegion::MenubarHighlight))
        DrawMenubar(canvas, true);
    if (marked(ScreenRegion::TitlebarList))
        DrawTitlebarList(canvas);
    // Over a list redrawn in the same pass.
    if (marked(ScreenRegion::TitleAnimation))
        DrawTitleAnimation(canvas);
    if (marked(ScreenRegion::Scrollbar))
        DrawScrollbar(canvas);
    if (marked(ScreenRegion::HeaderBar))
        DrawHeaderBar(canvas);
    if (marked(ScreenRegion::StatusLine)) {
        DrawStatusLine(canvas);
        return;
    }
    if (marked(ScreenRegion::StatusText))
        DrawStatusText(canvas);
    if (marked(ScreenRegion::ProgressText))
        DrawProgressText(canvas);
}

} // namespace

void PaintMarkedRegions(platform::Canvas& canvas, std::uint32_t regions) {
    // A video filling the window hides everything else; otherwise its panel lies on top of
    // whatever was drawn beneath it.
    if (!VideoFillsWindow())
        paintWindowRegions(canvas, regions);
    DrawVideoPanel(canvas);
}
