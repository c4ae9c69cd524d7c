#include "playback/Players.h"

#include "platform/StartValues.h"

#include <utility>

namespace {

const platform::StartValues kStartValues(gPlayingTitleSeconds, gSecondsPlayed,
                                         gPlayingTitleLengthText, gProgressText, gIgnoreMusicEnd,
                                         gSkipBusy);

class Unavailable final : public platform::MediaPlayer {
public:
    explicit Unavailable(std::string reason) : m_reason(std::move(reason)) {}
    bool open(const std::string&) override { return false; }
    void close() override {}
    void play() override {}
    void pause() override {}
    void resume() override {}
    void stop() override {}
    void seek(std::int64_t) override {}
    std::int64_t positionMs() const override { return 0; }
    std::int64_t lengthMs() const override { return 0; }
    platform::PlayerMode mode() const override { return platform::PlayerMode::NotReady; }
    void setVolume(std::uint32_t) override {}
    int lastErrorCode() const override { return -1; }
    std::string lastErrorText() const override { return m_reason; }

private:
    std::string m_reason;
};

} // namespace

std::unique_ptr<platform::MediaPlayer> UnavailablePlayer(std::string reason) {
    return std::make_unique<Unavailable>(std::move(reason));
}

platform::PlayerMode MusicPlayerMode() {
    return gMusicPlayer ? gMusicPlayer->mode() : platform::PlayerMode::NotReady;
}

platform::PlayerMode VideoPlayerMode() {
    return gVideoPlayer ? gVideoPlayer->mode() : platform::PlayerMode::NotReady;
}

bool IsPlayingOrPaused(platform::PlayerMode mode) {
    return mode == platform::PlayerMode::Playing || mode == platform::PlayerMode::Paused;
}

void ResetPlayers() {
    kStartValues.restore();
    gMusicPlayer.reset();
    gVideoPlayer.reset();
    gPlayingTitle.reset();
}
