#include "pictures/CoverView.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "platform/StartValues.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

const platform::StartValues kStartValues(gShowBackCover);

} // namespace

void ShowCoverFullscreen(const std::string& fileName) {
    if (fileName.empty()) {
        // Leaving always lands in the music folders, whatever mode the cover was opened from.
        SetMenuMode(mmMusic);
        Mainform().CoverImage.setVisible(false);
        Mainform().requestRepaint();
        return;
    }
    // Placeholder: showing the cover full-window comes with the fullscreen cover.
    LogLine("enter ShowCoverFullscreen()");
}

void CoverShow(bool start) {
    if (start) {
        // Placeholder: the sliding covers come with the screensaver.
        LogLine("enter CoverShow()");
        return;
    }
    TMainformParts& form = Mainform();
    form.Timer_ScreensaverCoverShow.setEnabled(false);
    // The idle delay starts again now that the user is back.
    form.Timer_Screensaver.setEnabled(true);
    form.CoverImage.setVisible(false);
    EndScreensaverMode();
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
