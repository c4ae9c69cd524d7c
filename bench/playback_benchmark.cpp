// Measures, with real libmpv and null audio output, how soon sound starts after open() and
// play() of an MP3, and the gap from the end of one title to the sound of the next: for the
// player alone, and for the whole program from the Return key on (with its muted lead-in and
// its polling for the end of a title).
//   build/bench/zvn_playback_benchmark

#include "app/AppState.h"
#include "app/Mainform.h"
#include "library/FolderListing.h"
#include "platform/KeyMap.h"
#include "platform/MpvPlayer.h"
#include "platform/Window.h"
#include "playback/Players.h"
#include "support/GeneratedMedia.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>
#include <utility>

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

// The whole program on a real clock with its real players, an album of two titles made by
// ffmpeg, and a probe timer that notes, every millisecond, the moments the player reaches.
class ProgramBench {
public:
    explicit ProgramBench(benchmark::State& state) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("ZVN_HEADLESS", "1", 0);
        const std::filesystem::path root = m_dir.path();
        std::filesystem::create_directories(root / "Musik/Album");
        std::filesystem::create_directory_symlink(ZVN_SOURCE_DIR "/Skins", root / "Skins");
        std::ofstream(root / "Config.ini")
            << "[Paths]\r\nMP3Path=" << (root / "Musik").string() << "/\r\n";
        m_album = (root / "Musik/Album/").string();
        if (!testsupport::makeToneMp3(m_album + "01.mp3", 1.0) ||
            !testsupport::makeToneMp3(m_album + "02.mp3", 10.0, std::nullopt, 660)) {
            state.SkipWithError("ffmpeg cannot make the test MP3s");
            return;
        }
        m_form.emplace(TMainform::Options{root.string(), nullptr, {}});
        m_form->FormCreate();
        m_form->FormShow();
        m_player = dynamic_cast<platform::MpvPlayer*>(gMusicPlayer.get());
        if (!m_player)
            state.SkipWithError("no libmpv player");
    }

    bool ready() const { return m_player != nullptr; }

    // Return on title `row` (1 the first) of the album; the times from the key to the first
    // sound (muted), to the first audible sound and, when `untilSecond`, from the end of the
    // first title to the second one's sound and audible sound.
    struct Times {
        double firstSound = 0, audible = 0, gapToSound = 0, gapToAudible = 0;
    };
    std::optional<Times> press(int row, bool untilSecond) {
        // From silence: nothing is open, so no fade-out comes first.
        m_player->close();
        ListMusicFolder(m_album);
        gMenuMode = mmMusic;
        HightlightTitlebarIndex = row;
        struct Marks {
            std::optional<Clock::time_point> sound, audible, ended, secondSound, secondAudible;
        } marks;
        const auto audible = [this] {
            return m_player->audioStarted() && m_player->volumePercent() > 0;
        };
        platform::Timer probe(m_form->loop(), "probe", 1, true);
        probe.setHandler([&] {
            const auto now = Clock::now();
            const bool second = gActualTitleIndex == 1 && marks.ended;
            auto& sound = second ? marks.secondSound : marks.sound;
            auto& loud = second ? marks.secondAudible : marks.audible;
            if (!sound && m_player->audioStarted())
                sound = now;
            if (!loud && audible())
                loud = now;
            if (untilSecond && !marks.ended && marks.audible &&
                m_player->mode() == platform::PlayerMode::Stopped)
                marks.ended = now;
        });
        const Clock::time_point start = Clock::now();
        platform::Event key;
        key.type = platform::Event::Type::KeyDown;
        key.key = platform::vk::Return;
        m_form->handleEvent(key);
        const auto deadline = start + std::chrono::seconds(20);
        while (!(untilSecond ? marks.secondAudible : marks.audible) && Clock::now() < deadline)
            m_form->loop().processPending();
        if (!marks.sound || !marks.audible || (untilSecond && !marks.secondAudible))
            return std::nullopt;
        const auto seconds = [](Clock::time_point from, Clock::time_point to) {
            return std::chrono::duration<double>(to - from).count();
        };
        Times times{seconds(start, *marks.sound), seconds(start, *marks.audible), 0, 0};
        if (untilSecond) {
            times.gapToSound = seconds(*marks.ended, *marks.secondSound);
            times.gapToAudible = seconds(*marks.ended, *marks.secondAudible);
        }
        return times;
    }

private:
    platform::SdlSession m_sdl;
    testsupport::TempDir m_dir;
    std::string m_album;
    std::optional<TMainform> m_form;
    platform::MpvPlayer* m_player = nullptr;
};

// Presses Return on `row` each iteration; the iteration's time and the "audible_ms" counter are
// the two figures `pick` takes from the times measured.
void measurePresses(benchmark::State& state, int row, bool untilSecond,
                    std::pair<double, double> (*pick)(const ProgramBench::Times&)) {
    ProgramBench bench(state);
    if (!bench.ready())
        return;
    double audible = 0;
    for (auto _ : state) {
        const auto times = bench.press(row, untilSecond);
        if (!times) {
            state.SkipWithError("no sound within 20 s");
            break;
        }
        const auto [time, heard] = pick(*times);
        state.SetIterationTime(time);
        audible += heard;
    }
    state.counters["audible_ms"] =
        benchmark::Counter(audible * 1000, benchmark::Counter::kAvgIterations);
}

// Return on a title until the player hands out its first (muted) sound; the counter
// "audible_ms" adds the muted lead-in.
void ReturnKeyToFirstAudio(benchmark::State& state) {
    measurePresses(state, 2, false, [](const ProgramBench::Times& times) {
        return std::pair{times.firstSound, times.audible};
    });
}
BENCHMARK(ReturnKeyToFirstAudio)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// A one-second title plays to its end; the time until the next title's first sound (the end is
// noticed by a poll every 1.5 s), and in "audible_ms" until it is heard.
void ProgramGapBetweenTitles(benchmark::State& state) {
    measurePresses(state, 1, true, [](const ProgramBench::Times& times) {
        return std::pair{times.gapToSound, times.gapToAudible};
    });
}
BENCHMARK(ProgramGapBetweenTitles)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(6);

} // namespace

BENCHMARK_MAIN();
