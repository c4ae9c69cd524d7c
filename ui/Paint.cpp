#include "ui/Paint.h"

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "library/CoverLookup.h"
#include "pictures/CoverView.h"
#include "platform/Canvas.h"
#include "ui/Editfield.h"
#include "ui/HeaderBar.h"
#include "ui/MenubarDrawing.h"
#include "ui/OptionsList.h"
#include "ui/StatusLine.h"
#include "ui/TitlebarList.h"

namespace {

// Shown where the skin's background picture is missing, so that the light texts stay legible.
constexpr platform::Color kBackgroundWithoutPicture = platform::rgb(16, 16, 24);

// The background as last stretched to the screen size, kept for restoring single regions.
// Main thread only.
struct StretchedBackground {
    const void* source = nullptr; // the skin picture it was made from
    int sourceWidth = 0;
    int sourceHeight = 0;
    int width = 0;
    int height = 0;
    platform::Picture picture;
};
StretchedBackground gStretchedBackground;

void stretchBackground(platform::Canvas& canvas) {
    const platform::Rect screen{0, 0, gIniScreenWidth, gIniScreenHeight};
    if (gSkin.Background.empty())
        canvas.fillRect(screen, kBackgroundWithoutPicture);
    else
        canvas.stretchDraw(screen, gSkin.Background);
}

const platform::Picture& stretchedBackground() {
    StretchedBackground& cache = gStretchedBackground;
    const platform::Picture& source = gSkin.Background;
    const bool current = !cache.picture.empty() && cache.source == source.surface() &&
                         cache.sourceWidth == source.width() &&
                         cache.sourceHeight == source.height() && cache.width == gIniScreenWidth &&
                         cache.height == gIniScreenHeight;
    if (!current) {
        platform::Canvas whole(gIniScreenWidth, gIniScreenHeight);
        stretchBackground(whole);
        cache = StretchedBackground{source.surface(), source.width(),   source.height(),
                                    gIniScreenWidth,  gIniScreenHeight, whole.snapshot()};
    }
    return cache.picture;
}

} // namespace

void DrawBackground(platform::Canvas& canvas) {
    // Stretching the picture on every paint would cost more than the rest of the screen once
    // the window is larger than the picture.
    canvas.draw(0, 0, stretchedBackground());
}

void RestoreBackground(platform::Canvas& canvas, const platform::Rect& region) {
    if (region.isEmpty())
        return;
    const platform::Picture& whole = stretchedBackground();
    platform::Canvas part(region.width(), region.height());
    part.draw(-region.left, -region.top, whole);
    canvas.draw(region.left, region.top, part.snapshot());
}

void PaintMainScreen(platform::Canvas& canvas) {
    // The photo view shows nothing but the photo control.
    if (gMenuMode == mmPhotoView)
        return;
    canvas.setTextBackground(true);
    DrawBackground(canvas);
    DrawHeaderBar(canvas);
    if (gMenuMode == mmCoverFullscreen)
        return;
    DrawStatusLine(canvas);
    if (gMenuMode == mmCoverScreensaver)
        return;
    DrawScrollbar(canvas);
    DrawMenubar(canvas, false);
    // The options screen has rows of its own; every other mode shows the list (the main menu
    // its own variant of it).
    if (gMenuMode == mmOptions)
        DrawOptionsList(canvas);
    else
        DrawTitlebarList(canvas);
    // The search field lies over the folder-name line above the list.
    if (Editfield.Visible())
        Editfield.paint(canvas);
    DrawCover(canvas, gShowBackCover ? gCurrentCoverBackFileName : gCurrentCoverFrontFileName);
    canvas.setTextBackground(true);
}

void ResetPaintCache() {
    gStretchedBackground = {};
}
