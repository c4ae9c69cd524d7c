#pragma once

#include "platform/Canvas.h"

#include <cstdint>
#include <string>

namespace platform {

enum class PlayerMode { NotReady, Stopped, Playing, Paused, Open };

// One media player (music or video). A file that has ended reports the stopped mode.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    // Opens a file, closing an open one; false with lastError() set when it cannot be opened.
    virtual bool open(const std::string& path) = 0;
    virtual void close() = 0;
    // Plays from the current position, rewinding first when at the end.
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    // Stops without rewinding.
    virtual void stop() = 0;
    virtual void seek(std::int64_t positionMs) = 0;
    virtual std::int64_t positionMs() const = 0;
    virtual std::int64_t lengthMs() const = 0;
    virtual PlayerMode mode() const = 0;
    // 0 … 0xFFFF for each channel (low word left, high word right).
    virtual void setVolume(std::uint32_t volume) = 0;
    virtual int lastErrorCode() const = 0;
    virtual std::string lastErrorText() const = 0;
    // Draws the current video picture into `area`, scaled to fit with its aspect ratio kept and
    // black around it; after a stop or at the end the last picture stays. False, drawing
    // nothing, when there is no picture (a music player, nothing opened).
    virtual bool drawFrame(Canvas& canvas, const Rect& area) {
        (void)canvas;
        (void)area;
        return false;
    }
};

} // namespace platform
