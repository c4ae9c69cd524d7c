#include "pictures/CoverView.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "app/Program.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "input/PressedKeyText.h"
#include "library/CoverLookup.h"
#include "library/LibraryScan.h"
#include "platform/StartValues.h"
#include "platform/Window.h"
#include "playback/Jukebox.h"
#include "ui/TitlebarList.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

const platform::StartValues kStartValues(gShowBackCover, gCoverPauseDone);

constexpr int kSlideStep = 40;
constexpr int kShadowWidth = 6;
// A cover slides this far beyond the left edge before the next one comes in.
constexpr int kSlideOutMargin = 60;

int coverTop() {
    return gIniScreenHeight / 20 + 2;
}

// The modes the screensaver may start from: the list screens. A photo, a video, a dialog or a
// cover already filling the window is left alone.
bool screensaverMayStart(std::uint8_t mode) {
    return mode == mmMain || mode == mmMusic || mode == mmPlaylists || mode == mmPlaylist ||
           mode == mmJukebox;
}

// Places the cover control at `area`, loads the picture and fits the control to it: a picture
// that fits keeps its own size, a larger one is shrunk with its proportions; none is enlarged.
void loadFittedCover(TCBImage& cover, const platform::Rect& area, const std::string& fileName) {
    cover.setBounds(area);
    cover.LoadImage(fileName);
    const int width = cover.Picture().width();
    const int height = cover.Picture().height();
    if (width <= area.width() && height <= area.height())
        cover.setBounds({area.left, area.top, area.left + width, area.top + height});
    else
        cover.setBounds(ShrunkCoverRect(area, width, height));
}

void moveCoverTo(TCBImage& cover, int left, int top) {
    cover.setBounds({left, top, left + cover.Width(), top + cover.Height()});
}

// The cover, its shadows and its caption follow the cover's position.
void placeScreensaverParts(TMainformParts& form) {
    const TCBImage& cover = form.CoverImage;
    form.CoverImageShape1.Bounds = {cover.Left() + cover.Width(), cover.Top() + kShadowWidth,
                                    cover.Left() + cover.Width() + kShadowWidth,
                                    cover.Top() + kShadowWidth + cover.Height()};
    form.CoverImageShape2.Bounds = {cover.Left() + kShadowWidth, cover.Top() + cover.Height(),
                                    cover.Left() + kShadowWidth + cover.Width(),
                                    cover.Top() + cover.Height() + kShadowWidth};
    form.LabelCoverScreensaver1.Left = cover.Left();
    form.LabelCoverScreensaver1.Top = gIniScreenHeight / 80 + cover.Top() + cover.Height();
}

void setScreensaverPartsVisible(TMainformParts& form, bool visible) {
    form.CoverImage.setVisible(visible);
    form.CoverImageShape1.Visible = visible;
    form.CoverImageShape2.Visible = visible;
    form.LabelCoverScreensaver1.Visible = visible;
}

// Each ampersand doubled, so that the label shows it instead of taking it as an accelerator mark.
std::string captionText(const std::string& key) {
    std::string text;
    for (const char c : key) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}

} // namespace

void ShowCoverFullscreen(const std::string& fileName) {
    TMainformParts& form = Mainform();
    if (fileName.empty()) {
        // Leaving always lands in the music folders, whatever mode the cover was opened from.
        SetMenuMode(mmMusic);
        form.CoverImage.setVisible(false);
        form.requestRepaint();
        return;
    }
    if (gCurrentCoverFrontFileName.empty() && gCurrentCoverBackFileName.empty()) {
        ShowPressedKeyText("Cover nicht verfügbar");
        return;
    }
    TCBImage& cover = form.CoverImage;
    cover.setVisible(false);
    SetMenuMode(mmCoverFullscreen);
    const int top = coverTop();
    loadFittedCover(cover, {0, top, gIniScreenWidth, gIniScreenHeight}, fileName);
    moveCoverTo(cover, (gIniScreenWidth - cover.Width()) / 2, top);
    form.requestRepaint();
    cover.setVisible(true);
}

void ShowCurrentCoverFullscreen() {
    ShowPressedKeyText("Cover Fullscreen");
    // An empty name would be the request to leave, which from a playlist would land in the
    // music folders with the playlist still listed: a folder with only a back cover shows that
    // one, a folder without covers says so.
    const std::string& cover =
        gCurrentCoverFrontFileName.empty() ? gCurrentCoverBackFileName : gCurrentCoverFrontFileName;
    if (cover.empty()) {
        ShowPressedKeyText("Cover nicht verfügbar");
        return;
    }
    ShowCoverFullscreen(cover);
}

void CoverImageClick() {
    LogLine("enter CoverImageClick()");
    if (gMenuMode == mmCoverFullscreen) {
        ShowCoverFullscreen("");
    } else if (gMenuMode == mmCoverScreensaver) {
        CoverShow(false);
    } else {
        ShowCurrentCoverFullscreen();
    }
}

void Timer_ChangeCoverImageTimer() {
    if (gMenuMode != mmCoverFullscreen || !gIniChangeCoverImage ||
        gCurrentCoverFrontFileName.empty() || gCurrentCoverBackFileName.empty())
        return;
    gShowBackCover = !gShowBackCover;
    ShowCoverFullscreen(gShowBackCover ? gCurrentCoverBackFileName : gCurrentCoverFrontFileName);
}

int ChooseScreensaverCover() {
    const int count = static_cast<int>(gFoundFrontCovers.size());
    // The list grows while the scan runs; covers found since the last choice are unshown.
    gScreensaverCoverShown.resize(gFoundFrontCovers.size(), false);
    int chosen = Random(count);
    if (gScreensaverCoverShown[static_cast<std::size_t>(chosen)]) {
        const auto shown = [](int i) {
            return gScreensaverCoverShown[static_cast<std::size_t>(i)];
        };
        int unshown = -1;
        for (int i = chosen; i < count && unshown < 0; ++i)
            if (!shown(i))
                unshown = i;
        for (int i = 0; i < chosen && unshown < 0; ++i)
            if (!shown(i))
                unshown = i;
        if (unshown >= 0)
            chosen = unshown;
        else
            std::fill(gScreensaverCoverShown.begin(), gScreensaverCoverShown.end(), false);
    }
    gScreensaverCoverShown[static_cast<std::size_t>(chosen)] = true;
    return chosen;
}

void CoverShow(bool start) {
    // Without covers the screensaver never starts, so there is nothing to end either; but a
    // running one always ends, even should its covers be gone, so that no key is lost on it.
    if (gFoundFrontCovers.empty() && !(!start && gMenuMode == mmCoverScreensaver))
        return;
    TMainformParts& form = Mainform();
    if (!start) {
        platform::setCursorVisible(true);
        // Ended during the pause in the middle, the pause must not run on: it would set the
        // slide going again, and a screensaver started soon after would skip its own pause.
        form.Timer_ScreensaverCoverShow.setEnabled(false);
        form.Timer_ScreensaverCoverShowWait.setEnabled(false);
        // The idle delay starts again now that the user is back.
        form.Timer_Screensaver.setEnabled(true);
        setScreensaverPartsVisible(form, false);
        EndScreensaverMode();
        return;
    }
    platform::setCursorVisible(false);
    const TFoundEntry& entry =
        gFoundFrontCovers[static_cast<std::size_t>(ChooseScreensaverCover())];
    LogLine("CoverShow: " + entry.Object.Text);
    TCBImage& cover = form.CoverImage;
    cover.setVisible(false);
    SetMenuMode(mmCoverScreensaver);
    const int width = gIniScreenWidth;
    const int height = gIniScreenHeight;
    const int top = coverTop();
    loadFittedCover(cover, {width, top, 2 * width, height - top - height / 10}, entry.Object.Text);
    moveCoverTo(cover, width, (height - cover.Height() - top) / 2 + top - height / 20);
    placeScreensaverParts(form);
    TLabel& caption = form.LabelCoverScreensaver1;
    caption.Font =
        platform::FontSpec{gFontName, gFontSizeTitlebarBig, true, true, gFontColorTitlebarBig};
    caption.Caption = captionText(entry.Key);
    form.requestRepaint();
    setScreensaverPartsVisible(form, true);
    gCoverPauseDone = false;
    form.Timer_ScreensaverCoverShow.setEnabled(true);
}

bool LeaveFullWindowCover() {
    if (gMenuMode == mmCoverFullscreen) {
        ShowCoverFullscreen("");
        return true;
    }
    if (gMenuMode == mmCoverScreensaver) {
        CoverShow(false);
        return true;
    }
    return false;
}

void Timer_ScreensaverTimer() {
    if (!screensaverMayStart(gMenuMode))
        return;
    gPreviousMenuMode = gMenuMode;
    CoverShow(true);
    // Only the end of a screensaver that ran enables the idle delay again; without covers it
    // stays off.
    Mainform().Timer_Screensaver.setEnabled(false);
}

void Timer_ScreensaverCoverShowTimer() {
    TMainformParts& form = Mainform();
    if (gMenuMode != mmCoverScreensaver) {
        form.Timer_ScreensaverCoverShow.setEnabled(false);
        form.Timer_ScreensaverCoverShowWait.setEnabled(false);
        return;
    }
    TCBImage& cover = form.CoverImage;
    moveCoverTo(cover, cover.Left() - kSlideStep, cover.Top());
    placeScreensaverParts(form);
    form.requestRepaint();
    if (!gCoverPauseDone && cover.Left() <= (gIniScreenWidth - cover.Width()) / 2) {
        form.Timer_ScreensaverCoverShow.setEnabled(false);
        form.Timer_ScreensaverCoverShowWait.setEnabled(true);
    }
    if (cover.Left() <= -(cover.Width() + kSlideOutMargin)) {
        moveCoverTo(cover, gIniScreenWidth, cover.Top());
        gCoverPauseDone = false;
        CoverShow(true);
    }
}

void Timer_ScreensaverCoverShowWaitTimer() {
    TMainformParts& form = Mainform();
    gCoverPauseDone = true;
    form.Timer_ScreensaverCoverShowWait.setEnabled(false);
    form.Timer_ScreensaverCoverShow.setEnabled(true);
}

void ApplyScreensaverTimer(TMainformParts& form, int seconds) {
    if (seconds <= 0) {
        form.Timer_Screensaver.setEnabled(false);
        return;
    }
    // Seconds come from Config.ini and the options screen; in milliseconds they may leave the
    // int range, and the longest interval a timer holds is as good as "never".
    const std::int64_t ms = std::int64_t{seconds} * 1000;
    constexpr std::int64_t kLongest = std::numeric_limits<int>::max();
    if (ms > kLongest)
        LogLine("Timer_Screensaver: " + std::to_string(seconds) + " s is too long, using " +
                std::to_string(kLongest) + " ms");
    form.Timer_Screensaver.setInterval(static_cast<int>(std::min(ms, kLongest)));
    form.Timer_Screensaver.setEnabled(true);
}

void ResetCoverView() {
    kStartValues.restore();
}
