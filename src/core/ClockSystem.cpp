#include "core/ClockSystem.hpp"

#include <chrono>
#include <ctime>
#include <thread>

std::int64_t ClockSystem::Now()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

void ClockSystem::StartUp()
{
    ClockSystem& clock = getInstance();
    clock.startTime = Now();
    clock.lastTime = clock.startTime;
}

std::int64_t ClockSystem::ThreadCpuNow()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::int64_t ClockSystem::ElapsedMs() const
{
    return (Now() - startTime) / 1000000;
}

double ClockSystem::Delta()
{
    const std::int64_t now = Now();
    const double seconds = static_cast<double>(now - lastTime) / 1e9;
    lastTime = now;
    return seconds;
}

void ClockSystem::SleepMs(std::int64_t ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
