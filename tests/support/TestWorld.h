#pragma once

#include "TimeStamp.h"

#include <QString>

// A clock that stands still until the test moves it.
class ManualClock final : public Clock {
public:
    TimeStamp Reading() const override { return now; }
    void Advance(int ms) {
        const std::int64_t t = now.Milliseconds() + ms;
        now = TimeStamp(std::int32_t(t / 1000), std::uint16_t(t % 1000));
    }
    TimeStamp now{1000, 0};
};

// A host name that cannot be looked up, and whose lookup never leaves the machine: a label
// longer than 63 characters fails in the resolver itself, before any query is sent.
inline QString UnresolvableHost(char16_t letter = u'x') {
    return QString(64, letter) + QStringLiteral(".invalid");
}
