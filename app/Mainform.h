#pragma once

#include "platform/Clock.h"
#include "platform/MainLoop.h"
#include "platform/Window.h"
#include "ui/CBImage.h"

#include <memory>
#include <string>
#include <thread>

// The main window: owns the loop's timers, the window and its back buffer, and runs the
// start-up sequence and the exit. Main thread only.
class TMainform {
    // Declared first: the timers below are constructed on this loop.
    std::unique_ptr<platform::SteadyClock> m_steadyClock;
    platform::Clock* m_clock;
    platform::MainLoop m_loop;

public:
    struct Options {
        std::string programDirectory;     // empty: the current working directory
        platform::Clock* clock = nullptr; // null: the steady clock
    };

    explicit TMainform(const Options& options);
    ~TMainform();
    TMainform(const TMainform&) = delete;
    TMainform& operator=(const TMainform&) = delete;

    // Runs the start-up sequence. Afterwards terminated() tells whether the program is to end
    // before it is shown (not configured, missing skin, missing Config.ini).
    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormClose();
    void FormDestroy();
    void handleEvent(const platform::Event& event);

    // Runs the message loop until the application is terminated.
    void run();
    void terminate() { m_loop.quit(); }
    bool terminated() const { return m_loop.quitRequested(); }
    // Start-up found no music root and handed over to the configuration program.
    bool notConfigured() const { return m_notConfigured; }

    platform::MainLoop& loop() { return m_loop; }
    platform::Clock& clock() { return *m_clock; }
    platform::Window* window() { return m_window.get(); }
    void requestRepaint() { m_loop.requestRepaint(); }

    // The picture controls placed on the window: the full-window photo and the album cover.
    TCBImage ImagePhoto;
    TCBImage CoverImage;

    // The 18 timers of the main window, as designed; start-up changes some of them.
    platform::Timer Timer_DeleteStatusMessage;
    platform::Timer Timer_MusicTitleOver;
    platform::Timer Timer_MusicTitlePlaying;
    platform::Timer Timer_DiaShowShowTitle;
    platform::Timer Timer_Diashow;
    platform::Timer Timer_DelayAfterKeyPressed;
    platform::Timer Timer_AnimateCurrentTitle;
    platform::Timer Timer_InfoScroller;
    platform::Timer Timer_ShowNumberOfTracksInitially;
    platform::Timer Timer_ShowNumberOfTracksInitially2;
    platform::Timer Timer_RefreshClock;
    platform::Timer Timer_ChangeCoverImage;
    platform::Timer Timer_ShowPressedKey;
    platform::Timer Timer_ScreensaverCoverShow;
    platform::Timer Timer_ScreensaverCoverShowWait;
    platform::Timer Timer_Screensaver;
    platform::Timer Timer_HoldScrollbarUpOrDown;
    platform::Timer Timer_HoldScrollbarDelay;

private:
    void runStartupSequence();
    void setUpPictureControls();

    std::unique_ptr<platform::Window> m_window;
    std::jthread m_scanThread;
    bool m_notConfigured = false;
    bool m_destroyed = false;
};

// The one main window while it exists; routines of every subsystem reach the timers, the loop
// and the canvas through it (main thread only).
TMainform& Mainform();
bool MainformExists();

// Ends the program through the one exit routine: logs, saves the ratings, terminates.
void callFunction_Exit();

// Applies the screensaver setting to Timer_Screensaver: off for 0 seconds or less.
void ApplyScreensaverTimer(TMainform& form, int seconds);
