#pragma once

#include "config/FirstRunSetup.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Event.h"
#include "platform/MainLoop.h"
#include "platform/Window.h"

#include <string>
#include <vector>

// The full-screen first-run set-up of "config.exe" in the Default skin: its background, fonts
// and colours as the options screen uses them. Driven by the program's keys (arrows, Return,
// Escape as "0", digits, Page Up/Down, Home, End; Left/Right change a choice, Backspace goes
// up in the folder browser) and by the mouse (a click highlights a line, a click on the
// highlighted line acts as Return; the wheel moves the highlight). Main thread only.
class SetupScreen {
public:
    // Opens the window in the set-up's resolution at (0, 0) and reads the Default skin
    // (gProgramDirectory's own, else the one beside the executable).
    SetupScreen(FirstRunSetup& setup, platform::Clock& clock);
    SetupScreen(const SetupScreen&) = delete;
    SetupScreen& operator=(const SetupScreen&) = delete;

    // Runs until the set-up is saved or left with Escape.
    void run();
    void handleEvent(const platform::Event& event);
    bool ended() const { return m_loop.quitRequested(); }

    platform::MainLoop& loop() { return m_loop; }
    platform::Window& window() { return m_window; }

    // Layout: how many lines the list shows, the bar of the visible line `line` (a row, or an
    // entry of the folder browser) and the first browser entry shown.
    int visibleLines() const { return kVisibleLines; }
    platform::Rect lineRect(int line) const;
    int firstVisibleEntry() const { return m_browserOffset; }

private:
    static constexpr int kVisibleLines = 9;

    void handleKey(int key);
    void handleClick(int x, int y);
    void keepHighlightVisible();
    void paint();
    void paintRows(platform::Canvas& canvas);
    void paintBrowser(platform::Canvas& canvas);
    std::string text(SetupText id) const;

    FirstRunSetup& m_setup;
    platform::SdlSession m_sdl; // before the window and the loop, which need SDL
    platform::MainLoop m_loop;
    platform::Window m_window;
    platform::Picture m_background;
    int m_browserOffset = 0;
};

// Starts the media front end detached in `directory`: the program beside this executable,
// else the one in `directory`. False when neither can be started.
bool StartMediaFrontEnd(const std::string& directory);

// The whole "config.exe" in `directory` (its Config.ini): with options it writes them and
// shows nothing; without, it shows the set-up and, once saved, starts the program. Returns the
// exit code: 0 done, 1 a failure (err says why; the set-up shows a box instead), 2 bad arguments
// (err: the usage).
// `out` receives what goes to standard output (the usage for --help).
int RunConfigProgram(const std::vector<std::string>& args, const std::string& directory,
                     platform::Clock& clock, std::string& out, std::string& err);
