// Measures, with real libmpv and null audio output, how soon sound starts after open() and
// play() of an MP3, and the gap from the end of one title to the sound of the next.
//   build/bench/zvn_playback_benchmark

#include "platform/MpvPlayer.h"
#include "platform/Window.h"
#include "support/GeneratedMedia.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct PlaybackBench {
    PlaybackBench() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }

    std::unique_ptr<platform::MpvPlayer> makePlayer(benchmark::State& state) {
        platform::MpvPlayerOptions options;
        options.nullAudio = true;
        std::string error;
        auto player = platform::MpvPlayer::create(loop, std::move(options), error);
        if (!player)
            state.SkipWithError(error.c_str());
        return player;
    }

    std::string makeTone(benchmark::State& state, const std::string& name, double seconds) {
        const std::string path = dir.file(name);
        if (!testsupport::makeToneMp3(path, seconds))
            state.SkipWithError("ffmpeg cannot make the test MP3");
        return path;
    }

    // False when the condition is not met within 20 s.
    template <typename Condition> bool pumpUntil(Condition done) {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (!done()) {
            if (Clock::now() > deadline)
                return false;
            loop.processPending();
            std::this_thread::yield();
        }
        return true;
    }

    platform::SdlSession sdl;
    platform::ManualClock clock{0};
    platform::MainLoop loop{clock};
    testsupport::TempDir dir;
};

void setSeconds(benchmark::State& state, Clock::time_point start) {
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
}

// open() + play() until mpv plays sound: running, restarted and with an audio timestamp.
void OpenToFirstAudio(benchmark::State& state) {
    PlaybackBench bench;
    auto player = bench.makePlayer(state);
    const std::string title = bench.makeTone(state, "title.mp3", 5);
    if (!player || state.error_occurred())
        return;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        if (!player->open(title)) {
            state.SkipWithError(player->lastErrorText().c_str());
            break;
        }
        player->play();
        if (!bench.pumpUntil([&] { return player->audioStarted(); })) {
            state.SkipWithError("no sound within 20 s");
            break;
        }
        setSeconds(state, start);
        player->close();
    }
}
BENCHMARK(OpenToFirstAudio)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// A title ends (mode stopped at its end) and the next one is opened and played: the silence
// between them, as far as the player is concerned.
void GapBetweenTitles(benchmark::State& state) {
    PlaybackBench bench;
    auto player = bench.makePlayer(state);
    const std::string first = bench.makeTone(state, "first.mp3", 0.5);
    const std::string second = bench.makeTone(state, "second.mp3", 0.5);
    if (!player || state.error_occurred())
        return;
    for (auto _ : state) {
        if (!player->open(first)) {
            state.SkipWithError(player->lastErrorText().c_str());
            break;
        }
        player->play();
        if (!bench.pumpUntil([&] { return player->audioStarted(); }) ||
            !bench.pumpUntil([&] { return player->mode() == platform::PlayerMode::Stopped; })) {
            state.SkipWithError("the first title did not play to its end within 20 s");
            break;
        }
        const Clock::time_point ended = Clock::now();
        if (!player->open(second)) {
            state.SkipWithError(player->lastErrorText().c_str());
            break;
        }
        player->play();
        if (!bench.pumpUntil([&] { return player->audioStarted(); })) {
            state.SkipWithError("no sound within 20 s");
            break;
        }
        setSeconds(state, ended);
    }
}
BENCHMARK(GapBetweenTitles)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
