#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>

namespace platform {

// Milliseconds on a monotonic time line. The program uses the steady clock; tests use the
// manual clock so that waits and timer intervals pass instantly and exactly.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
    // Calendar time in milliseconds since 1 January 1970 UTC: the system's time for the
    // program, a time set by the test for the manual clock, moving along with nowMs().
    virtual std::int64_t wallClockMs() const = 0;
    // A manual clock is advanced by whoever waits on it instead of sleeping.
    virtual bool isManual() const { return false; }
};

class SteadyClock final : public Clock {
public:
    std::int64_t nowMs() const override;
    std::int64_t wallClockMs() const override;
};

class ManualClock final : public Clock {
public:
    // The calendar starts at kDefaultWallClockMs, so that what a test draws is the same on
    // every run.
    explicit ManualClock(std::int64_t startMs = 0) : m_now(startMs) {
        setWallClockMs(kDefaultWallClockMs);
    }
    std::int64_t nowMs() const override { return m_now.load(); }
    std::int64_t wallClockMs() const override { return m_now.load() + m_wallOffset.load(); }
    bool isManual() const override { return true; }
    void advance(std::int64_t ms) { m_now += ms; }
    void set(std::int64_t ms) { m_now = ms; }
    // Sets the calendar time of this moment; it then moves with advance() and set().
    void setWallClockMs(std::int64_t ms) { m_wallOffset = ms - m_now.load(); }

    // Tuesday, 8 December 2026, 00:00:00 UTC.
    static constexpr std::int64_t kDefaultWallClockMs = 1'796'688'000'000;

private:
    std::atomic<std::int64_t> m_now;
    std::atomic<std::int64_t> m_wallOffset{0};
};

// The local time of a calendar time in milliseconds since 1970, rounded down to the second.
std::tm localTimeOfWallClock(std::int64_t wallClockMs);

} // namespace platform
