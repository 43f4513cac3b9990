#include "TimeStamp.h"

#include <chrono>
#include <cmath>

double TimeStamp::Seconds() const {
    return millitm * 0.001 + time;
}

void TimeStamp::SetSeconds(double x) {
    time = static_cast<std::int32_t>(std::floor(x));
    millitm = static_cast<std::uint16_t>(std::floor((x - time) * 1000));
}

TimeStamp TimeStamp::Now(const Clock& clock) {
    TimeStamp now;
    now.SetSeconds(clock.Reading().Seconds());
    return now;
}

TimeStamp TimeStamp::Minus(double s) const {
    TimeStamp intermediate;
    intermediate.SetSeconds(Seconds() - s);
    TimeStamp result;
    result.SetSeconds(intermediate.Seconds());
    return result;
}

TimeStamp SteadyClock::Reading() const {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return TimeStamp(static_cast<std::int32_t>(ms / 1000), static_cast<std::uint16_t>(ms % 1000));
}

const SteadyClock& SteadyClock::Instance() {
    static const SteadyClock clock;
    return clock;
}
