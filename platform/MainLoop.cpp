#include "platform/MainLoop.h"

#include "platform/KeyMap.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <optional>
#include <thread>

namespace platform {

namespace {
constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
// Without a deadline the loop still wakes now and then, so a quit from a signal is seen.
constexpr std::int64_t kLongestWaitMs = 250;

// The window's own event for an SDL event; nothing for events the window does not handle.
std::optional<Event> eventFromSdl(const SDL_Event& sdl) {
    Event event;
    switch (sdl.type) {
    case SDL_QUIT:
        event.type = Event::Type::Quit;
        return event;
    case SDL_WINDOWEVENT:
        event.windowId = sdl.window.windowID;
        if (sdl.window.event == SDL_WINDOWEVENT_CLOSE)
            event.type = Event::Type::Quit;
        else if (sdl.window.event == SDL_WINDOWEVENT_EXPOSED)
            event.type = Event::Type::Exposed;
        else
            return std::nullopt;
        return event;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        event.type = sdl.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp;
        event.key = virtualKeyFromSdl(sdl.key.keysym.sym, sdl.key.keysym.scancode);
        event.shift = shiftDown(sdl.key.keysym.mod);
        event.ctrl = ctrlDown(sdl.key.keysym.mod);
        event.alt = altDown(sdl.key.keysym.mod);
        return event;
    case SDL_TEXTINPUT:
        event.type = Event::Type::TextInput;
        event.text = sdl.text.text;
        return event;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        event.type = sdl.type == SDL_MOUSEBUTTONDOWN ? Event::Type::MouseButtonDown
                                                     : Event::Type::MouseButtonUp;
        event.button = sdl.button.button;
        event.clicks = sdl.button.clicks;
        event.x = sdl.button.x;
        event.y = sdl.button.y;
        return event;
    case SDL_MOUSEMOTION:
        event.type = Event::Type::MouseMotion;
        event.x = sdl.motion.x;
        event.y = sdl.motion.y;
        return event;
    case SDL_MOUSEWHEEL:
        // A wheel event carries no position; the pointer's current one stands for it.
        event.type = Event::Type::MouseWheel;
        SDL_GetMouseState(&event.x, &event.y);
        event.wheelSteps =
            sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -sdl.wheel.y : sdl.wheel.y;
        return event;
    default:
        return std::nullopt;
    }
}

void deliver(const std::function<void(const Event&)>& handler, const SDL_Event& sdl) {
    if (!handler)
        return;
    if (const std::optional<Event> event = eventFromSdl(sdl))
        handler(*event);
}
} // namespace

Timer::Timer(MainLoop& loop, std::string name, int intervalMs, bool enabled)
    : m_loop(loop), m_name(std::move(name)), m_interval(intervalMs), m_enabled(enabled),
      m_order(0) {
    m_loop.addTimer(this);
    startInterval();
}

Timer::~Timer() {
    m_loop.removeTimer(this);
}

void Timer::startInterval() {
    m_deadline = m_loop.clock().nowMs() + m_interval;
}

void Timer::restart() {
    m_enabled = true;
    startInterval();
}

void Timer::setInterval(int ms) {
    if (ms == m_interval)
        return;
    m_interval = ms;
    startInterval();
}

void Timer::setEnabled(bool enabled) {
    if (enabled && !m_enabled)
        startInterval();
    m_enabled = enabled;
}

MainLoop::MainLoop(Clock& clock) : m_clock(clock), m_wakeEvent(SDL_RegisterEvents(1)) {}

MainLoop::~MainLoop() = default;

void MainLoop::addTimer(Timer* timer) {
    timer->m_order = m_timerOrder++;
    m_timers.push_back(timer);
}

void MainLoop::removeTimer(Timer* timer) {
    std::erase(m_timers, timer);
}

void MainLoop::post(std::function<void()> work) {
    {
        std::lock_guard lock(m_postedMutex);
        m_posted.push_back(std::move(work));
    }
    if (m_wakeEvent != static_cast<std::uint32_t>(-1) && SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Event event{};
        event.type = m_wakeEvent;
        SDL_PushEvent(&event);
    }
}

void MainLoop::runPosted() {
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(m_postedMutex);
            if (m_posted.empty())
                return;
            work = std::move(m_posted.front());
            m_posted.pop_front();
        }
        work();
    }
}

void MainLoop::dispatchEvents() {
    if (!SDL_WasInit(SDL_INIT_EVENTS))
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == m_wakeEvent)
            continue;
        deliver(m_eventHandler, event);
    }
}

std::int64_t MainLoop::nextTimerDeadline() const {
    std::int64_t next = kNever;
    for (const Timer* timer : m_timers) {
        if (timer->m_enabled && timer->m_interval > 0 && !timer->m_running)
            next = std::min(next, timer->m_deadline);
    }
    return next;
}

bool MainLoop::fireDueTimers() {
    const std::int64_t now = m_clock.nowMs();
    std::vector<Timer*> due;
    for (Timer* timer : m_timers) {
        if (timer->m_enabled && timer->m_interval > 0 && !timer->m_running &&
            timer->m_deadline <= now)
            due.push_back(timer);
    }
    std::sort(due.begin(), due.end(), [](const Timer* a, const Timer* b) {
        return a->m_deadline != b->m_deadline ? a->m_deadline < b->m_deadline
                                              : a->m_order < b->m_order;
    });
    for (Timer* timer : due) {
        // An earlier handler may have stopped, restarted or removed this timer.
        if (std::find(m_timers.begin(), m_timers.end(), timer) == m_timers.end())
            continue;
        if (!timer->m_enabled || timer->m_running || timer->m_deadline > now)
            continue;
        timer->m_deadline = now + timer->m_interval;
        if (!timer->m_onTimer)
            continue;
        timer->m_running = true;
        timer->m_onTimer();
        // The handler cannot destroy its own timer: timers live as long as their window.
        timer->m_running = false;
    }
    return !due.empty();
}

void MainLoop::paintIfRequested() {
    if (!m_repaintRequested && m_updateRegions == 0)
        return;
    const bool wholeWindow = m_repaintRequested;
    const std::uint32_t regions = m_updateRegions;
    // Cleared first: what the handler itself asks for belongs to the next pass.
    m_repaintRequested = false;
    m_updateRegions = 0;
    if (m_paintHandler)
        m_paintHandler(wholeWindow, regions);
}

void MainLoop::processPending() {
    dispatchEvents();
    runPosted();
    fireDueTimers();
    paintIfRequested();
}

void MainLoop::waitForEvents(std::int64_t untilMs) {
    const std::int64_t waitMs =
        std::clamp<std::int64_t>(untilMs - m_clock.nowMs(), 0, kLongestWaitMs);
    if (!SDL_WasInit(SDL_INIT_EVENTS)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<std::int64_t>(waitMs, 10)));
        return;
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(waitMs)) && event.type != m_wakeEvent)
        deliver(m_eventHandler, event);
}

void MainLoop::runUntil(std::int64_t deadline, bool stopOnQuit) {
    auto* manual = m_clock.isManual() ? dynamic_cast<ManualClock*>(&m_clock) : nullptr;
    for (;;) {
        processPending();
        if (stopOnQuit && m_quit)
            return;
        const std::int64_t now = m_clock.nowMs();
        if (now >= deadline)
            return;
        const std::int64_t next = std::min(nextTimerDeadline(), deadline);
        if (manual) {
            if (next == kNever)
                return; // nothing would ever happen: a manual clock does not move by itself
            {
                std::lock_guard lock(m_postedMutex);
                if (!m_posted.empty())
                    continue;
            }
            if (next > now)
                manual->set(next);
        } else {
            waitForEvents(next);
        }
    }
}

void MainLoop::run() {
    if (!m_clock.isManual()) {
        runUntil(kNever, true);
        return;
    }
    // A manual clock only moves when a test says so; meanwhile wait for events in real time.
    while (!m_quit) {
        processPending();
        if (m_quit)
            break;
        SDL_Event event;
        if (SDL_WasInit(SDL_INIT_EVENTS) && SDL_WaitEventTimeout(&event, 10) &&
            event.type != m_wakeEvent)
            deliver(m_eventHandler, event);
    }
}

void MainLoop::WaitProcessingMessages(int ms) {
    runUntil(m_clock.nowMs() + std::max(ms, 0), true);
}

bool MainLoop::hasPendingWork() {
    {
        std::lock_guard lock(m_postedMutex);
        if (!m_posted.empty())
            return true;
    }
    if (!SDL_WasInit(SDL_INIT_EVENTS))
        return false;
    SDL_PumpEvents();
    return SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE;
}

void MainLoop::runModal(const std::function<bool()>& finished, const std::function<bool()>& idle) {
    while (!finished() && !m_quit) {
        processPending();
        if (finished() || m_quit)
            return;
        const bool moreIdleWork = idle && idle();
        if (finished() || m_quit)
            return;
        if (!m_clock.isManual()) {
            if (!moreIdleWork)
                waitForEvents(nextTimerDeadline());
            continue;
        }
        if (hasPendingWork())
            continue;
        // The handler may end the dialog itself, through the input it gives.
        if (!m_modalIdleHandler || !m_modalIdleHandler())
            return;
    }
}

void MainLoop::advance(std::int64_t ms) {
    runUntil(m_clock.nowMs() + ms, false);
}

} // namespace platform
