#pragma once

#include <cstdint>

class Clock;

// An instant or a span as whole seconds plus milliseconds. Every conversion from a real number
// floors both parts, so a round trip can lose a millisecond.
class TimeStamp {
public:
    TimeStamp() = default;
    TimeStamp(std::int32_t seconds, std::uint16_t milliseconds)
        : time(seconds), millitm(milliseconds) {}

    double Seconds() const;
    std::int64_t Milliseconds() const { return std::int64_t{time} * 1000 + millitm; }
    void SetSeconds(double x);
    static TimeStamp Now(const Clock& clock);
    TimeStamp Minus(double s) const;

    std::int32_t time = 0;
    std::uint16_t millitm = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeStamp Reading() const = 0;
};

// A monotonic clock: setting the wall clock back during a query must never make a ping negative.
class SteadyClock final : public Clock {
public:
    TimeStamp Reading() const override;
    static const SteadyClock& Instance();
};
