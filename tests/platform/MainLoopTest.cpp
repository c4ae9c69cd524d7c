#include "platform/MainLoop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }

    platform::ManualClock clock{1000};
    platform::MainLoop loop{clock};
};

TEST_F(MainLoopTest, TimerFiresEveryIntervalUnderManualClock) {
    platform::Timer timer(loop, "t", 100, true);
    std::vector<std::int64_t> firedAt;
    timer.setHandler([&] { firedAt.push_back(clock.nowMs()); });
    loop.advance(350);
    EXPECT_EQ(firedAt, (std::vector<std::int64_t>{1100, 1200, 1300}));
    EXPECT_EQ(clock.nowMs(), 1350);
}

TEST_F(MainLoopTest, DisabledTimerNeverFires) {
    platform::Timer timer(loop, "t", 10, false);
    int fired = 0;
    timer.setHandler([&] { ++fired; });
    loop.advance(1000);
    EXPECT_EQ(fired, 0);
}

TEST_F(MainLoopTest, EnablingOrChangingIntervalRestartsTheInterval) {
    platform::Timer timer(loop, "t", 1000, false);
    std::vector<std::int64_t> firedAt;
    timer.setHandler([&] { firedAt.push_back(clock.nowMs()); });
    loop.advance(500);
    timer.setEnabled(true); // counts from 1500
    loop.advance(900);
    EXPECT_TRUE(firedAt.empty());
    timer.setInterval(300); // counts anew from 2400
    loop.advance(300);
    EXPECT_EQ(firedAt, (std::vector<std::int64_t>{2700}));
    // Enabling an enabled timer does not restart it.
    loop.advance(200);
    timer.setEnabled(true);
    loop.advance(100);
    EXPECT_EQ(firedAt, (std::vector<std::int64_t>{2700, 3000}));
    // restart() does, running or not.
    loop.advance(200); // 3200
    timer.restart();
    loop.advance(250);
    timer.setEnabled(false);
    timer.restart(); // 3450
    loop.advance(299);
    EXPECT_EQ(firedAt, (std::vector<std::int64_t>{2700, 3000}));
    loop.advance(1);
    EXPECT_EQ(firedAt, (std::vector<std::int64_t>{2700, 3000, 3750}));
}

TEST_F(MainLoopTest, TimerThatStopsItselfFiresOnce) {
    platform::Timer timer(loop, "t", 1500, true);
    int fired = 0;
    timer.setHandler([&] {
        ++fired;
        timer.setEnabled(false);
    });
    loop.advance(10000);
    EXPECT_EQ(fired, 1);
}

TEST_F(MainLoopTest, EqualDeadlinesFireInCreationOrder) {
    platform::Timer first(loop, "a", 100, true);
    platform::Timer second(loop, "b", 100, true);
    std::string order;
    first.setHandler([&] { order += 'a'; });
    second.setHandler([&] { order += 'b'; });
    loop.advance(200);
    EXPECT_EQ(order, "abab");
}

TEST_F(MainLoopTest, WaitProcessingMessagesRunsTimersWhileWaiting) {
    platform::Timer timer(loop, "t", 100, true);
    int fired = 0;
    timer.setHandler([&] { ++fired; });
    loop.WaitProcessingMessages(500);
    EXPECT_EQ(fired, 5);
    EXPECT_EQ(clock.nowMs(), 1500);
}

TEST_F(MainLoopTest, NestedWaitInsideHandlerDoesNotRefireSameTimer) {
    platform::Timer timer(loop, "t", 100, true);
    platform::Timer other(loop, "o", 50, true);
    int fired = 0;
    int otherFired = 0;
    timer.setHandler([&] {
        ++fired;
        loop.WaitProcessingMessages(300);
    });
    other.setHandler([&] { ++otherFired; });
    loop.advance(100);
    // The nested wait let the other timer run, but not the busy one.
    EXPECT_EQ(fired, 1);
    EXPECT_GE(otherFired, 6);
}

TEST_F(MainLoopTest, RepaintRequestsAreCoalesced) {
    int paints = 0;
    bool lastWhole = false;
    std::uint32_t lastRegions = 0;
    loop.setPaintHandler([&](bool wholeWindow, std::uint32_t regions) {
        ++paints;
        lastWhole = wholeWindow;
        lastRegions = regions;
    });
    loop.requestRepaint();
    loop.requestRepaint();
    loop.requestRepaint();
    loop.processPending();
    EXPECT_EQ(paints, 1);
    loop.processPending();
    EXPECT_EQ(paints, 1);

    // Marked regions add up to one paint of their union; a whole-window request comes along.
    loop.requestUpdate(1);
    loop.requestUpdate(4);
    loop.processPending();
    EXPECT_EQ(paints, 2);
    EXPECT_FALSE(lastWhole);
    EXPECT_EQ(lastRegions, 5u);
    loop.requestUpdate(2);
    loop.requestRepaint();
    loop.processPending();
    EXPECT_EQ(paints, 3);
    EXPECT_TRUE(lastWhole);
    EXPECT_EQ(lastRegions, 2u);
    EXPECT_EQ(loop.updateRequested(), 0u);
}

TEST_F(MainLoopTest, WorkPostedFromAnotherThreadRunsOnTheLoopThread) {
    const auto loopThread = std::this_thread::get_id();
    std::vector<int> results;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i)
            loop.post([&, i] {
                EXPECT_EQ(std::this_thread::get_id(), loopThread);
                results.push_back(i);
            });
    });
    worker.join();
    loop.processPending();
    ASSERT_EQ(results.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(results[i], i);
}

TEST_F(MainLoopTest, QuitEndsRunAndNestedWait) {
    platform::Timer timer(loop, "t", 100, true);
    int fired = 0;
    timer.setHandler([&] {
        if (++fired == 3)
            loop.quit();
    });
    loop.WaitProcessingMessages(10000);
    EXPECT_EQ(fired, 3);
    EXPECT_TRUE(loop.quitRequested());
}

// SDL's events reach the handler as the window's own events; those the window does not handle
// (here a resize and a joystick axis) do not reach it at all.
TEST_F(MainLoopTest, SdlEventsReachTheHandler) {
    std::vector<std::string> seen;
    loop.setEventHandler([&](const platform::Event& event) {
        using Type = platform::Event::Type;
        std::string text;
        switch (event.type) {
        case Type::KeyDown:
        case Type::KeyUp:
            text = (event.type == Type::KeyDown ? "down " : "up ") + std::to_string(event.key) +
                   (event.shift ? " shift" : "") + (event.ctrl ? " ctrl" : "") +
                   (event.alt ? " alt" : "");
            break;
        case Type::TextInput:
            text = "text " + event.text;
            break;
        case Type::MouseButtonDown:
        case Type::MouseButtonUp:
            text = (event.type == Type::MouseButtonDown ? "press " : "release ") +
                   std::to_string(event.button) + " at " + std::to_string(event.x) + "," +
                   std::to_string(event.y) + " x" + std::to_string(event.clicks);
            break;
        case Type::MouseMotion:
            text = "move " + std::to_string(event.x) + "," + std::to_string(event.y);
            break;
        case Type::MouseWheel:
            text = "wheel " + std::to_string(event.wheelSteps);
            break;
        case Type::Quit:
            text = "quit";
            break;
        case Type::Exposed:
            text = "exposed";
            break;
        }
        seen.push_back(text);
    });

    std::vector<SDL_Event> events;
    const auto add = [&](std::uint32_t type, const std::function<void(SDL_Event&)>& fill) {
        SDL_Event event{};
        event.type = type;
        fill(event);
        events.push_back(event);
    };
    const auto none = [](SDL_Event&) {};
    const auto window = [](std::uint8_t what) {
        return [what](SDL_Event& event) { event.window.event = what; };
    };
    const auto key = [](SDL_Keycode sym, SDL_Scancode scancode, std::uint16_t mod) {
        return [=](SDL_Event& event) {
            event.key.keysym.sym = sym;
            event.key.keysym.scancode = scancode;
            event.key.keysym.mod = mod;
        };
    };
    const auto button = [](int which, int x, int y, int clicks) {
        return [=](SDL_Event& event) {
            event.button.button = static_cast<std::uint8_t>(which);
            event.button.x = x;
            event.button.y = y;
            event.button.clicks = static_cast<std::uint8_t>(clicks);
        };
    };
    const auto wheel = [](int y, std::uint32_t direction) {
        return [=](SDL_Event& event) {
            event.wheel.y = y;
            event.wheel.direction = direction;
        };
    };
    add(SDL_QUIT, none);
    add(SDL_WINDOWEVENT, window(SDL_WINDOWEVENT_CLOSE));
    add(SDL_WINDOWEVENT, window(SDL_WINDOWEVENT_EXPOSED));
    add(SDL_WINDOWEVENT, window(SDL_WINDOWEVENT_RESIZED));
    add(SDL_KEYDOWN, key(SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT));
    add(SDL_KEYUP, key(SDLK_a, SDL_SCANCODE_A, KMOD_RCTRL | KMOD_LALT));
    add(SDL_KEYDOWN, key(SDLK_DOWN, SDL_SCANCODE_DOWN, KMOD_NONE));
    add(SDL_TEXTINPUT, [](SDL_Event& event) { SDL_strlcpy(event.text.text, "\xc3\xa4", 32); });
    add(SDL_MOUSEBUTTONDOWN, button(SDL_BUTTON_LEFT, 12, 34, 2));
    add(SDL_MOUSEBUTTONUP, button(SDL_BUTTON_RIGHT, 5, 6, 1));
    add(SDL_MOUSEMOTION, [](SDL_Event& event) {
        event.motion.x = 70;
        event.motion.y = 80;
    });
    add(SDL_MOUSEWHEEL, wheel(2, SDL_MOUSEWHEEL_NORMAL));
    add(SDL_MOUSEWHEEL, wheel(1, SDL_MOUSEWHEEL_FLIPPED));
    add(SDL_JOYAXISMOTION, none);
    for (SDL_Event& event : events)
        SDL_PushEvent(&event);
    loop.processPending();

    EXPECT_EQ(seen, (std::vector<std::string>{"quit", "quit", "exposed", "down 65 shift",
                                              "up 65 ctrl alt", "down 40", "text \xc3\xa4",
                                              "press 1 at 12,34 x2", "release 3 at 5,6 x1",
                                              "move 70,80", "wheel 2", "wheel -1"}));
}

} // namespace
