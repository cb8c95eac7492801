#pragma once

// What the whole-frame benchmarks share: one game for the process (started in a scratch
// directory, as the tests run it), a frame's CPU work without presenting it, and frame times
// with their median and 90th percentile.
#include "display/DisplayManager.hpp"
#include "support/Driver.hpp"
#include "support/Harness.hpp"
#include "world/GameManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

namespace bench
{
struct Game
{
    testsupport::ScratchDirectory scratch;
    testsupport::GameDriver driver;
};

inline Game& TheGame()
{
    static Game game;
    return game;
}

// Milliseconds per frame, timed one frame at a time.
class FrameTimes
{
public:
    template <typename F> void Time(F&& frame)
    {
        const auto start = std::chrono::steady_clock::now();
        frame();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    void Report(benchmark::State& state)
    {
        if (times.empty())
            return;
        std::sort(times.begin(), times.end());
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["p90_ms"] = times[times.size() * 9 / 10];
        state.counters["objects"] = static_cast<double>(WorldManager::getInstance().objects.size());
    }

private:
    std::vector<double> times;
};

// The frame's CPU work up to handing the draw calls to the window: the steps of the loop's
// frame in the same order, without the final display() that waits for the picture.
inline void FrameWithoutPresent(double dt)
{
    GameManager& game = GameManager::getInstance();
    DisplayManager& display = DisplayManager::getInstance();
    display.PollWindowEvents();
    game.Update(dt);
    game.Draw();
    display.cells.Flush();
}
} // namespace bench
