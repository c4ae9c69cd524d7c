#include "ui/StatusLine.h"

#include "app/AppState.h"
#include "config/Skin.h"
#include "platform/Canvas.h"
#include "platform/Encoding.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "ui/InfoScroller.h"
#include "ui/Layout.h"
#include "ui/Screen.h"

#include <string>

namespace {

// Characters of the info text shown at a time.
constexpr std::size_t kInfoWindowCharacters = 50;

// The status line is hidden by the pictures that cover the whole window.
bool statusLineHidden() {
    return gMenuMode == mmPhotoView || gMenuMode == mmCoverFullscreen;
}

bool aPlayerIsActive() {
    return IsPlayingOrPaused(MusicPlayerMode()) || IsPlayingOrPaused(VideoPlayerMode());
}

platform::FontSpec statusFont(const std::string& name) {
    return platform::FontSpec{name, gFontSizeStatusbar, false, false, gFontColorStatusbar};
}

// The visible window of the info text: up to 50 characters from the 1-based position.
std::string infoScrollerWindow() {
    const std::size_t skipped =
        gInfoScrollerPos > 1 ? static_cast<std::size_t>(gInfoScrollerPos - 1) : 0;
    const std::size_t start = platform::utf8Prefix(gInfoScrollerText, skipped).size();
    return platform::utf8Prefix(std::string_view(gInfoScrollerText).substr(start),
                                kInfoWindowCharacters);
}

void drawStatusTextPart(platform::Canvas& canvas) {
    const platform::Rect clip{gStatusTextX, gStatusTextY, gMediaButtonsLeft - 6,
                              gStatusLineRect.bottom};
    if (!gInfoScrollerText.empty()) {
        canvas.setFont(statusFont("Courier New"));
        canvas.textRect(clip, gStatusTextX, gStatusTextY, infoScrollerWindow());
        canvas.setFont(statusFont(gFontName));
        return;
    }
    const bool paused = MusicPlayerMode() == platform::PlayerMode::Paused;
    canvas.textRect(clip, gStatusTextX, gStatusTextY,
                    paused ? "PAUSE - " + gStatusMessage : gStatusMessage);
}

// Builds gProgressText from the seconds played and draws it; the caller checks that a player
// is playing or paused.
void drawProgressPart(platform::Canvas& canvas) {
    const int seconds = gSecondsPlayed > 0 ? gSecondsPlayed : 0;
    const int secondsOfMinute = seconds % 60;
    gProgressText = std::to_string(seconds / 60) + ":" + (secondsOfMinute < 10 ? "0" : "") +
                    std::to_string(secondsOfMinute) + " / " + gPlayingTitleLengthText;
    canvas.textOut(gProgressX, gStatusTextY, gProgressText);
}

void prepareStatusCanvas(platform::Canvas& canvas) {
    canvas.setTextBackground(true);
    canvas.setFont(statusFont(gFontName));
}

} // namespace

void DrawStatusLine(platform::Canvas& canvas) {
    if (statusLineHidden())
        return;
    prepareStatusCanvas(canvas);
    canvas.fillRect(gStatusLineRect, gColorStatusBar);
    drawStatusTextPart(canvas);
    if (aPlayerIsActive())
        drawProgressPart(canvas);

    // The buttons picture brings its own background colour in its bottom-left corner.
    const platform::Picture& buttons = gSkin.MediaPlayerButtons;
    if (!buttons.empty())
        canvas.drawTransparent(gMediaButtonsLeft + 8, gMediaButtonsY, buttons,
                               buttons.pixel(0, buttons.height() - 1));
}

void DrawStatusLine() {
    MarkForRepaint(ScreenRegion::StatusLine);
}

void DrawStatusText(platform::Canvas& canvas) {
    if (statusLineHidden())
        return;
    prepareStatusCanvas(canvas);
    canvas.fillRect(platform::Rect{0, gStatusTop, gMediaButtonsLeft - 6, gStatusLineRect.bottom},
                    gColorStatusBar);
    drawStatusTextPart(canvas);
}

void DrawStatusText() {
    MarkForRepaint(ScreenRegion::StatusText);
}

void DrawProgressText(platform::Canvas& canvas) {
    if (statusLineHidden())
        return;
    prepareStatusCanvas(canvas);
    canvas.fillRect(
        platform::Rect{gProgressX, gStatusTop, gStatusLineRect.right, gStatusLineRect.bottom},
        gColorStatusBar);
    if (!aPlayerIsActive())
        return;
    drawProgressPart(canvas);
}

void DrawProgressText() {
    MarkForRepaint(ScreenRegion::ProgressText);
}
