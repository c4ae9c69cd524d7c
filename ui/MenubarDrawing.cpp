#include "ui/MenubarDrawing.h"

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "input/Menubar.h"
#include "platform/Canvas.h"
#include "platform/StartValues.h"
#include "ui/Layout.h"
#include "ui/Screen.h"

#include <algorithm>

namespace {

const platform::StartValues kStartValues(gDrawnMenuHighlight);

platform::FontSpec menubarFont(bool bold, platform::Color color) {
    return platform::FontSpec{gFontName, gFontSizeMenubar, bold, false, color};
}

void drawKeyLabel(platform::Canvas& canvas, const TMenuItem& item, int slotTop) {
    const int y0 = slotTop + (gMenubarHeight - gMenubarIconSize) / 2;
    if (gShowMenuIcons) {
        if (const platform::Picture* picture = KeyPicture(item))
            canvas.drawTransparent(RoundHalfEven(gMenubarIconSize * 0.1), y0 - 6, *picture);
        return;
    }
    const std::string text = KeyLabelText(item);
    canvas.setFont(menubarFont(true, gFontColorMenubarShadow));
    const int width = canvas.textWidth(text);
    canvas.textOut(gMenubarCaptionX - width - 4, y0 - 5, text);
    canvas.setFont(menubarFont(true, gFontColorMenubar));
    canvas.textOut(gMenubarCaptionX - width - 5, y0 - 6, text);
    canvas.setFont(menubarFont(false, gFontColorMenubar));
}

void drawButton(platform::Canvas& canvas, const TMenuItem& item, int slotTop) {
    const std::string& caption = item.caption(gIniCurrentLanguage);
    const int captionHeight = platform::fontPixelHeight(gFontSizeMenubar);
    canvas.setFont(menubarFont(false, gFontColorMenubarShadow));
    canvas.textOut(gMenubarCaptionX + 1, slotTop + captionHeight / 2 - 4, caption);
    canvas.setFont(menubarFont(false, gFontColorMenubar));
    canvas.textOut(gMenubarCaptionX, slotTop + captionHeight / 2 - 5, caption);
    drawKeyLabel(canvas, item, slotTop);
}

} // namespace

void DrawMenubar(platform::Canvas& canvas, bool onlyIfChanged) {
    if (onlyIfChanged && gHighlightedMenuItem == gDrawnMenuHighlight)
        return;
    // The full-screen modes have no menubar; their set is the one of the mode they came from.
    if (gMenuMode > mmSearch)
        return;

    const int slots = gNumberOfMenubars;
    canvas.setTextBackground(true);
    gDrawnMenuHighlight = -1;
    for (int slot = 0; slot < slots; ++slot) {
        const int top = gMenubarRect.top + slot * gMenubarHeight;
        const bool highlighted = slot == gHighlightedMenuItem;
        if (highlighted)
            gDrawnMenuHighlight = slot;
        canvas.fillRect(platform::Rect{0, top, gLeftColumnWidth, top + gMenubarHeight - 3},
                        highlighted ? gColorMenubarHighlight : gColorMenubar);

        const int item = MenuItemInSlot(slot);
        if (item >= 0)
            drawButton(canvas, gMenubarItems[static_cast<std::size_t>(item)], top);
    }
}

void DrawMenubar(bool onlyIfChanged) {
    // Mouse movement asks on every event; an unchanged menubar is not even presented again.
    if (onlyIfChanged && gHighlightedMenuItem == gDrawnMenuHighlight)
        return;
    MarkForRepaint(onlyIfChanged ? ScreenRegion::MenubarHighlight : ScreenRegion::Menubar);
}

void ResetMenubarDrawing() {
    kStartValues.restore();
}
