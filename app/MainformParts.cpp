#include "app/MainformParts.h"

#include <cassert>

namespace {
// Main thread only; set and cleared by the parts objects themselves.
TMainformParts* gCurrentParts = nullptr;
} // namespace

TMainformParts& Mainform() {
    // The main window is constructed before anything that reaches for its parts, and tests
    // construct parts of their own.
    assert(gCurrentParts != nullptr);
    return *gCurrentParts;
}

bool MainformExists() {
    return gCurrentParts != nullptr;
}

TMainformParts::TMainformParts(platform::Clock* clock)
    : m_steadyClock(clock ? nullptr : std::make_unique<platform::SteadyClock>()),
      m_clock(clock ? clock : m_steadyClock.get()), m_loop(*m_clock),
      Timer_DeleteStatusMessage(m_loop, "Timer_DeleteStatusMessage", 4000, true),
      Timer_MusicTitleOver(m_loop, "Timer_MusicTitleOver", 1500, false),
      Timer_MusicTitlePlaying(m_loop, "Timer_MusicTitlePlaying", 1000, true),
      Timer_DiaShowShowTitle(m_loop, "Timer_DiaShowShowTitle", 50, false),
      Timer_Diashow(m_loop, "Timer_Diashow", 1000, false),
      Timer_DelayAfterKeyPressed(m_loop, "Timer_DelayAfterKeyPressed", 500, false),
      Timer_AnimateCurrentTitle(m_loop, "Timer_AnimateCurrentTitle", 100, true),
      Timer_InfoScroller(m_loop, "Timer_InfoScroller", 100, true),
      Timer_ShowNumberOfTracksInitially(m_loop, "Timer_ShowNumberOfTracksInitially", 100, false),
      Timer_ShowNumberOfTracksInitially2(m_loop, "Timer_ShowNumberOfTracksInitially2", 10000,
                                         false),
      Timer_RefreshClock(m_loop, "Timer_RefreshClock", 20000, false),
      Timer_ChangeCoverImage(m_loop, "Timer_ChangeCoverImage", 7000, false),
      Timer_ShowPressedKey(m_loop, "Timer_ShowPressedKey", 1000, false),
      Timer_ScreensaverCoverShow(m_loop, "Timer_ScreensaverCoverShow", 10, false),
      Timer_ScreensaverCoverShowWait(m_loop, "Timer_ScreensaverCoverShowWait", 5500, false),
      Timer_Screensaver(m_loop, "Timer_Screensaver", 2000, true),
      Timer_HoldScrollbarUpOrDown(m_loop, "Timer_HoldScrollbarUpOrDown", 100, false),
      Timer_HoldScrollbarDelay(m_loop, "Timer_HoldScrollbarDelay", 250, false),
      m_previous(gCurrentParts) {
    gCurrentParts = this;
}

TMainformParts::~TMainformParts() {
    // Parts live nested in one another (a test's parts around a whole program), so the one
    // constructed before takes over again.
    if (gCurrentParts == this)
        gCurrentParts = m_previous;
}
