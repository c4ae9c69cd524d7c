#include "playback/Video.h"

#include "app/Log.h"
#include "app/MainformParts.h"
#include "config/Config.h"
#include "platform/MessageBox.h"
#include "platform/StartValues.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "ui/Layout.h"
#include "ui/Screen.h"
#include "ui/StatusLine.h"

#include <string>

namespace {

const platform::StartValues kStartValues(gVideoPanelVisible, gVideoPanelFullscreen,
                                         gIgnoreVideoEnd);

bool videoRunning() {
    return IsPlayingOrPaused(VideoPlayerMode());
}

// "m:ss" of a length in milliseconds, as the video list shows it.
std::string lengthText(std::int64_t lengthMs) {
    const std::int64_t seconds = (lengthMs / 1000) % 60;
    return std::to_string(lengthMs / 60000) + ":" + (seconds < 10 ? "0" : "") +
           std::to_string(seconds);
}

void showPanel(bool visible) {
    gVideoPanelVisible = visible;
    // What the panel covered, or uncovers, is the window's own drawing.
    Mainform().requestRepaint();
}

} // namespace

void StartVideoTitle(const ListElementPtr& element) {
    TMainformParts& form = Mainform();
    // As with a title: the start-up count display would write over the video's name.
    form.Timer_ShowNumberOfTracksInitially.setEnabled(false);
    form.Timer_ShowNumberOfTracksInitially2.setEnabled(false);
    if (IsPlayingOrPaused(MusicPlayerMode()))
        gMusicPlayer->stop();
    if (videoRunning())
        gVideoPlayer->stop();
    gIgnoreMusicEnd = true;
    gIgnoreVideoEnd = false;
    if (!gVideoPlayer)
        return;
    // A panel left filling the window by a stop stays so: the next video starts full window.
    showPanel(true);
    if (!gVideoPlayer->open(element->FullPath())) {
        LogError("VideoPlayer.Error=" + std::to_string(gVideoPlayer->lastErrorCode()));
        LogError("VideoPlayer.Error=" + gVideoPlayer->lastErrorText());
        platform::showMessageBox("Zuvenmedia", gVideoPlayer->lastErrorText());
        // Nothing plays, so no black panel is left over the cover.
        showPanel(false);
        return;
    }
    gVideoPlayer->play();
    form.Timer_MusicTitleOver.setEnabled(true);
    form.Timer_MusicTitlePlaying.setEnabled(true);
    gSecondsPlayed = 0;

    const std::int64_t lengthMs = gVideoPlayer->lengthMs();
    element->SetLengthSeconds(static_cast<int>(lengthMs / 1000));
    element->SetLength(lengthText(lengthMs));
    gPlayingTitleSeconds = element->LengthSeconds();
    gPlayingTitleLengthText = element->Length();
    gPlayingTitle = element;

    SetStatusMessage(element->Name());
    gProgressText = "00:00 / 00:00";
    DrawStatusLine();
}

void ToggleVideoFullscreen() {
    LogLine("Toggle Fullscreen");
    if (!videoRunning())
        return;
    gVideoPanelFullscreen = !gVideoPanelFullscreen;
    Mainform().requestRepaint();
}

void VideoTitleOver() {
    Mainform().Timer_MusicTitleOver.setEnabled(false);
    if (MusicPlayerMode() != platform::PlayerMode::Playing)
        gPlayingTitle.reset();
    // On the cover area the last picture stays until the next start, a stop or leaving the
    // video folders.
    if (gVideoPanelFullscreen) {
        gVideoPanelFullscreen = false;
        showPanel(false);
    }
}

void HideVideoPanel() {
    if (gVideoPanelVisible)
        showPanel(false);
}

bool VideoFillsWindow() {
    return videoRunning() && gVideoPanelVisible && gVideoPanelFullscreen;
}

platform::Rect VideoPanelRect() {
    if (gVideoPanelFullscreen)
        return {0, 0, gIniScreenWidth, gIniScreenHeight};
    return gCoverRect;
}

void DrawVideoPanel(platform::Canvas& canvas) {
    if (!gVideoPanelVisible)
        return;
    const platform::Rect panel = VideoPanelRect();
    canvas.fillRect(panel, platform::rgb(0, 0, 0));
    if (gVideoPlayer)
        gVideoPlayer->drawFrame(canvas, panel);
}

void DrawVideoPanel() {
    MarkForRepaint(ScreenRegion::VideoPanel);
}

void ResetVideoPanel() {
    kStartValues.restore();
}
