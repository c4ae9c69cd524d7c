#include "ui/HeaderBar.h"

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "input/PressedKeyText.h"
#include "platform/Canvas.h"
#include "ui/Layout.h"
#include "ui/Screen.h"

void DrawHeaderBar(platform::Canvas& canvas) {
    if (gMenuMode == mmPhotoView)
        return;
    const int barHeight = gHeaderBarRect.height();
    canvas.fillRect(gHeaderBarRect, gColorHeaderBar);

    canvas.drawTransparent(1, (barHeight - gSkin.ZVN.height()) / 2, gSkin.ZVN);
    canvas.draw(gTitlebarRight, (barHeight - gSkin.IconMinimize.height()) / 2, gSkin.IconMinimize);

    // Both mouse icons take the place measured on IconMouse1, so that they line up exactly.
    const platform::Picture& mouse1 = gSkin.IconMouse1;
    const platform::Picture* mouseIcon = gIniMouseButtonClicksToStart == 1   ? &gSkin.IconMouse1
                                         : gIniMouseButtonClicksToStart == 2 ? &gSkin.IconMouse2
                                                                             : nullptr;
    if (mouseIcon)
        canvas.draw(gTitlebarRight - mouse1.width() - 6, (barHeight - mouse1.height()) / 2,
                    *mouseIcon);

    if (!gPressedKeyText.empty()) {
        canvas.setTextBackground(true);
        canvas.setFont(
            platform::FontSpec{gFontName, gFontSizeHeaderBar, false, false, gFontColorHeaderBar});
        const int right = gTitlebarRight - 2 * mouse1.width();
        canvas.textOut(right - canvas.textWidth(gPressedKeyText), gHeaderTextY, gPressedKeyText);
    }
}

void DrawHeaderBar() {
    MarkForRepaint(ScreenRegion::HeaderBar);
}
