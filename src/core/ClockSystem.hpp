#pragma once

#include "core/Manager.hpp"

#include <cstdint>

// Frame clock on the monotonic clock, in nanoseconds.
class ClockSystem : public Manager<ClockSystem>
{
public:
    std::int64_t startTime = 0;
    std::int64_t lastTime = 0;

    static void StartUp();
    static std::int64_t Now();
    // CPU time this thread has used, in nanoseconds: what a stretch of work cost, whatever else
    // (the graphics driver's threads, other programs) ran on the cores meanwhile.
    static std::int64_t ThreadCpuNow();

    std::int64_t ElapsedMs() const;
    // Seconds since the previous call (or StartUp), restarting the measurement.
    double Delta();
    static void SleepMs(std::int64_t ms);
};
