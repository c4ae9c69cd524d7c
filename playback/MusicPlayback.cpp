#include "playback/MusicPlayback.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "config/Config.h"
#include "input/Cursor.h"
#include "input/PressedKeyText.h"
#include "library/Mp3Element.h"
#include "pictures/CoverView.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "playback/Play.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "playback/Video.h"
#include "playback/WaveVolume.h"
#include "ui/InfoScroller.h"
#include "ui/StatusLine.h"
#include "ui/TitlebarList.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

namespace {

using platform::PlayerMode;

constexpr std::uint32_t kFullVolume = 0xFFFFFFFFu;
constexpr int kMutedLeadInMs = 500;
constexpr int kSkipSeconds = 10;

std::uint32_t bothChannels(std::uint32_t volume) {
    return (volume << 16) | volume;
}

// The name without the folders it lies in.
std::string withoutFolders(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

const char* playModePrefix() {
    switch (gPlayMode) {
    case kPlayModeShuffle:
        return "[SHUFFLE]";
    case kPlayModeJukebox:
        return "[JUKEBOX]";
    default:
        return "";
    }
}

// The status message of a started title: the play mode, then artist and title from the tag or
// the name of the file.
std::string titleMessage(const TListElement& element) {
    std::string message = std::string(playModePrefix()) + " ";
    if (gIniShowMP3TagInsteadOfFilename && element.ElementType() == ListElementType::MP3) {
        if (element.TrackNo() > 0)
            message += std::to_string(element.TrackNo()) + ". ";
        return message + element.Artist() + " - " + element.Title();
    }
    return message + withoutFolders(element.Name());
}

// The jukebox's finished head leaves the queue, and its row the jukebox view.
void removeJukeboxHead() {
    gActualTitleList.remove(0);
    gActualTitleIndex = 0;
    if (gMenuMode == mmJukebox) {
        gListElements->remove(1);
        CursorUp();
        DrawTitlebarList();
    }
}

// Rounds halves to even, as every ratio of the skips does.
int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

std::string formatRatio(double ratio) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ratio);
    return text;
}

// What a skip needs of a player, or nothing when the player cannot skip now.
struct SkipStep {
    std::int64_t length;
    std::int64_t position;
    std::int64_t step;
};

std::optional<SkipStep> skipStep(platform::MediaPlayer* player) {
    if (!player || player->mode() != PlayerMode::Playing || !gPlayingTitle ||
        gPlayingTitle->LengthSeconds() <= 0 || gSkipBusy)
        return std::nullopt;
    const std::int64_t length = player->lengthMs();
    const std::int64_t unitsPerSecond =
        std::llrint(static_cast<double>(length) / gPlayingTitle->LengthSeconds());
    return SkipStep{length, player->positionMs(), unitsPerSecond * kSkipSeconds};
}

// Moves a player to `position` and lets it play on: music with its muted lead-in, a video at
// once.
void seekAndPlayOn(platform::MediaPlayer& player, std::int64_t position, bool music) {
    player.pause();
    player.seek(position);
    if (music)
        PlayMusicWithMutedLeadIn();
    else
        player.play();
}

void skip(platform::MediaPlayer* player, bool music, bool forward) {
    const std::optional<SkipStep> step = skipStep(player);
    if (!step)
        return;
    gSkipBusy = true;
    if (forward) {
        if (step->position + step->step < step->length) {
            const std::int64_t position = step->position + step->step;
            seekAndPlayOn(*player, position, music);
            const double ratio = static_cast<double>(step->length) / static_cast<double>(position);
            LogLine("musicOver:" + formatRatio(ratio));
            gSecondsPlayed = roundHalfEven(gPlayingTitleSeconds / ratio);
        }
    } else if (step->step < step->position) {
        const std::int64_t position = step->position - step->step;
        seekAndPlayOn(*player, position, music);
        const double ratio = static_cast<double>(step->length) / static_cast<double>(position);
        gSecondsPlayed = roundHalfEven(gPlayingTitleSeconds / ratio);
    } else {
        gSecondsPlayed = 0;
        seekAndPlayOn(*player, 0, music);
    }
    gSkipBusy = false;
    DrawProgressText();
}

// Opens the element's file in the music player. On failure the player's error is shown the
// way every unexpected error is, and nothing plays.
bool openMusicFile(const TListElement& element) {
    platform::MediaPlayer& player = *gMusicPlayer;
    const bool opened = player.open(element.FullPath());
    LogError("MusicPlayer.Error=" + std::to_string(player.lastErrorCode()));
    LogError("MusicPlayer.Error=" + player.lastErrorText());
    if (!opened)
        platform::showMessageBox("Zuvenmedia", player.lastErrorText());
    return opened;
}

} // namespace

void WaitProcessingMessages(int ms) {
    Mainform().loop().WaitProcessingMessages(ms);
}

void StartMusicTitle(const ListElementPtr& element) {
    TMainformParts& form = Mainform();
    form.Timer_ShowNumberOfTracksInitially.setEnabled(false);
    form.Timer_ShowNumberOfTracksInitially2.setEnabled(false);
    gPlayingTitle.reset();
    if (IsPlayingOrPaused(MusicPlayerMode()))
        FadeOutMusic();
    if (IsPlayingOrPaused(VideoPlayerMode()))
        gVideoPlayer->stop();
    gIgnoreVideoEnd = true;
    gIgnoreMusicEnd = false;

    if (!platform::fileExists(element->FullPath())) {
        LogError("File not found: \"" + element->FullPath());
        SetStatusMessage("File not found: \"" + element->FileName());
    } else if (gMusicPlayer && openMusicFile(*element)) {
        PlayMusicWithMutedLeadIn();
        form.Timer_MusicTitleOver.setEnabled(true);
        form.Timer_MusicTitlePlaying.setEnabled(true);
        gSecondsPlayed = 0;
        FillMP3Element(*element);
        gPlayingTitleSeconds = element->LengthSeconds();
        gPlayingTitleLengthText = element->Length();
        gPlayingTitle = element;
        SetStatusMessage(playModePrefix());
        SetStatusMessage(titleMessage(*element));
    } else {
        // The start is abandoned: nothing plays and the status line stays as it was.
        return;
    }
    gProgressText = "00:00 / 00:00";
    DrawStatusLine();
    DrawTitlebarList();
}

void FadeOutMusic() {
    constexpr std::uint32_t kStep = 0xFFFF / 10;
    std::uint32_t volume = 0xFFFF;
    for (int i = 0; i < 10; ++i) {
        volume -= kStep;
        SetWaveVolume(bothChannels(volume));
        WaitProcessingMessages(gIniFadeOutVolumeTime);
    }
    if (gMusicPlayer)
        gMusicPlayer->stop();
    SetWaveVolume(kFullVolume);
}

void PlayMusicWithMutedLeadIn() {
    if (!gMusicPlayer)
        return;
    SetWaveVolume(0);
    gMusicPlayer->play();
    WaitProcessingMessages(kMutedLeadInMs);
    // A stop, pause or fade handled during the wait has the last word: the music stays where
    // it left it instead of starting again.
    if (!gMusicPlayer || gMusicPlayer->mode() != PlayerMode::Playing) {
        SetWaveVolume(kFullVolume);
        return;
    }
    gMusicPlayer->stop();
    SetWaveVolume(kFullVolume);
    gMusicPlayer->play();
}

void callFunction_NextTrack() {
    LogLine("enter callFunction_NextTrack()");
    ShowPressedKeyText("Nächster Titel");
    if (gActualTitleList.count() == 0) {
        ShowPressedKeyText("???");
        return;
    }
    if (gActualTitleIndex < gActualTitleList.count() - 1) {
        if (gPlayMode == kPlayModeJukebox)
            removeJukeboxHead();
        else
            ++gActualTitleIndex;
        PlayTitleNumber();
        return;
    }
    ShowPressedKeyText("Playlist/Jukebox leer");
    SetStatusMessage("");
    DrawStatusLine();
    if (!gPlayingTitle && gPlayMode == kPlayModeJukebox)
        removeJukeboxHead();
}

void callFunction_PreviousTrack() {
    LogLine("enter callFunction_PreviousTrack()");
    ShowPressedKeyText("Vorheriger Titel");
    if (gPlayMode == kPlayModeJukebox || gActualTitleIndex <= 0 ||
        gActualTitleIndex >= gActualTitleList.count()) {
        ShowPressedKeyText("???");
        return;
    }
    --gActualTitleIndex;
    PlayTitleNumber();
}

void SeekMusicTo(std::int64_t positionMs) {
    platform::MediaPlayer* player = gMusicPlayer.get();
    if (!player || !gPlayingTitle || gSkipBusy)
        return;
    const PlayerMode mode = player->mode();
    if (!IsPlayingOrPaused(mode))
        return;
    positionMs =
        std::clamp<std::int64_t>(positionMs, 0, std::max<std::int64_t>(player->lengthMs(), 0));
    gSkipBusy = true;
    if (mode == PlayerMode::Playing)
        seekAndPlayOn(*player, positionMs, true);
    else
        player->seek(positionMs);
    gSkipBusy = false;
    gSecondsPlayed = std::min(gPlayingTitleSeconds, static_cast<int>(positionMs / 1000));
    DrawProgressText();
}

void callFunction_Stop() {
    if (IsPlayingOrPaused(MusicPlayerMode())) {
        LogLine("stop mp3-title");
        ShowPressedKeyText("Stop");
        gIgnoreMusicEnd = true;
        gPlayingTitle.reset();
        FadeOutMusic();
        SetStatusMessage("");
        DrawStatusLine();
    }
    if (IsPlayingOrPaused(VideoPlayerMode())) {
        LogLine("stop video-title");
        ShowPressedKeyText("Stop");
        gIgnoreVideoEnd = true;
        gPlayingTitle.reset();
        gVideoPlayer->stop();
        HideVideoPanel();
        SetStatusMessage("");
        DrawStatusLine();
    }
    DrawTitlebarList();
}

void callFunction_Pause() {
    const PlayerMode music = MusicPlayerMode();
    if (music == PlayerMode::Playing) {
        LogLine("pause mp3-title");
        ShowPressedKeyText("Pause");
        gMusicPlayer->pause();
    } else if (music == PlayerMode::Paused) {
        LogLine("continue mp3-title");
        ShowPressedKeyText("Weiter");
        PlayMusicWithMutedLeadIn();
    }
    const PlayerMode video = VideoPlayerMode();
    if (video == PlayerMode::Playing) {
        LogLine("pause video-title");
        ShowPressedKeyText("Pause");
        gVideoPlayer->pause();
    } else if (video == PlayerMode::Paused) {
        LogLine("continue video-title");
        ShowPressedKeyText("Weiter");
        gVideoPlayer->play();
    }
    DrawStatusLine();
}

void SkipForward() {
    skip(gMusicPlayer.get(), true, true);
    skip(gVideoPlayer.get(), false, true);
}

void SkipBackward() {
    skip(gMusicPlayer.get(), true, false);
    skip(gVideoPlayer.get(), false, false);
}

void Timer_MusicTitlePlayingTimer() {
    if (MusicPlayerMode() != PlayerMode::Playing && VideoPlayerMode() != PlayerMode::Playing)
        return;
    if (gSecondsPlayed < gPlayingTitleSeconds)
        ++gSecondsPlayed;
    DrawProgressText();
    CountDownToNextInfoText();
}

void Timer_MusicTitleOverTimer() {
    TMainformParts& form = Mainform();
    if (MusicPlayerMode() == PlayerMode::Stopped && !gIgnoreMusicEnd) {
        if (gMenuMode == mmCoverScreensaver)
            CoverShow(false);
        form.Timer_MusicTitleOver.setEnabled(false);
        if (VideoPlayerMode() != PlayerMode::Playing)
            gPlayingTitle.reset();
        callFunction_NextTrack();
        DrawTitlebarList();
    }
    if (VideoPlayerMode() == PlayerMode::Stopped && !gIgnoreVideoEnd)
        VideoTitleOver();
}

void Timer_DeleteStatusMessageTimer() {
    if (IsPlayingOrPaused(MusicPlayerMode()) ||
        Mainform().Timer_ShowNumberOfTracksInitially.enabled() || gStatusMessage.empty())
        return;
    SetStatusMessage("");
    DrawStatusLine();
}
