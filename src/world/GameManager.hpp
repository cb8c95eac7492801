#pragma once

#include "core/Manager.hpp"

#include <cstdint>
#include <functional>

// Keeps frames on a fixed grid of `frameMs` slots. A frame that ends after its slot drops the
// backlog: the next slot is measured from that moment instead of running frames back to back.
struct FramePacer
{
    std::int64_t frameMs = 16;
    std::int64_t nextFrame = 0;

    // Milliseconds to sleep after a frame that ended at `now`; moves to the next slot.
    std::int64_t WaitAfterFrame(std::int64_t now);
};

// Where a frame's time went, in nanoseconds of the monotonic clock: reading the window's
// events, the engine's own work (events, physics, deletion, building the glyph batch), and
// presenting: handing the batch to the graphics driver and showing the picture.
struct FrameTiming
{
    std::int64_t start = 0;
    std::int64_t pollNs = 0;
    std::int64_t workNs = 0;
    std::int64_t presentNs = 0;
    // The CPU time the loop's thread spent on that work (polling and the engine's own part).
    std::int64_t workCpuNs = 0;
    // The frame ended after its slot on the 16 ms grid.
    bool late = false;
};

// Owns the main loop and the three frame events.
class GameManager : public Manager<GameManager>
{
public:
    bool running = false;
    EventTick tickEvent;
    EventLateTick lateTickEvent;
    EventStart startEvent;
    std::int32_t targetFps = 60;
    // The largest time step, in seconds, handed to the physics step.
    double maxDelta = 0.1;
    FrameTiming lastFrame;
    // Told about every frame the loop runs; for measuring tools.
    std::function<void(const FrameTiming&)> frameObserver;

    static void StartUp();

    void Run();
    // One pass of the loop with a given measured time step and no pacing: polls the window,
    // then runs the frame. False when the window was closed.
    bool Frame(double measuredDelta);
    // The frame itself, without polling the window: tick, physics, late tick, deletion, drawing.
    // For drivers that feed input of their own (tests, benchmarks).
    void Step(double measuredDelta);

private:
    // The thread's CPU clock when the last frame's own work ended.
    std::int64_t workCpuEnd = 0;
    std::int64_t midFrameDriverNs = 0;
};
