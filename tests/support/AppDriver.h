#pragma once

#include "app/Log.h"
#include "app/Mainform.h"
#include "input/PressedKeyText.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "support/FakePlayer.h"
#include "support/TempDir.h"

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// Runs the whole application headless for end-to-end tests, on a program folder of its own.
//
//     AppDriver driver;
//     driver.createLibrary();          // Config.ini, skins and a small media library
//     ASSERT_TRUE(driver.start());     // FormCreate, the debug log, FormShow
//     driver.pressKey(platform::vk::Return);
//     driver.click(driver.rowCenter(0));
//     EXPECT_EQ(gMenuMode, mmMusic);   // state is read from the program's globals
//
// Input travels the way the real program receives it: as SDL events pushed onto SDL's queue
// and handed out by the main loop. Time comes from a manual clock that moves only through
// advance(). The program keeps process-wide state, so one driver runs at a time (every test
// runs in its own process).
class AppDriver {
public:
    // What createLibrary writes into Config.ini.
    struct Settings {
        int screenWidth = 800;
        int screenHeight = 600;
        int mouseButtonClicksToStart = 1;
        // Further "key=value\r\n" lines of the sections [Options] and [Display].
        std::string moreOptions;
        std::string moreDisplay;
    };

    // The media library that createLibrary builds. Names are listed as the folder listings
    // deliver them: sorted by name without regard to case.
    struct Library {
        // Folders of the music root; each holds titles and a front and a back cover.
        static const std::vector<std::string>& musicFolders();
        // Titles of the music root itself, after its folders.
        static const std::vector<std::string>& musicRootTitles();
        // Titles of the first music folder (file names).
        static const std::vector<std::string>& titlesOfFirstMusicFolder();
        static const std::vector<std::string>& photoFolders();
        static const std::vector<std::string>& photosOfPhotoRoot();
        static const std::vector<std::string>& videoFolders();
        static const std::vector<std::string>& videosOfVideoRoot();
        static const std::vector<std::string>& programFolders();
        // Names (without ".desktop") of the program links of the program-link root.
        static const std::vector<std::string>& programLinks();
    };

    // Fake: players driven by the manual clock (FakePlayer). Real: the program's own players on
    // libmpv with null audio output, and the steady clock instead of the manual one; time then
    // passes only in real time (waitUntil), never through advance().
    enum class Players { Fake, Real };

    explicit AppDriver(Players players = Players::Fake);
    ~AppDriver();
    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;

    // Builds the program folder: Config.ini (logging on, the four roots inside the folder),
    // the repository's skins, and the media library described by Library: MP3 titles with
    // ID3v1 tags, JPEG covers and photos, empty video files and desktop entries.
    void createLibrary(const Settings& settings);
    void createLibrary() { createLibrary(Settings{}); }

    // Runs the start-up as the program does: FormCreate, the debug log, FormShow, and one pass
    // of the loop. False when the start-up ended the program (no Config.ini, no skin).
    bool start();
    // Ends the program as closing its window does (callFunction_Exit), then destroys it.
    void stop();
    bool running() const { return m_form != nullptr; }

    TMainform& form() { return *m_form; }
    // The fake players of a started program (Players::Fake).
    FakePlayer& musicPlayer();
    FakePlayer& videoPlayer();
    platform::ManualClock& clock() { return m_clock; }

    // Folders of the library, each ending in "/"; programFolder() without a final "/".
    std::string programFolder() const { return m_folder.path(); }
    std::string musicRoot() const { return m_folder.path() + "/Musik/"; }
    std::string photoRoot() const { return m_folder.path() + "/Fotos/"; }
    std::string videoRoot() const { return m_folder.path() + "/Videos/"; }
    std::string programLinkRoot() const { return m_folder.path() + "/Programme/"; }

    // Keys: a key-down and a key-up event with the SDL codes that the key table turns into
    // this virtual-key code, with Shift and Ctrl as modifiers; then one pass of the loop.
    void pressKey(int virtualKey, bool shift = false, bool ctrl = false);
    // A key as a particular layout sends it, such as the "ä" of a German keyboard (keycode
    // 0xE4 on the apostrophe key), which SDL's own layout has no key for.
    void pressSdlKey(SDL_Keycode keycode, SDL_Scancode scancode, bool shift = false,
                     bool ctrl = false);
    // Text typed into a text field (an SDL text-input event), then one pass of the loop.
    void typeText(const std::string& text);

    // Answers the next modal dialogs, one function per showing, in order. Each runs inside
    // the dialog's own loop and gives it its input (typeText, pressKey, click), ending it with
    // OK or cancel. A dialog shown when no answer is left is cancelled.
    void answerDialogs(std::vector<std::function<void()>> answers);

    // Mouse, in window pixels; button 1 left, 3 right. Each event is followed by one pass of
    // the loop. click() presses and releases; with clicks = 2 it is a double click (press,
    // release, second press counted as 2, release), as SDL reports one.
    void mouseDown(int x, int y, int button = SDL_BUTTON_LEFT, int clicks = 1);
    void mouseUp(int x, int y, int button = SDL_BUTTON_LEFT, int clicks = 1);
    void click(int x, int y, int clicks = 1, int button = SDL_BUTTON_LEFT);
    void click(SDL_Point point, int clicks = 1, int button = SDL_BUTTON_LEFT) {
        click(point.x, point.y, clicks, button);
    }
    void moveMouse(int x, int y);
    void moveMouse(SDL_Point point) { moveMouse(point.x, point.y); }
    // Wheel steps: positive away from the user (up), negative towards the user (down).
    void wheel(int steps);

    // One pass of the main loop: pending events, posted work, due timers, a requested paint.
    void pump();
    // Moves the manual clock forward through the loop, firing every timer at its deadline.
    void advance(std::int64_t ms);
    // Pumps the loop until the condition holds, for work done on other threads (the library
    // scan, folder information). Waits in real time, at most timeoutMs; returns the condition.
    bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

    // The text of debug.txt so far, lines ending in CR LF.
    std::string log() const;
    // Whether debug.txt holds a line that is exactly `line`.
    bool logHasLine(const std::string& line) const;
    // How many times text occurs in debug.txt.
    int logCount(const std::string& text) const;

    // How often the window has been presented so far.
    int presents() const { return m_form->window()->presentCount(); }
    // Paints the whole screen now (FormPaint) and returns the window's back buffer.
    const platform::Canvas& frame();

    // Positions computed from the layout values of the current screen.
    // The centre of screen row `row` of the list (the main menu has its own row height).
    SDL_Point rowCenter(int row) const;
    // The centre of menubar slot `slot` (0 the top slot).
    SDL_Point menubarSlotCenter(int slot) const;
    // The slot showing the button with this command, nullopt when none shows it.
    std::optional<int> menubarSlotOf(const std::string& command) const;
    // The centre of the scrollbar's track, at height y.
    SDL_Point scrollbarAt(int y) const;
    // The centres of the scrollbar's arrow zones.
    SDL_Point scrollbarUpArrow() const;
    SDL_Point scrollbarDownArrow() const;
    // A point on the header's home half, and on the header's caption part (right half, away
    // from the icons).
    SDL_Point headerHome() const;
    SDL_Point headerCaption() const;

    // The list as shown: the Name of every element of gListElements, in order.
    static std::vector<std::string> listNames();
    // The Name of the highlighted element; empty when there is none.
    static std::string currentName();
    // The absolute index of the highlighted element (offset + row).
    static int currentIndex();

private:
    void push(SDL_Event& event);

    Players m_players;
    TempDir m_folder;
    platform::SdlSession m_sdl;
    platform::ManualClock m_clock{1'000'000};
    std::unique_ptr<TMainform> m_form;
    std::unique_ptr<TDebugForm> m_debugForm;
    std::deque<std::function<void()>> m_dialogAnswers;
};

// The SDL key codes (keycode and scancode) that the program's key table maps to a virtual-key
// code; nullopt for a code the table never produces.
struct SdlKeyCodes {
    SDL_Keycode keycode;
    SDL_Scancode scancode;
};
std::optional<SdlKeyCodes> sdlKeyFor(int virtualKey);

} // namespace testsupport
