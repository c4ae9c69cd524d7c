#include "playback/Video.h"

#include "app/Log.h"
#include "platform/StartValues.h"
#include "playback/Players.h"

namespace {

const platform::StartValues kStartValues(gVideoPanelVisible, gVideoPanelFullscreen,
                                         gIgnoreVideoEnd);

bool videoRunning() {
    const platform::PlayerMode mode = VideoPlayerMode();
    return mode == platform::PlayerMode::Playing || mode == platform::PlayerMode::Paused;
}

} // namespace

// Placeholder: opening the video in the panel comes with the video playback.
void StartVideoTitle(const ListElementPtr& /*element*/) {
    LogLine("enter StartVideoTitle()");
}

void ToggleVideoFullscreen() {
    LogLine("Toggle Fullscreen");
    if (!videoRunning())
        return;
    gVideoPanelFullscreen = !gVideoPanelFullscreen;
}

void HideVideoPanel() {
    gVideoPanelVisible = false;
}

bool VideoFillsWindow() {
    return videoRunning() && gVideoPanelVisible && gVideoPanelFullscreen;
}

void ResetVideoPanel() {
    kStartValues.restore();
}
