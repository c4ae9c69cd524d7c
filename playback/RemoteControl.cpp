#include "playback/RemoteControl.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "library/CoverLookup.h"
#include "library/Mp3Element.h"
#include "pictures/CoverShow3D.h"
#include "pictures/CoverView.h"
#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "playback/MusicPlayback.h"
#include "playback/Play.h"
#include "playback/Players.h"
#include "ui/EnterTextForm.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using platform::MprisCommand;
using platform::PlayerMode;

// Often enough for a progress bar on a phone, rarely enough to cost nothing.
constexpr int kPublishIntervalMs = 500;

// The modes whose Return on a title starts it with the rest of the list queued.
constexpr std::array<std::uint8_t, 3> kTitleListModes = {mmMusic, mmPlaylist, mmSearch};

bool inTitleListMode() {
    return std::find(kTitleListModes.begin(), kTitleListModes.end(), gMenuMode) !=
           kTitleListModes.end();
}

// The highlighted row when it is a title that Return would start.
ListElementPtr highlightedTitle() {
    const ListElementPtr element = CurrentListElement();
    if (!element || element->ElementType() != ListElementType::MP3 || !inTitleListMode())
        return nullptr;
    return element;
}

bool somethingPlays() {
    return IsPlayingOrPaused(MusicPlayerMode()) || IsPlayingOrPaused(VideoPlayerMode());
}

// Nothing plays: the highlighted title starts, as Return on it would.
void startHighlightedTitle() {
    if (const ListElementPtr title = highlightedTitle())
        callFunction_Play(title);
    else
        LogLine("remote play: no title highlighted");
}

// A screen that has the window to itself is not left behind the user's back.
bool windowBusy() {
    return gMenuMode == mmOptions || gMenuMode == mmPhotoView || ActiveDirect3DForm() ||
           EnterTextForm.Visible();
}

std::string frontCoverOf(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : platform::listDirectory(folder, "*.jpg", platform::EntryFilter::Plain))
        names.push_back(entry.name);
    const std::optional<std::string> name = ChooseFrontCover(names);
    return name && !name->empty() ? folder + *name : std::string();
}

std::string fileNameWithoutExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

} // namespace

bool OpenTitleFile(const std::string& path) {
    LogLine("enter OpenTitleFile()");
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash + 1 == path.size() || !platform::fileExists(path) ||
        !IsMusicTitleFile(path.substr(slash + 1))) {
        LogError("remote open: no title: " + path);
        return false;
    }
    if (windowBusy()) {
        LogError("remote open refused while the window is busy: " + path);
        return false;
    }
    LeaveFullWindowCover();
    const std::string folder = path.substr(0, slash + 1);
    const std::string name = path.substr(slash + 1);
    callFunction_MusicFolder(folder);
    for (int index = 0; index < gListElements->count(); ++index) {
        const ListElementPtr element = gListElements->element(index);
        if (element->ElementType() == ListElementType::MP3 && element->FileName() == name) {
            gListElementOffset = 0;
            HightlightTitlebarIndex = index;
            FitHighlightIntoView();
            callFunction_Play(element);
            return true;
        }
    }
    Mainform().requestRepaint();
    LogError("remote open: not in its folder's list: " + path);
    return false;
}

RemoteControl::RemoteControl(platform::MainLoop& loop, bool offerOnBus)
    : m_publishTimer(loop, "Timer_PublishRemoteState", kPublishIntervalMs, false) {
    m_publishTimer.setHandler([this] { publish(); });
    if (!offerOnBus)
        return;
    m_service = std::make_unique<platform::MprisService>(
        loop,
        [this, alive = std::weak_ptr<int>(m_lifetime)](const MprisCommand& command) {
            if (alive.lock())
                run(command);
        },
        [](const std::string& line) { LogLine(line); });
    m_publishTimer.setEnabled(true);
}

RemoteControl::~RemoteControl() = default;

void RemoteControl::noticePlayingTitle() {
    if (gPlayingTitle == m_title)
        return;
    m_title = gPlayingTitle;
    m_album.clear();
    m_artUrl.clear();
    if (!m_title)
        return;
    ++m_trackNumber;
    m_album = ReadMp3ElementInfo(m_title->FullPath()).album;
    const std::string cover = frontCoverOf(m_title->Dir());
    if (!cover.empty())
        m_artUrl = platform::fileUri(cover);
}

platform::MprisState RemoteControl::state() {
    noticePlayingTitle();
    platform::MprisState state;
    const PlayerMode music = MusicPlayerMode();
    const PlayerMode video = VideoPlayerMode();
    if (music == PlayerMode::Playing || video == PlayerMode::Playing)
        state.playbackStatus = "Playing";
    else if (music == PlayerMode::Paused || video == PlayerMode::Paused)
        state.playbackStatus = "Paused";
    const bool musicTitle = m_title && IsPlayingOrPaused(music);
    if (m_title) {
        state.trackId = "/org/zuvenmedia/track/" + std::to_string(m_trackNumber);
        state.title = m_title->Title().empty()
                          ? platform::decodeName(fileNameWithoutExtension(m_title->FileName()))
                          : m_title->Title();
        state.artist = m_title->Artist();
        state.album = m_album;
        state.trackNumber = m_title->TrackNo();
        state.lengthUs = static_cast<std::int64_t>(m_title->LengthSeconds()) * 1'000'000;
        if (musicTitle && gMusicPlayer->lengthMs() > 0)
            state.lengthUs = gMusicPlayer->lengthMs() * 1000;
        state.url = platform::fileUri(m_title->FullPath());
        state.artUrl = m_artUrl;
    }
    if (musicTitle)
        state.positionUs = gMusicPlayer->positionMs() * 1000;
    state.canGoNext = gActualTitleIndex < gActualTitleList.count() - 1;
    state.canGoPrevious = gPlayMode != kPlayModeJukebox && gActualTitleIndex > 0 &&
                          gActualTitleIndex < gActualTitleList.count();
    state.canPause = somethingPlays();
    state.canPlay = state.canPause || highlightedTitle() != nullptr;
    state.canSeek = musicTitle;
    return state;
}

void RemoteControl::seekTo(std::int64_t positionMs) {
    if (!gPlayingTitle || !gMusicPlayer || !IsPlayingOrPaused(MusicPlayerMode()))
        return;
    // Beyond the end counts as going on to the next title.
    if (positionMs > gMusicPlayer->lengthMs()) {
        callFunction_NextTrack();
        return;
    }
    SeekMusicTo(positionMs);
    if (m_service)
        m_service->announceSeek(gMusicPlayer->positionMs() * 1000);
}

void RemoteControl::run(const MprisCommand& command) {
    using Kind = MprisCommand::Kind;
    LogLine("remote command " + std::to_string(static_cast<int>(command.kind)));
    switch (command.kind) {
    case Kind::Raise:
        if (platform::Window* window = Mainform().window())
            window->raise();
        break;
    case Kind::Quit:
        callFunction_Exit();
        break;
    case Kind::PlayPause:
        if (somethingPlays())
            callFunction_Pause();
        else
            startHighlightedTitle();
        break;
    case Kind::Play:
        if (MusicPlayerMode() == PlayerMode::Paused || VideoPlayerMode() == PlayerMode::Paused)
            callFunction_Pause();
        else if (!somethingPlays())
            startHighlightedTitle();
        break;
    case Kind::Pause:
        if (MusicPlayerMode() == PlayerMode::Playing || VideoPlayerMode() == PlayerMode::Playing)
            callFunction_Pause();
        break;
    case Kind::Stop:
        callFunction_Stop();
        break;
    case Kind::Next:
        callFunction_NextTrack();
        break;
    case Kind::Previous:
        callFunction_PreviousTrack();
        break;
    case Kind::Seek:
        if (gMusicPlayer)
            seekTo(gMusicPlayer->positionMs() + command.microseconds / 1000);
        break;
    case Kind::SetPosition:
        // A position meant for another title is ignored, as is one before the start.
        if (command.microseconds >= 0 && command.argument == state().trackId)
            seekTo(command.microseconds / 1000);
        break;
    case Kind::OpenUri:
        OpenTitleFile(command.argument);
        break;
    }
    Mainform().requestRepaint();
    publish();
}

void RemoteControl::publish() {
    if (m_service)
        m_service->publish(state());
}
