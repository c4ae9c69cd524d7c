#pragma once

#include "platform/MainLoop.h"
#include "platform/MediaPlayer.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct mpv_handle;
struct mpv_render_context;

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

// The libmpv player behind createMpvPlayer. Every member belongs to the main thread; mpv's own
// threads only post to the loop. The error code is mpv's own (negative) error number.
class MpvPlayer : public MediaPlayer {
public:
    // Null, with `error` set, when libmpv cannot be initialised.
    static std::unique_ptr<MpvPlayer> create(MainLoop& loop, MpvPlayerOptions options,
                                             std::string& error);
    struct Token; // only create() makes a player
    MpvPlayer(Token, MainLoop& loop, MpvPlayerOptions options);
    ~MpvPlayer() override;
    MpvPlayer(const MpvPlayer&) = delete;
    MpvPlayer& operator=(const MpvPlayer&) = delete;

    bool open(const std::string& path) override;
    void close() override;
    void play() override;
    void pause() override;
    void resume() override;
    void stop() override;
    void seek(std::int64_t positionMs) override;
    std::int64_t positionMs() const override;
    std::int64_t lengthMs() const override;
    PlayerMode mode() const override;
    void setVolume(std::uint32_t volume) override;
    int lastErrorCode() const override { return m_errorCode; }
    std::string lastErrorText() const override { return m_errorText; }
    bool drawFrame(Canvas& canvas, const Rect& area) override;

    // mpv's own volume, 0 … 100.
    double volumePercent() const;
    // Sound is being played: running, not paused, seeking or buffering, with audio decoded.
    bool audioStarted() const;
    // Reads what mpv has reported so far; the loop does this by itself whenever mpv wakes it.
    void processEvents();

private:
    struct Link;
    struct HandleDeleter {
        void operator()(mpv_handle* handle) const;
    };
    struct RenderContextDeleter {
        void operator()(mpv_render_context* context) const;
    };

    template <std::atomic<bool> Link::*queued, void (MpvPlayer::*work)()>
    static void postOnce(void* data);
    bool initialise(std::string& error);
    void handleEvent(const void* event);
    void takeNewFrame();
    void renderFrame(int width, int height);
    bool flag(const char* property) const;
    double number(const char* property) const;
    void setFlag(const char* property, bool value);
    void setError(int code);
    void seekTo(std::int64_t positionMs);

    MainLoop& m_loop;
    MpvPlayerOptions m_options;
    // Declared before the render context, which must go first.
    std::unique_ptr<mpv_handle, HandleDeleter> m_mpv;
    std::unique_ptr<mpv_render_context, RenderContextDeleter> m_render;
    // What mpv's threads may reach: the loop and the flags that coalesce their wake-ups.
    std::shared_ptr<Link> m_link;

    bool m_loaded = false;      // a file is open (loaded, not closed, not failed)
    bool m_opening = false;     // open() waits for its file
    bool m_openDone = false;    // the file open() waits for has loaded or failed
    bool m_fileGone = false;    // mpv dropped the open file after it was loaded (read error)
    bool m_paused = false;      // paused by pause(), as opposed to opened, stopped or ended
    bool m_seekPending = false; // a seek is under way; its target stands for the position
    std::int64_t m_seekTargetMs = 0;
    mutable bool m_seekTargetHeld = false; // the position is not past the last seek's target yet
    std::int64_t m_entryId = -1;           // mpv's playlist entry of the open file
    int m_errorCode = 0;
    std::string m_errorText;
    Picture m_frame;         // the last picture, rendered at the size it was last drawn
    bool m_hasFrame = false; // m_frame shows the open file
};

} // namespace platform
