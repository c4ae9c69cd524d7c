#include "support/FakePlayer.h"

#include "library/Mp3Element.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace testsupport {

namespace {

// Files that are no MP3 (videos) play this long unless a test says otherwise.
constexpr std::int64_t kDefaultLengthMs = 60'000;

} // namespace

bool FakePlayer::open(const std::string& path) {
    close();
    record("open " + path);
    if (const auto failure = m_failures.find(path); failure != m_failures.end()) {
        m_errorText = failure->second;
        return false;
    }
    if (!platform::fileExists(path)) {
        m_errorText = "loading failed";
        return false;
    }
    m_errorText.clear();
    m_path = path;
    if (const auto length = m_lengths.find(path); length != m_lengths.end()) {
        m_length = length->second;
    } else {
        const int seconds = ReadMp3ElementInfo(path).lengthSeconds;
        m_length = seconds > 0 ? seconds * std::int64_t{1000} : kDefaultLengthMs;
    }
    m_position = 0;
    m_since = m_clock.nowMs();
    m_state = platform::PlayerMode::Stopped;
    return true;
}

void FakePlayer::close() {
    if (m_state == platform::PlayerMode::NotReady)
        return;
    record("close");
    m_state = platform::PlayerMode::NotReady;
    m_path.clear();
    m_length = 0;
    m_position = 0;
}

void FakePlayer::settle() {
    m_position = positionMs();
    m_since = m_clock.nowMs();
}

void FakePlayer::play() {
    record("play");
    if (m_state == platform::PlayerMode::NotReady)
        return;
    settle();
    if (m_position >= m_length)
        m_position = 0;
    m_state = platform::PlayerMode::Playing;
}

void FakePlayer::pause() {
    record("pause");
    if (mode() != platform::PlayerMode::Playing)
        return;
    settle();
    m_state = platform::PlayerMode::Paused;
}

void FakePlayer::resume() {
    record("resume");
    if (m_state != platform::PlayerMode::Paused)
        return;
    settle();
    m_state = platform::PlayerMode::Playing;
}

void FakePlayer::stop() {
    record("stop");
    if (m_state == platform::PlayerMode::NotReady)
        return;
    settle();
    m_state = platform::PlayerMode::Stopped;
}

void FakePlayer::seek(std::int64_t positionMs) {
    record("seek " + std::to_string(positionMs));
    if (m_state == platform::PlayerMode::NotReady)
        return;
    settle();
    m_position = std::clamp<std::int64_t>(positionMs, 0, m_length);
}

std::int64_t FakePlayer::positionMs() const {
    if (m_state != platform::PlayerMode::Playing)
        return m_position;
    return std::min(m_length, m_position + (m_clock.nowMs() - m_since));
}

platform::PlayerMode FakePlayer::mode() const {
    // A file played to its end stops by itself.
    if (m_state == platform::PlayerMode::Playing && positionMs() >= m_length)
        return platform::PlayerMode::Stopped;
    return m_state;
}

void FakePlayer::setVolume(std::uint32_t volume) {
    m_volumes.push_back({m_clock.nowMs(), volume});
}

bool FakePlayer::drawFrame(platform::Canvas& canvas, const platform::Rect& area) {
    if (!m_video || m_state == platform::PlayerMode::NotReady)
        return false;
    canvas.fillRect(area, kPictureColor);
    return true;
}

} // namespace testsupport
