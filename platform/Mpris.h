#pragma once

#include "platform/MainLoop.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// What the desktop's media-player interface shows of the program. A plain value that the main
// thread builds and hands to the service.
struct MprisState {
    // "Playing", "Paused" or "Stopped".
    std::string playbackStatus = "Stopped";
    // A D-Bus object path naming the playing title; empty when nothing plays.
    std::string trackId;
    // UTF-8 texts of the playing title.
    std::string title;
    std::string artist;
    std::string album;
    int trackNumber = 0;
    std::int64_t lengthUs = 0;
    // file:// URIs of the title and of its front cover (empty when there is none).
    std::string url;
    std::string artUrl;
    bool canGoNext = false;
    bool canGoPrevious = false;
    bool canPlay = false;
    bool canPause = false;
    bool canSeek = false;
    // Moves all the time, so a change of it alone is never signalled.
    std::int64_t positionUs = 0;
};

// One call of the interface, to be run by the program on its main thread.
struct MprisCommand {
    enum class Kind {
        Raise,
        Quit,
        PlayPause,
        Play,
        Pause,
        Stop,
        Next,
        Previous,
        Seek,
        SetPosition,
        OpenUri,
    };
    Kind kind = Kind::Play;
    // Seek: the offset; SetPosition: the position.
    std::int64_t microseconds = 0;
    // SetPosition: the track id; OpenUri: the file's path (bytes), already decoded.
    std::string argument;
};

// The file:// URI of an absolute path: its bytes percent-encoded where a URI needs it. Empty
// for a relative path.
std::string fileUri(const std::string& path);
// The path bytes of a local file:// URI (no host, or "localhost"), percent-decoded; nothing for
// any other URI.
std::optional<std::string> pathOfFileUri(const std::string& uri);

// The freedesktop media-player interface (org.mpris.MediaPlayer2.zuvenmedia) on the session
// bus. It runs on a thread of its own with its own GLib main context: a method call is posted
// to `loop` as a command and answered at once; properties are read from the state the main
// thread last published. Without a session bus, or when the name is taken, the program goes on
// without it and `log` is told once. Commands and log lines arrive on the loop's thread.
class MprisService {
public:
    MprisService(MainLoop& loop, std::function<void(const MprisCommand&)> onCommand,
                 std::function<void(const std::string&)> log);
    // Gives up the name and ends the thread.
    ~MprisService();
    MprisService(const MprisService&) = delete;
    MprisService& operator=(const MprisService&) = delete;

    // Main thread. Cheap when nothing but the position changed; otherwise the changed
    // properties are signalled.
    void publish(const MprisState& state);
    // Main thread: the position jumped (a seek), which listeners are told of by a signal.
    void announceSeek(std::int64_t positionUs);

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
