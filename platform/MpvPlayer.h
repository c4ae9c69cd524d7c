#pragma once

#include "platform/MainLoop.h"
#include "platform/MediaPlayer.h"

#include <functional>
#include <memory>
#include <string>

namespace platform {

struct MpvPlayerOptions {
    // Decodes pictures for drawFrame (the video player); a music player has no video output.
    bool video = false;
    // No sound card to be heard: audio goes to mpv's null output (tests, headless runs).
    bool nullAudio = false;
    // Runs on the main thread, through the loop: a new video picture is ready to be drawn.
    std::function<void()> onNewFrame;
};

// A player on its own libmpv instance. Its events are read on the main thread: mpv's wakeup
// posts to `loop`, so the loop must outlive the player. Null, with `error` set, when libmpv
// cannot be initialised.
std::unique_ptr<MediaPlayer> createMpvPlayer(MainLoop& loop, MpvPlayerOptions options,
                                             std::string& error);

} // namespace platform
