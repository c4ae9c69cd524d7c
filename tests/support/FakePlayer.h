#pragma once

#include "platform/Clock.h"
#include "platform/MediaPlayer.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// A media player on the test's clock. A file that exists opens; it plays for the length its
// MP3 header gives (or the default length), its position advances with the clock while it
// plays, and at its end it reports stopped, as a real player does. Every call and every volume
// is recorded with the time it was made.
class FakePlayer final : public platform::MediaPlayer {
public:
    // The colour a video picture is drawn in.
    static constexpr platform::Color kPictureColor = platform::rgb(20, 200, 120);

    FakePlayer(const platform::Clock& clock, bool video) : m_clock(clock), m_video(video) {}

    // Opens of `path` fail with `text`, as for a file the player cannot decode.
    void failOpen(const std::string& path, std::string text) { m_failures[path] = std::move(text); }
    void setLength(const std::string& path, std::int64_t ms) { m_lengths[path] = ms; }

    struct Call {
        std::int64_t atMs;
        std::string what; // "open PATH", "play", "pause", "resume", "stop", "seek MS", "close"
    };
    struct Volume {
        std::int64_t atMs;
        std::uint32_t volume;
    };
    const std::vector<Call>& calls() const { return m_calls; }
    const std::vector<Volume>& volumes() const { return m_volumes; }
    const std::string& openedPath() const { return m_path; }
    // The volume given last (full volume before any).
    std::uint32_t volume() const {
        return m_volumes.empty() ? 0xFFFFFFFFu : m_volumes.back().volume;
    }

    bool open(const std::string& path) override;
    void close() override;
    void play() override;
    void pause() override;
    void resume() override;
    void stop() override;
    void seek(std::int64_t positionMs) override;
    std::int64_t positionMs() const override;
    std::int64_t lengthMs() const override { return m_length; }
    platform::PlayerMode mode() const override;
    void setVolume(std::uint32_t volume) override;
    int lastErrorCode() const override { return m_errorText.empty() ? 0 : 1; }
    std::string lastErrorText() const override { return m_errorText; }
    bool drawFrame(platform::Canvas& canvas, const platform::Rect& area) override;

private:
    void record(std::string what) { m_calls.push_back({m_clock.nowMs(), std::move(what)}); }
    // Fixes the position reached so far before the state changes.
    void settle();

    const platform::Clock& m_clock;
    bool m_video;
    std::map<std::string, std::string> m_failures;
    std::map<std::string, std::int64_t> m_lengths;
    std::vector<Call> m_calls;
    std::vector<Volume> m_volumes;
    std::string m_path;
    std::string m_errorText;
    std::int64_t m_length = 0;
    std::int64_t m_position = 0; // at m_since
    std::int64_t m_since = 0;
    platform::PlayerMode m_state = platform::PlayerMode::NotReady;
};

// What a test's main window makes its players with: fakes on the test's clock.
inline std::function<std::unique_ptr<platform::MediaPlayer>(bool video)>
fakePlayers(const platform::Clock& clock) {
    return [&clock](bool video) { return std::make_unique<FakePlayer>(clock, video); };
}

} // namespace testsupport
