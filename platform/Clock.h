#pragma once

#include <atomic>
#include <cstdint>

namespace platform {

// Milliseconds on a monotonic time line. The program uses the steady clock; tests use the
// manual clock so that waits and timer intervals pass instantly and exactly.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
    // A manual clock is advanced by whoever waits on it instead of sleeping.
    virtual bool isManual() const { return false; }
};

class SteadyClock final : public Clock {
public:
    std::int64_t nowMs() const override;
};

class ManualClock final : public Clock {
public:
    explicit ManualClock(std::int64_t startMs = 0) : m_now(startMs) {}
    std::int64_t nowMs() const override { return m_now.load(); }
    bool isManual() const override { return true; }
    void advance(std::int64_t ms) { m_now += ms; }
    void set(std::int64_t ms) { m_now = ms; }

private:
    std::atomic<std::int64_t> m_now;
};

} // namespace platform
