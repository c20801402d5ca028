#pragma once
#include <cstdint>

namespace tarvoline {

// Local calendar time, as the log's time stamps need it.
struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
    // A monotonic millisecond counter for timeouts and pauses.
    virtual std::int64_t TickMilliseconds() const = 0;
    virtual void Sleep(std::int64_t milliseconds) = 0;
};

// The process's real clock (standard library only).
// Durations are plain milliseconds: libstdc++'s <chrono> cannot be compiled with the code page 932
// execution character set, so only clock.cpp includes it.
class SystemClock final : public Clock {
public:
    LocalTime Now() const override;
    std::int64_t TickMilliseconds() const override;
    void Sleep(std::int64_t milliseconds) override;
};

} // namespace tarvoline
