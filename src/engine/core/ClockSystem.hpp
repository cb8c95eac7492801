#pragma once

#include "engine/core/Manager.hpp"

#include <cstdint>

// Frame clock on the monotonic clock, in nanoseconds.
class ClockSystem : public Manager<ClockSystem>
{
public:
    std::int64_t startTime = 0;
    std::int64_t lastTime = 0;

    static void StartUp();
    static std::int64_t Now();

    std::int64_t ElapsedMs() const;
    // Seconds since the previous call (or StartUp), restarting the measurement.
    double Delta();
    static void SleepMs(std::int64_t ms);
};
