// Long random use of the whole program: keys from the whole key table, typed text, clicks,
// the wheel and time passing, over the test library with the fake players, in every mode.
// After every event the program's state must be consistent. A failure prints the seed and the
// last events, and how to run exactly these events again.
//
// By hand: ZVN_SOAK_SEED=N ZVN_SOAK_EVENTS=COUNT (ZVN_SOAK_HEAP=1 prints the heap in use at the
// start, after the first minute and at the end).

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "input/Menubar.h"
#include "library/FolderInfoWorker.h"
#include "library/LibraryScan.h"
#include "platform/KeyMap.h"
#include "playback/Players.h"
#include "support/AppDriver.h"
#include "support/KeepOpenGlLoaded.h"
#include "ui/Editfield.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testsupport::AppDriver;
namespace vk = platform::vk;

// Under a minute under AddressSanitizer on a small machine, a few seconds in the plain build;
// ThreadSanitizer is several times slower still, and its run looks at the threads, not at
// the length of the walk.
constexpr std::uint64_t kDefaultSeed = 20261209;
#if defined(__SANITIZE_THREAD__)
constexpr long kDefaultEvents = 1000;
#else
constexpr long kDefaultEvents = 5000;
#endif
constexpr std::size_t kEventsShown = 200;

long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

// Every key the key table produces, with the SDL codes that produce it.
const std::vector<std::pair<int, testsupport::SdlKeyCodes>>& keyTable() {
    static const std::vector<std::pair<int, testsupport::SdlKeyCodes>> keys = [] {
        std::vector<std::pair<int, testsupport::SdlKeyCodes>> found;
        for (int code = 1; code < vk::Unassigned; ++code)
            if (const auto sdl = testsupport::sdlKeyFor(code))
                found.emplace_back(code, *sdl);
        return found;
    }();
    return keys;
}

const std::set<std::uint8_t> kModes = {
    mmMain,      mmMusic,           mmPhoto,           mmVideo,   mmOptions,
    mmPlaylists, mmPlaylist,        mmProgramLinks,    mmJukebox, mmSearch,
    mmPhotoView, mmCoverFullscreen, mmCoverScreensaver};

double secondsSince(std::chrono::steady_clock::time_point began) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
}

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

class Soak {
public:
    Soak(std::uint64_t seed, long events) : m_random(seed), m_seed(seed), m_events(events) {}

    void run() {
        AppDriver::Settings settings;
        // The screensaver is reached within the time the events let pass.
        settings.moreDisplay = "EnableZUVENScreensaver=30\r\n";
        m_driver.createLibrary(settings);
        testsupport::writeFile(
            m_driver.musicRoot() + "Mix.m3u",
            "#EXTM3U\r\nEinzeltitel - Sommerhit.mp3\r\nABBA\\ABBA - Waterloo.mp3\r\n");
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(m_driver.musicRoot()))
            if (entry.path().extension() == ".mp3")
                m_titles.push_back(entry.path().string());
        m_config = testsupport::readFile(m_driver.programFolder() + "/Config.ini");
        keyTable();
        start();

        const bool reportHeap = environmentNumber("ZVN_SOAK_HEAP", 0) != 0;
        const std::size_t heapAtStart = m_heapAfterStart;
        std::size_t heapAfterMinute = 0;
        for (m_index = 0; m_index < m_events; ++m_index) {
            m_dialogSteps = 0;
            step();
            settle();
            if (!checkInvariants())
                return;
            m_modesSeen.insert(gMenuMode);
            // The heap is compared right after starts, where the program is in the same state.
            if (heapAfterMinute == 0 && secondsSince(m_began) >= 60 && m_heapAfterStart != 0 &&
                m_lastStartSeconds >= 60)
                heapAfterMinute = m_heapAfterStart;
            if (reportHeap && (m_index + 1) % 10000 == 0) {
                std::printf("soak: %ld events, %.0f s, heap in use %zu bytes, after the last "
                            "start %zu bytes\n",
                            m_index + 1, secondsSince(m_began), heapInUse(), m_heapAfterStart);
                std::fflush(stdout);
            }
        }
        if (reportHeap) {
            m_driver.stop();
            start();
            std::printf("soak: %ld events in %.0f s, %d starts; heap in use after a start: at the "
                        "start %zu, after the first minute %zu, at the end %zu bytes; modes "
                        "reached:%s\n",
                        m_events, secondsSince(m_began), m_starts, heapAtStart, heapAfterMinute,
                        m_heapAfterStart, modesText().c_str());
        }
        Editfield.Hide();
        m_driver.stop();
    }

    std::string modesText() const {
        std::string text;
        for (const std::uint8_t mode : m_modesSeen)
            text += " " + std::to_string(mode);
        return text;
    }

private:
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }

    void note(std::string what) {
        m_recent.push_back(std::to_string(m_index) + ":" + std::move(what));
        if (m_recent.size() > kEventsShown)
            m_recent.pop_front();
    }

    // Starts the program as a fresh process would.
    void start() {
        ++m_starts;
        // Every start begins from the same settings: a screen size chosen on the options screen
        // would otherwise stay for the rest of the run (and with it the heap it takes).
        testsupport::writeFile(m_driver.programFolder() + "/Config.ini", m_config);
        ASSERT_TRUE(m_driver.start());
        m_driver.waitUntil([] { return gLibraryScanFinished; });
        // The 3D cover show opens OpenGL windows; loading the renderer anew each time is slow.
        testsupport::keepOpenGlLibrariesLoaded();
        // Titles of different lengths: some end while the events go on, some are skipped in.
        for (const std::string& title : m_titles)
            m_driver.musicPlayer().setLength(title, between(0, 8) * 1500);
        m_driver.form().loop().setModalIdleHandler([this] { return answerDialog(); });
        m_heapAfterStart = heapInUse();
        m_lastStartSeconds = secondsSince(m_began);
    }

    // Input for the text-entry dialog and the 3D cover show: some text or keys, time passing,
    // and in the end OK or cancel. Returning false cancels the dialog.
    bool answerDialog() {
        if (++m_dialogSteps > 6)
            return false;
        switch (pick(5)) {
        case 0: {
            static const char* const kNames[] = {"Party", "Fête", "a", " ", "Neu 2", "..", "x/y"};
            const std::string name = kNames[pick(7)];
            note("dialog text \"" + name + "\"");
            m_driver.typeText(name);
            break;
        }
        case 1:
            note("dialog advance");
            m_driver.advance(between(10, 400));
            break;
        case 2:
            note("dialog key Back");
            m_driver.pressKey(vk::Back);
            break;
        case 3:
            note("dialog key Return");
            m_driver.pressKey(vk::Return);
            break;
        default:
            note("dialog key Escape");
            m_driver.pressKey(vk::Escape);
            break;
        }
        return true;
    }

    void pressKey(int virtualKey, const testsupport::SdlKeyCodes& codes) {
        const bool shift = pick(10) == 0;
        const bool ctrl = pick(12) == 0;
        note("key " + std::to_string(virtualKey) + (shift ? "+shift" : "") + (ctrl ? "+ctrl" : ""));
        m_driver.pressSdlKey(codes.keycode, codes.scancode, shift, ctrl);
    }

    void click(const char* what, SDL_Point at) {
        const int clicks = pick(6) == 0 ? 2 : 1;
        const int button = pick(12) == 0 ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT;
        note(std::string("click ") + what + " " + std::to_string(at.x) + "," +
             std::to_string(at.y) + (clicks == 2 ? " double" : "") +
             (button == SDL_BUTTON_RIGHT ? " right" : ""));
        m_driver.click(at, clicks, button);
    }

    void step() {
        const int roll = pick(100);
        if (roll < 28) {
            // A key of a button of the menubar shown: the commands of every mode are reached.
            if (gNumberOfMenuItems > 0) {
                const TMenuItem& item = gMenubarItems[static_cast<std::size_t>(
                    pick(std::min(gNumberOfMenuItems, kMenubarItemCapacity)))];
                const int code = item.Key2 != 0 && pick(2) == 0 ? item.Key2 : item.Key1;
                // A start costs far more than any other event; most runs go on instead.
                const bool skipped = item.Command == "EXIT" && pick(8) != 0;
                const auto sdl = testsupport::sdlKeyFor(code);
                if (sdl && !skipped) {
                    pressKey(code, *sdl);
                    return;
                }
            }
            pressKey(vk::Return, *testsupport::sdlKeyFor(vk::Return));
        } else if (roll < 48) {
            const auto& [code, sdl] =
                keyTable()[static_cast<std::size_t>(pick(static_cast<int>(keyTable().size())))];
            pressKey(code, sdl);
        } else if (roll < 52) {
            static const char* const kTexts[] = {"a", "Q", "ü", "ß", " ", "7", "ab", "Nena"};
            const std::string text = kTexts[pick(8)];
            note("text \"" + text + "\"");
            m_driver.typeText(text);
        } else if (roll < 64) {
            click("row", m_driver.rowCenter(pick(std::max(1, VisibleRows()))));
        } else if (roll < 70) {
            click("menubar", m_driver.menubarSlotCenter(pick(std::max(1, gNumberOfMenubars))));
        } else if (roll < 74) {
            scrollbar();
        } else if (roll < 77) {
            const int part = pick(3);
            click("header", part == 0   ? m_driver.headerHome()
                            : part == 1 ? m_driver.headerCaption()
                                        : SDL_Point{pick(gIniScreenWidth),
                                                    pick(std::max(1, gHeaderBarRect.height()))});
        } else if (roll < 81) {
            const int width = std::max(1, gSkin.MediaPlayerButtons.width());
            click("media", {gMediaButtonsLeft + 8 + pick(width),
                            gMediaButtonsY + gSkin.MediaPlayerButtons.height() / 2});
        } else if (roll < 85) {
            const int steps = between(-3, 3);
            note("wheel " + std::to_string(steps));
            m_driver.wheel(steps);
        } else if (roll < 87) {
            const SDL_Point at{pick(gIniScreenWidth), pick(gIniScreenHeight)};
            note("move " + std::to_string(at.x) + "," + std::to_string(at.y));
            m_driver.moveMouse(at);
        } else {
            const int kind = pick(20);
            const int ms = kind < 14   ? between(1, 600)
                           : kind < 19 ? between(600, 6000)
                                       : between(6000, 40000);
            note("advance " + std::to_string(ms));
            m_driver.advance(ms);
        }
    }

    // A press on the scrollbar's arrows or track, held for a while, then released.
    void scrollbar() {
        const int part = pick(3);
        const SDL_Point at =
            part == 0   ? m_driver.scrollbarUpArrow()
            : part == 1 ? m_driver.scrollbarDownArrow()
                        : m_driver.scrollbarAt(between(gScrollbarRect.top, gScrollbarRect.bottom));
        const int hold = pick(3) == 0 ? between(100, 2000) : 0;
        note("scrollbar " + std::to_string(at.x) + "," + std::to_string(at.y) + " held " +
             std::to_string(hold));
        m_driver.mouseDown(at.x, at.y);
        if (hold > 0)
            m_driver.advance(hold);
        m_driver.mouseUp(at.x, at.y);
    }

    // Lets the folder workers finish, so that a seed always gives the same run; restarts the
    // program once it has ended.
    void settle() {
        WaitForFolderInfoWorkers();
        m_driver.pump();
        if (m_driver.running() && m_driver.form().terminated()) {
            note("restart");
            m_driver.stop();
            start();
        }
    }

    bool checkInvariants() {
        std::vector<std::string> broken;
        const auto expect = [&broken](bool holds, const std::string& what) {
            if (!holds)
                broken.push_back(what);
        };
        const int count = gListElements ? gListElements->count() : -1;
        expect(count >= 0, "the list exists");
        expect(HightlightTitlebarIndex >= 0 && HightlightTitlebarIndex < VisibleRows(),
               "the highlighted row " + std::to_string(HightlightTitlebarIndex) +
                   " is a row of the " + std::to_string(VisibleRows()));
        expect(gListElementOffset >= 0 && (gListElementOffset < count || gListElementOffset == 0),
               "the offset " + std::to_string(gListElementOffset) + " lies in the list of " +
                   std::to_string(count));
        expect(count <= 0 || CurrentListElement() != nullptr,
               "a current element at " + std::to_string(gListElementOffset) + "+" +
                   std::to_string(HightlightTitlebarIndex) + " of " + std::to_string(count));

        expect(kModes.count(gMenuMode) == 1, "a known menu mode");
        if (gMenuMode <= mmSearch) {
            const auto shown = gMenubarItems;
            const int shownCount = gNumberOfMenuItems;
            BuildMenubar();
            bool same = shownCount == gNumberOfMenuItems;
            for (int i = 0; same && i < shownCount; ++i) {
                const TMenuItem& a = shown[static_cast<std::size_t>(i)];
                const TMenuItem& b = gMenubarItems[static_cast<std::size_t>(i)];
                same = a.Command == b.Command && a.Key1 == b.Key1 && a.Key2 == b.Key2 &&
                       a.Captions == b.Captions;
            }
            gMenubarItems = shown;
            gNumberOfMenuItems = shownCount;
            expect(same, "the menubar is the one of mode " + std::to_string(gMenuMode));
        }
        expect(gPositionStack.count >= 0 && gPositionStack.count <= 40,
               "the position stack holds " + std::to_string(gPositionStack.count));
        expect(Editfield.Visible() == (gMenuMode == mmSearch),
               "the search field is shown exactly in the search");

        TMainformParts& form = m_driver.form();
        expect(gMenuMode == mmCoverScreensaver || (!form.Timer_ScreensaverCoverShow.enabled() &&
                                                   !form.Timer_ScreensaverCoverShowWait.enabled()),
               "no screensaver cover show outside the screensaver");
        expect(gMenuMode == mmPhotoView || !form.Timer_DiaShowShowTitle.enabled(),
               "no photo caption timer outside the photo view");
        expect(!form.Timer_HoldScrollbarUpOrDown.enabled() &&
                   !form.Timer_HoldScrollbarDelay.enabled(),
               "no scrollbar repeat once the button is up");
        expect(!gPlayingTitle || m_driver.musicPlayer().mode() != platform::PlayerMode::Playing ||
                   form.Timer_MusicTitleOver.enabled(),
               "the end of the title playing is watched for");
        const int queued = gActualTitleList.count();
        expect(gActualTitleIndex >= 0 && (gActualTitleIndex < queued || gActualTitleIndex == 0),
               "the queue index " + std::to_string(gActualTitleIndex) + " lies in the queue of " +
                   std::to_string(queued));
        if (broken.empty())
            return true;

        std::ostringstream report;
        report << "After event " << m_index << " of the soak with seed " << m_seed << ":\n";
        for (const std::string& what : broken)
            report << "  not held: " << what << "\n";
        report << "Mode " << int{gMenuMode} << ", list of " << count << ", offset "
               << gListElementOffset << ", row " << HightlightTitlebarIndex << ".\n";
        report << "The last events:\n";
        for (const std::string& event : m_recent)
            report << "  " << event << "\n";
        report << "Again: ZVN_SOAK_SEED=" << m_seed << " ZVN_SOAK_EVENTS=" << m_index + 1
               << " build/tests/zuvenmedia_tests --gtest_filter='SoakTest.*'\n";
        ADD_FAILURE() << report.str();
        return false;
    }

    std::mt19937_64 m_random;
    std::uint64_t m_seed;
    long m_events;
    long m_index = 0;
    int m_dialogSteps = 0;
    int m_starts = 0;
    std::deque<std::string> m_recent;
    std::set<std::uint8_t> m_modesSeen;
    std::chrono::steady_clock::time_point m_began = std::chrono::steady_clock::now();
    std::size_t m_heapAfterStart = 0;
    double m_lastStartSeconds = 0;
    std::vector<std::string> m_titles;
    std::string m_config;
    AppDriver m_driver;
};

TEST(SoakTest, RandomUseInEveryModeKeepsTheStateConsistent) {
    const auto seed = static_cast<std::uint64_t>(
        environmentNumber("ZVN_SOAK_SEED", static_cast<long>(kDefaultSeed)));
    const long events = environmentNumber("ZVN_SOAK_EVENTS", kDefaultEvents);
    ResetLibraryLists();
    Soak soak(seed, events);
    soak.run();
}

} // namespace

namespace {

// Found by the soak: a title played normally from the search, after the jukebox ran, left the
// search's menubar without its "Abspielen" button.
TEST(SoakFindingsTest, PlayingNormallyAfterTheJukeboxBringsBackThePlayButton) {
    ResetLibraryLists();
    AppDriver driver;
    driver.createLibrary();
    ASSERT_TRUE(driver.start());
    ASSERT_TRUE(driver.waitUntil([] { return gLibraryScanFinished; }));
    driver.pressKey(vk::Return); // "Musik"
    driver.pressKey('S');
    ASSERT_EQ(gMenuMode, mmSearch);
    for (const char letter : std::string("HIT")) {
        driver.pressKey(letter);
        driver.typeText(std::string(1, letter));
    }
    ASSERT_GT(gListElements->count(), 1);
    driver.pressKey(vk::OemPlus); // "In Jukebox"
    ASSERT_EQ(gPlayMode, kPlayModeJukebox);
    EXPECT_FALSE(driver.menubarSlotOf("PLAY"));

    // The play button among the media buttons starts the highlighted title normally.
    driver.click(gMediaButtonsLeft + 8 + gSkin.MediaPlayerButtons.width() * 3 / 10,
                 gMediaButtonsY + gSkin.MediaPlayerButtons.height() / 2);
    EXPECT_EQ(gPlayMode, kPlayModeNormal);
    EXPECT_TRUE(driver.menubarSlotOf("PLAY"));
    Editfield.Hide();
}

} // namespace
