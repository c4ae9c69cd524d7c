#include "platform/MpvPlayer.h"

#include <SDL.h>
#include <mpv/client.h>
#include <mpv/render.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>

namespace platform {

namespace {
// A local file loads in milliseconds; the limit only keeps a hanging mount from freezing us.
constexpr auto kOpenTimeout = std::chrono::seconds(10);
// The canvas's 32-bit pixels as bytes in memory, in mpv's name for them.
constexpr const char* kFramePixelFormat =
    std::endian::native == std::endian::little ? "bgr0" : "0rgb";

struct Option {
    const char* name;
    const char* value;
};

// Everything that would let mpv act on its own is off: no configuration or scripts of the
// user's mpv, no terminal, no key handling, no on-screen display, no remembered positions.
// keep-open makes a finished file stay loaded, paused at its end.
constexpr Option kCommonOptions[] = {
    {"config", "no"},
    {"terminal", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"input-terminal", "no"},
    {"load-scripts", "no"},
    {"ytdl", "no"},
    {"osd-level", "0"},
    {"resume-playback", "no"},
    {"idle", "yes"},
    {"keep-open", "yes"},
    {"keep-open-pause", "yes"},
    {"audio-display", "no"},
    {"audio-client-name", "zuvenmedia"},
};
constexpr Option kMusicOptions[] = {{"vid", "no"}, {"vo", "null"}};
// Frames are rendered on the main thread, which must never wait for a frame's display time.
constexpr Option kVideoOptions[] = {
    {"vo", "libmpv"}, {"hwdec", "no"}, {"video-timing-offset", "0"}};

std::int64_t toMs(double seconds) {
    return seconds > 0 ? static_cast<std::int64_t>(std::llround(seconds * 1000.0)) : 0;
}
} // namespace

struct MpvPlayer::Token {};

// What mpv's threads may reach. The player unregisters both callbacks before it goes, so a
// callback never sees a dead Link; work already posted finds `self` expired and does nothing.
struct MpvPlayer::Link {
    Link(MainLoop& loop, MpvPlayer& player) : loop(loop), player(&player) {}
    MainLoop& loop;
    MpvPlayer* player;        // main thread only
    std::weak_ptr<Link> self; // set before the callbacks are registered, then never changed
    std::atomic<bool> eventsQueued{false}; // a drain of mpv's events is posted and not run yet
    std::atomic<bool> frameQueued{false};  // the same for a new video picture
};

// The callbacks of mpv's threads: post `work` to the main thread once, however often mpv calls
// before the posted work has run. Posted work finds `self` expired when the player is gone.
template <std::atomic<bool> MpvPlayer::Link::*queued, void (MpvPlayer::*work)()>
void MpvPlayer::postOnce(void* data) {
    auto* link = static_cast<Link*>(data);
    if ((link->*queued).exchange(true))
        return;
    link->loop.post([weak = link->self] {
        if (const std::shared_ptr<Link> alive = weak.lock()) {
            (alive.get()->*queued) = false;
            (alive->player->*work)();
        }
    });
}

void MpvPlayer::HandleDeleter::operator()(mpv_handle* handle) const {
    mpv_terminate_destroy(handle);
}

void MpvPlayer::RenderContextDeleter::operator()(mpv_render_context* context) const {
    mpv_render_context_free(context);
}

std::unique_ptr<MediaPlayer> createMpvPlayer(MainLoop& loop, MpvPlayerOptions options,
                                             std::string& error) {
    return MpvPlayer::create(loop, std::move(options), error);
}

std::unique_ptr<MpvPlayer> MpvPlayer::create(MainLoop& loop, MpvPlayerOptions options,
                                             std::string& error) {
    auto player = std::make_unique<MpvPlayer>(Token{}, loop, std::move(options));
    if (!player->initialise(error))
        return nullptr;
    return player;
}

MpvPlayer::MpvPlayer(Token, MainLoop& loop, MpvPlayerOptions options)
    : m_loop(loop), m_options(std::move(options)) {}

MpvPlayer::~MpvPlayer() {
    if (m_render)
        mpv_render_context_set_update_callback(m_render.get(), nullptr, nullptr);
    if (m_mpv)
        mpv_set_wakeup_callback(m_mpv.get(), nullptr, nullptr);
    m_render.reset();
    m_mpv.reset();
}

bool MpvPlayer::initialise(std::string& error) {
    m_mpv.reset(mpv_create());
    if (!m_mpv) {
        error = "libmpv: no player instance";
        return false;
    }
    auto setOptions = [&](const auto& options) {
        for (const Option& option : options) {
            if (const int rc = mpv_set_option_string(m_mpv.get(), option.name, option.value);
                rc < 0) {
                error = std::string("libmpv option ") + option.name + ": " + mpv_error_string(rc);
                return false;
            }
        }
        return true;
    };
    if (!setOptions(kCommonOptions))
        return false;
    if (!(m_options.video ? setOptions(kVideoOptions) : setOptions(kMusicOptions)))
        return false;
    if (m_options.nullAudio && !setOptions(std::initializer_list<Option>{{"ao", "null"}}))
        return false;
    if (const int rc = mpv_initialize(m_mpv.get()); rc < 0) {
        error = std::string("libmpv: ") + mpv_error_string(rc);
        return false;
    }

    m_link = std::make_shared<Link>(m_loop, *this);
    m_link->self = m_link;

    if (m_options.video) {
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
            {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context* context = nullptr;
        if (const int rc = mpv_render_context_create(&context, m_mpv.get(), params); rc < 0) {
            error = std::string("libmpv video output: ") + mpv_error_string(rc);
            return false;
        }
        m_render.reset(context);
        mpv_render_context_set_update_callback(
            m_render.get(), postOnce<&Link::frameQueued, &MpvPlayer::takeNewFrame>, m_link.get());
    }

    mpv_set_wakeup_callback(m_mpv.get(), postOnce<&Link::eventsQueued, &MpvPlayer::processEvents>,
                            m_link.get());
    return true;
}

void MpvPlayer::processEvents() {
    for (;;) {
        const mpv_event* event = mpv_wait_event(m_mpv.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        handleEvent(event);
    }
}

void MpvPlayer::handleEvent(const void* rawEvent) {
    const auto* event = static_cast<const mpv_event*>(rawEvent);
    switch (event->event_id) {
    case MPV_EVENT_START_FILE:
        // Events from before the loadfile were read first, so this is the file open() asked for.
        if (m_opening && m_entryId < 0)
            m_entryId = static_cast<const mpv_event_start_file*>(event->data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        if (m_opening && m_entryId >= 0 && !m_openDone) {
            m_openDone = true;
            m_loaded = true;
        }
        break;
    case MPV_EVENT_END_FILE: {
        const auto* end = static_cast<const mpv_event_end_file*>(event->data);
        if (m_entryId < 0 || end->playlist_entry_id != m_entryId)
            break; // a file closed earlier
        if (m_opening && !m_openDone) {
            m_openDone = true;
            // A file mpv took for a playlist ends without an error of its own; for us it is
            // a file of a format we cannot play.
            setError(end->reason == MPV_END_FILE_REASON_ERROR && end->error < 0
                         ? end->error
                         : MPV_ERROR_UNKNOWN_FORMAT);
        } else if (m_loaded) {
            // keep-open holds a finished file, so this is a read error or mpv giving up on it.
            m_fileGone = true;
            m_seekPending = false;
            if (end->reason == MPV_END_FILE_REASON_ERROR && end->error < 0)
                setError(end->error);
        }
        break;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
        m_seekPending = false;
        break;
    case MPV_EVENT_SHUTDOWN:
        m_loaded = false;
        m_hasFrame = false;
        break;
    default:
        break;
    }
}

void MpvPlayer::setError(int code) {
    m_errorCode = code;
    m_errorText = code != 0 ? mpv_error_string(code) : "";
}

bool MpvPlayer::flag(const char* property) const {
    int value = 0;
    return mpv_get_property(m_mpv.get(), property, MPV_FORMAT_FLAG, &value) >= 0 && value != 0;
}

double MpvPlayer::number(const char* property) const {
    double value = 0;
    if (mpv_get_property(m_mpv.get(), property, MPV_FORMAT_DOUBLE, &value) < 0)
        return 0;
    return value;
}

void MpvPlayer::setFlag(const char* property, bool value) {
    int flagValue = value ? 1 : 0;
    mpv_set_property(m_mpv.get(), property, MPV_FORMAT_FLAG, &flagValue);
}

bool MpvPlayer::open(const std::string& path) {
    processEvents();
    m_loaded = false;
    m_fileGone = false;
    m_paused = false;
    m_seekPending = false;
    m_seekTargetHeld = false;
    m_hasFrame = false;
    m_entryId = -1;
    setFlag("pause", true);
    // mpv reads "-" as standard input and "name://" as a protocol; a path from "/" or "./" is
    // always a file.
    const std::string file = path.starts_with('/') ? path : "./" + path;
    const char* command[] = {"loadfile", file.c_str(), "replace", nullptr};
    if (const int rc = mpv_command(m_mpv.get(), command); rc < 0) {
        setError(rc);
        return false;
    }

    m_opening = true;
    m_openDone = false;
    const auto deadline = std::chrono::steady_clock::now() + kOpenTimeout;
    while (!m_openDone) {
        const std::chrono::duration<double> left = deadline - std::chrono::steady_clock::now();
        if (left.count() <= 0)
            break;
        handleEvent(mpv_wait_event(m_mpv.get(), left.count()));
    }
    m_opening = false;

    if (!m_openDone) {
        const char* stopCommand[] = {"stop", nullptr};
        mpv_command(m_mpv.get(), stopCommand);
        m_entryId = -1;
        setError(MPV_ERROR_LOADING_FAILED);
        return false;
    }
    if (!m_loaded) {
        m_entryId = -1;
        return false;
    }
    setError(0);
    return true;
}

void MpvPlayer::close() {
    if (m_loaded || m_entryId >= 0) {
        const char* command[] = {"stop", nullptr};
        mpv_command(m_mpv.get(), command);
    }
    m_loaded = false;
    m_fileGone = false;
    m_paused = false;
    m_seekPending = false;
    m_seekTargetHeld = false;
    m_hasFrame = false;
    m_entryId = -1;
}

void MpvPlayer::play() {
    if (!m_loaded || m_fileGone)
        return;
    processEvents();
    if (!m_seekPending && flag("eof-reached"))
        seekTo(0);
    m_paused = false;
    setFlag("pause", false);
}

void MpvPlayer::pause() {
    if (mode() != PlayerMode::Playing)
        return;
    setFlag("pause", true);
    m_paused = true;
}

void MpvPlayer::resume() {
    if (mode() != PlayerMode::Paused)
        return;
    m_paused = false;
    setFlag("pause", false);
}

void MpvPlayer::stop() {
    if (!m_loaded)
        return;
    setFlag("pause", true);
    m_paused = false;
}

void MpvPlayer::seek(std::int64_t positionMs) {
    if (!m_loaded || m_fileGone)
        return;
    processEvents();
    seekTo(positionMs);
}

void MpvPlayer::seekTo(std::int64_t positionMs) {
    positionMs = std::max<std::int64_t>(positionMs, 0);
    if (const std::int64_t length = lengthMs(); length > 0)
        positionMs = std::min(positionMs, length);
    const std::string seconds = std::to_string(static_cast<double>(positionMs) / 1000.0);
    const char* command[] = {"seek", seconds.c_str(), "absolute+exact", nullptr};
    if (mpv_command(m_mpv.get(), command) < 0)
        return;
    // mpv carries the seek out later; until it reports the restart, the target is the position
    // (and an end reached before the seek no longer counts).
    m_seekPending = true;
    m_seekTargetHeld = true;
    m_seekTargetMs = positionMs;
}

std::int64_t MpvPlayer::positionMs() const {
    if (!m_loaded)
        return 0;
    if (m_seekPending)
        return m_seekTargetMs;
    // mpv's position is that of the sound leaving the output, which after a seek trails the
    // target by the output's buffer for a moment; the target stands until it is reached.
    const std::int64_t position = toMs(number("time-pos"));
    if (m_seekTargetHeld && position < m_seekTargetMs)
        return m_seekTargetMs;
    m_seekTargetHeld = false;
    return position;
}

std::int64_t MpvPlayer::lengthMs() const {
    return m_loaded ? toMs(number("duration")) : 0;
}

PlayerMode MpvPlayer::mode() const {
    if (!m_loaded)
        return PlayerMode::NotReady;
    if (m_fileGone || (!m_seekPending && flag("eof-reached")))
        return PlayerMode::Stopped;
    if (!flag("pause"))
        return PlayerMode::Playing;
    // Opened, stopped and ended files are paused in mpv too; only pause() makes "paused".
    return m_paused ? PlayerMode::Paused : PlayerMode::Stopped;
}

void MpvPlayer::setVolume(std::uint32_t volume) {
    const std::uint32_t louder = std::max(volume & 0xFFFF, volume >> 16);
    double percent = louder * 100.0 / 0xFFFF;
    mpv_set_property(m_mpv.get(), "volume", MPV_FORMAT_DOUBLE, &percent);
}

double MpvPlayer::volumePercent() const {
    return number("volume");
}

bool MpvPlayer::audioStarted() const {
    double audioPts = 0;
    return m_loaded && !flag("core-idle") &&
           mpv_get_property(m_mpv.get(), "audio-pts", MPV_FORMAT_DOUBLE, &audioPts) >= 0;
}

void MpvPlayer::takeNewFrame() {
    if (!m_render)
        return;
    if (!(mpv_render_context_update(m_render.get()) & MPV_RENDER_UPDATE_FRAME))
        return;
    // Rendered at once, whether or not anybody draws it: mpv's video output waits for each
    // picture to be taken.
    int width = m_frame.width(), height = m_frame.height();
    if (m_frame.empty()) {
        std::int64_t videoWidth = 0, videoHeight = 0;
        mpv_get_property(m_mpv.get(), "dwidth", MPV_FORMAT_INT64, &videoWidth);
        mpv_get_property(m_mpv.get(), "dheight", MPV_FORMAT_INT64, &videoHeight);
        width = videoWidth > 0 ? static_cast<int>(videoWidth) : 320;
        height = videoHeight > 0 ? static_cast<int>(videoHeight) : 240;
    }
    renderFrame(width, height);
    m_hasFrame = m_loaded;
    if (m_hasFrame && m_options.onNewFrame)
        m_options.onNewFrame(); // last: the handler may do anything, even close this player
}

void MpvPlayer::renderFrame(int width, int height) {
    if (m_frame.width() != width || m_frame.height() != height)
        m_frame = Picture::create(width, height);
    SDL_Surface* surface = m_frame.surface();
    if (!surface)
        return;
    int size[2] = {width, height};
    std::size_t stride = static_cast<std::size_t>(surface->pitch);
    int blockForTargetTime = 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                 {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(kFramePixelFormat)},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, surface->pixels},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(m_render.get(), params);
}

bool MpvPlayer::drawFrame(Canvas& canvas, const Rect& area) {
    if (!m_render || !m_loaded || !m_hasFrame || area.isEmpty())
        return false;
    // mpv scales the picture into the area itself, aspect ratio kept and black around it.
    if (m_frame.width() != area.width() || m_frame.height() != area.height())
        renderFrame(area.width(), area.height());
    if (m_frame.empty())
        return false;
    canvas.draw(area.left, area.top, m_frame);
    return true;
}

} // namespace platform
