#pragma once
#include <vector>

#include "platform/clock.h"

namespace tarvoline::testing {

// A clock that moves only when told to (or when slept on), so timed behaviour runs in microseconds.
class FakeClock : public Clock {
public:
    LocalTime Now() const override { return now; }
    std::int64_t TickMilliseconds() const override { return ticks; }
    void Sleep(std::int64_t milliseconds) override {
        ticks += milliseconds;
        sleeps.push_back(milliseconds);
    }

    LocalTime now{2014, 5, 12, 9, 5, 3, 0};
    std::int64_t ticks = 0;
    std::vector<std::int64_t> sleeps;
};

} // namespace tarvoline::testing
