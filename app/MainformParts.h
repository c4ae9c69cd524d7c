#pragma once

#include "platform/Clock.h"
#include "platform/MainLoop.h"
#include "platform/Window.h"
#include "ui/CBImage.h"
#include "ui/Controls.h"

#include <memory>

// What the subsystems use of the main window: its loop and clock, the 18 timers, the picture
// controls and the window. The main window derives from it; tests construct it on its own, on
// a manual clock and without a window. Main thread only.
class TMainformParts {
    // Declared first: the timers below are constructed on this loop.
    std::unique_ptr<platform::SteadyClock> m_steadyClock;
    platform::Clock* m_clock;
    platform::MainLoop m_loop;

public:
    // Runs on `clock`, or on the steady clock when it is null. The parts object constructed
    // last is the current one (Mainform()) until it is destroyed; then the one before it is.
    explicit TMainformParts(platform::Clock* clock = nullptr);
    virtual ~TMainformParts();
    TMainformParts(const TMainformParts&) = delete;
    TMainformParts& operator=(const TMainformParts&) = delete;

    platform::MainLoop& loop() { return m_loop; }
    platform::Clock& clock() { return *m_clock; }
    // Null while no window exists (parts constructed without the main window).
    platform::Window* window() { return m_window.get(); }
    void requestRepaint() { m_loop.requestRepaint(); }
    // Ends the message loop once control is back in it.
    void terminate() { m_loop.quit(); }
    bool terminated() const { return m_loop.quitRequested(); }
    // Draws the whole window at once and presents it; parts without a window draw nothing.
    virtual void paintNow() {}

    // The picture controls placed on the window: the full-window photo and the album cover.
    TCBImage ImagePhoto;
    TCBImage CoverImage;
    // The screensaver's shadows right of and below the cover, and its caption.
    TShape CoverImageShape1;
    TShape CoverImageShape2;
    TLabel LabelCoverScreensaver1;

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

protected:
    // The main window opens its window once its own set-up has begun.
    void setWindow(std::unique_ptr<platform::Window> window) { m_window = std::move(window); }

private:
    // Declared after the timers and controls, so the window closes before they go.
    std::unique_ptr<platform::Window> m_window;
    TMainformParts* m_previous = nullptr;
};

// The current parts: the main window's while it exists; routines of every subsystem reach the
// timers, the loop and the canvas through it (main thread only).
TMainformParts& Mainform();
// Whether any parts exist: false before the main window is constructed and after it is gone.
bool MainformExists();
