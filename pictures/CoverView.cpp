#include "pictures/CoverView.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/Mainform.h"
#include "app/MenuModes.h"
#include "platform/StartValues.h"

namespace {

const platform::StartValues kStartValues(gShowBackCover);

} // namespace

void ShowCoverFullscreen(const std::string& fileName) {
    if (fileName.empty()) {
        // Leaving always lands in the music folders, whatever mode the cover was opened from.
        SetMenuMode(mmMusic);
        if (MainformExists()) {
            Mainform().CoverImage.setVisible(false);
            Mainform().requestRepaint();
        }
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
    if (MainformExists()) {
        TMainform& form = Mainform();
        form.Timer_ScreensaverCoverShow.setEnabled(false);
        // The idle delay starts again now that the user is back.
        form.Timer_Screensaver.setEnabled(true);
        form.CoverImage.setVisible(false);
    }
    EndScreensaverMode();
}

void ResetCoverView() {
    kStartValues.restore();
}
