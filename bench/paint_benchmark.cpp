// Measures a full paint of the main screen and the partial redraws, with the Default skin.
//   build/bench/zvn_benchmarks --benchmark_filter=Paint

#include "app/AppState.h"
#include "app/Mainform.h"
#include "config/Config.h"
#include "library/ListElement.h"
#include "ui/Paint.h"
#include "ui/StatusLine.h"
#include "ui/TitlebarList.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// A program folder with the repository's skins and a music root, removed afterwards.
class BenchProgramFolder {
public:
    BenchProgramFolder(int width, int height) {
        m_path = std::filesystem::temp_directory_path() / "zvn-bench-paint";
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path / "Musik");
        std::filesystem::create_directory_symlink(ZVN_SOURCE_DIR "/Skins", m_path / "Skins");
        std::ofstream(m_path / "Config.ini")
            << "[Paths]\r\nMP3Path=" << (m_path / "Musik").string() << "/\r\n[Display]\r\n"
            << "ScreenWidth=" << width << "\r\nScreenHeight=" << height << "\r\n";
    }
    ~BenchProgramFolder() { std::filesystem::remove_all(m_path); }
    std::string path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

void fillMusicList() {
    auto& list = ReplaceListElements();
    list.add("0", std::make_shared<TListElement>(ListElementType::Back, "", "..", 0.0, 0));
    for (int i = 1; i <= 40; ++i) {
        auto title = std::make_shared<TListElement>(
            ListElementType::MP3, "/music/", "Interpret - Titel " + std::to_string(i) + ".mp3", 0.0,
            i);
        title->SetArtist("Interpret");
        title->SetTitle("Titel " + std::to_string(i));
        title->SetTrackNo(i);
        title->SetLength("3:0" + std::to_string(i % 10));
        list.add(std::to_string(i), title);
    }
    gMenuMode = mmMusic;
    gCurrentDirectory = "/music/Interpret/Album/";
}

void PaintFullScreen(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("ZVN_HEADLESS", "1", 0);
    platform::SdlSession sdl;
    BenchProgramFolder folder(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    platform::ManualClock clock;
    TMainform form(TMainform::Options{folder.path(), &clock, {}});
    form.FormCreate();
    fillMusicList();
    for (auto _ : state)
        form.FormPaint();
}
BENCHMARK(PaintFullScreen)
    ->Args({800, 600})
    ->Args({1280, 1024})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);

void PaintListOnly(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    platform::SdlSession sdl;
    BenchProgramFolder folder(1280, 1024);
    platform::ManualClock clock;
    TMainform form(TMainform::Options{folder.path(), &clock, {}});
    form.FormCreate();
    fillMusicList();
    for (auto _ : state) {
        DrawTitlebarList();
        DrawScrollbar();
        form.loop().processPending();
    }
}
BENCHMARK(PaintListOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
