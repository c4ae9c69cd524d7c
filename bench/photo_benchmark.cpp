// Measures the time from a key to a 6000 x 4000 camera photo on screen in the photo view: the
// photo opened from the list (decoded when the key comes) and the next photo (decoded ahead
// while the one before was looked at). The photos are made by ffmpeg at run time.
//   build/bench/zvn_photo_benchmark

#include "app/AppState.h"
#include "app/Mainform.h"
#include "library/FolderListing.h"
#include "platform/KeyMap.h"
#include "platform/Window.h"
#include "support/GeneratedMedia.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

class PhotoBench {
public:
    explicit PhotoBench(benchmark::State& state) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("ZVN_HEADLESS", "1", 0);
        const std::filesystem::path root = m_dir.path();
        std::filesystem::create_directories(root / "Musik");
        std::filesystem::create_directories(root / "Fotos");
        std::filesystem::create_directory_symlink(ZVN_SOURCE_DIR "/Skins", root / "Skins");
        std::ofstream(root / "Config.ini")
            << "[Paths]\r\nMP3Path=" << (root / "Musik").string()
            << "/\r\nFotosPath=" << (root / "Fotos").string() << "/\r\n";
        m_photos = (root / "Fotos/").string();
        for (const char* name : {"1.jpg", "2.jpg"}) {
            if (!testsupport::runFfmpeg("-f lavfi -i testsrc2=size=6000x4000 -frames:v 1 -q:v 2 " +
                                        testsupport::shellQuoted(m_photos + name))) {
                state.SkipWithError("ffmpeg cannot make the 6000 x 4000 photos");
                return;
            }
        }
        m_form.emplace(TMainform::Options{root.string(), nullptr, {}});
        m_form->FormCreate();
        m_form->FormShow();
        m_ready = true;
    }

    bool ready() const { return m_ready; }

    // The key handled and the frame presented; seconds.
    double press(int key) {
        const int before = m_form->window()->presentCount();
        const Clock::time_point start = Clock::now();
        platform::Event event;
        event.type = platform::Event::Type::KeyDown;
        event.key = key;
        m_form->handleEvent(event);
        m_form->loop().processPending();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return m_form->window()->presentCount() > before ? seconds : -1;
    }

    // The folder list with the first photo highlighted, and time for workers to finish.
    void backToTheList() {
        if (gMenuMode == mmPhotoView)
            press(platform::vk::Escape);
        ListPhotoFolder(m_photos);
        gMenuMode = mmPhoto;
        gListElementOffset = 0;
        HightlightTitlebarIndex = 1;
        settle();
    }

    void settle() {
        const auto until = Clock::now() + std::chrono::milliseconds(1500);
        while (Clock::now() < until) {
            m_form->loop().processPending();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

private:
    testsupport::TempDir m_dir;
    std::string m_photos;
    std::optional<TMainform> m_form;
    bool m_ready = false;
};

void KeyToPhotoOnScreen(benchmark::State& state, bool decodedAhead) {
    PhotoBench bench(state);
    if (!bench.ready())
        return;
    for (auto _ : state) {
        bench.backToTheList();
        double seconds = bench.press(platform::vk::Return);
        if (decodedAhead) {
            bench.settle();
            seconds = bench.press(platform::vk::Right);
        }
        if (seconds < 0) {
            state.SkipWithError("the photo was not presented");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

void OpenFromTheList(benchmark::State& state) {
    KeyToPhotoOnScreen(state, false);
}
void NextPhotoDecodedAhead(benchmark::State& state) {
    KeyToPhotoOnScreen(state, true);
}
BENCHMARK(OpenFromTheList)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(NextPhotoDecodedAhead)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
