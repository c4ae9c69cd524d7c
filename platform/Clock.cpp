#include "platform/Clock.h"

#include <chrono>

namespace platform {

std::int64_t SteadyClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t SteadyClock::wallClockMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::tm localTimeOfWallClock(std::int64_t wallClockMs) {
    // Rounded down also before 1970, so that a moment stays within its own second.
    const std::int64_t seconds = wallClockMs >= 0 ? wallClockMs / 1000 : (wallClockMs - 999) / 1000;
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (::localtime_r(&time, &local) == nullptr)
        return std::tm{};
    return local;
}

} // namespace platform
