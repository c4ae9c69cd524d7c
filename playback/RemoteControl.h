#pragma once

#include "library/ListElement.h"
#include "platform/MainLoop.h"
#include "platform/Mpris.h"

#include <cstdint>
#include <memory>
#include <string>

// Plays the title at `path` (bytes) as Return on it in its folder would: the folder is shown
// with the title highlighted, and the title plays with the titles after it queued. False, with
// a log line, when it is no title or the window is busy with a screen of its own (options,
// photo, a dialog). Main thread only.
bool OpenTitleFile(const std::string& path);

// The program side of the desktop's media-player interface: runs its commands through the
// program's own routines and publishes what plays. Main thread only.
class RemoteControl {
public:
    // offerOnBus: whether the interface goes on the session bus; without it the commands and
    // the state can still be used directly.
    RemoteControl(platform::MainLoop& loop, bool offerOnBus);
    ~RemoteControl();
    RemoteControl(const RemoteControl&) = delete;
    RemoteControl& operator=(const RemoteControl&) = delete;

    // What the interface shows now.
    platform::MprisState state();
    void run(const platform::MprisCommand& command);
    // Hands the state to the interface, which signals what changed.
    void publish();

private:
    void noticePlayingTitle();
    void seekTo(std::int64_t positionMs);

    // The title the metadata below belongs to; what is read once per title.
    ListElementPtr m_title;
    std::uint64_t m_trackNumber = 0;
    std::string m_album;
    std::string m_artUrl;

    // Commands still queued in the main loop when this object goes find it gone.
    std::shared_ptr<int> m_lifetime = std::make_shared<int>(0);
    platform::Timer m_publishTimer;
    std::unique_ptr<platform::MprisService> m_service;
};
