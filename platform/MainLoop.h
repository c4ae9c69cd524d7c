#pragma once

#include "platform/Clock.h"
#include "platform/Event.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

class MainLoop;

// A named window timer. It fires only from the main loop, on the main thread. Enabling a
// disabled timer, or changing its interval, starts its interval anew.
class Timer {
public:
    Timer(MainLoop& loop, std::string name, int intervalMs, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return m_name; }
    int interval() const { return m_interval; }
    bool enabled() const { return m_enabled; }
    void setInterval(int ms);
    void setEnabled(bool enabled);
    void setHandler(std::function<void()> onTimer) { m_onTimer = std::move(onTimer); }
    std::int64_t deadline() const { return m_deadline; }
    // Enables the timer and starts its interval anew, whether it was running or not.
    void restart();

private:
    friend class MainLoop;
    void startInterval();

    MainLoop& m_loop;
    std::string m_name;
    int m_interval;
    bool m_enabled;
    bool m_running = false; // its handler is on the stack; a nested loop does not fire it again
    std::int64_t m_deadline = 0;
    std::uint64_t m_order; // ties between equal deadlines go by creation order
    std::function<void()> m_onTimer;
};

// The main thread's loop: window events, timers, work posted by other threads and coalesced
// repaint requests. Every member but post() belongs to the main thread.
class MainLoop {
public:
    explicit MainLoop(Clock& clock);
    ~MainLoop();
    MainLoop(const MainLoop&) = delete;
    MainLoop& operator=(const MainLoop&) = delete;

    Clock& clock() const { return m_clock; }

    void setEventHandler(std::function<void(const Event&)> handler) {
        m_eventHandler = std::move(handler);
    }
    // Called at the end of a pass that has something to paint: the whole window, or only the
    // regions marked since the last paint (bits whose meaning belongs to the handler's owner).
    using PaintHandler = std::function<void(bool wholeWindow, std::uint32_t regions)>;
    void setPaintHandler(PaintHandler handler) { m_paintHandler = std::move(handler); }

    // Thread-safe: queues work for the main thread and wakes the loop.
    void post(std::function<void()> work);
    // Requests within one pass are coalesced into one paint and one present.
    void requestRepaint() { m_repaintRequested = true; }
    bool repaintRequested() const { return m_repaintRequested; }
    void requestUpdate(std::uint32_t regions) { m_updateRegions |= regions; }
    std::uint32_t updateRequested() const { return m_updateRegions; }

    // Runs until quit() is called. With a manual clock the loop jumps from deadline to
    // deadline instead of sleeping.
    void run();
    void quit() { m_quit = true; }
    bool quitRequested() const { return m_quit; }

    // Keeps handling input, timers and posted work until ms have passed (nested loop).
    void WaitProcessingMessages(int ms);

    // The loop of a modal dialog: runs passes, waiting for input, until `finished` returns
    // true or quit is requested. A manual clock never moves by itself, so there the loop ends
    // once no input is left and the modal idle handler (tests) gives none.
    // `idle` runs once a pass after the input; when it returns true it wants to run again at
    // once (a dialog that animates), so the loop does not wait for input.
    void runModal(const std::function<bool()>& finished, const std::function<bool()>& idle = {});
    // Tests: called by a modal loop on a manual clock when it has nothing left to handle; it
    // gives the dialog its input and returns true, or returns false when it has none.
    void setModalIdleHandler(std::function<bool()> handler) {
        m_modalIdleHandler = std::move(handler);
    }

    // One pass: pending events, posted work, due timers, then at most one paint.
    void processPending();
    // Tests: moves a manual clock forward by ms, firing every timer at its deadline in order.
    void advance(std::int64_t ms);

private:
    friend class Timer;
    void addTimer(Timer* timer);
    void removeTimer(Timer* timer);
    void runUntil(std::int64_t deadline, bool stopOnQuit);
    bool fireDueTimers();
    void dispatchEvents();
    void runPosted();
    void paintIfRequested();
    std::int64_t nextTimerDeadline() const;
    bool hasPendingWork();
    void waitForEvents(std::int64_t untilMs);

    Clock& m_clock;
    std::vector<Timer*> m_timers;
    std::uint64_t m_timerOrder = 0;
    std::function<void(const Event&)> m_eventHandler;
    PaintHandler m_paintHandler;
    std::function<bool()> m_modalIdleHandler;
    bool m_repaintRequested = false;
    std::uint32_t m_updateRegions = 0;
    bool m_quit = false;
    std::uint32_t m_wakeEvent;

    std::mutex m_postedMutex; // guards m_posted
    std::deque<std::function<void()>> m_posted;
};

} // namespace platform
