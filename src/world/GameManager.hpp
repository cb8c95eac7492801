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

// What the loop tells a frame observer about each frame.
struct FrameTiming
{
    // When the frame began, in nanoseconds of the monotonic clock.
    std::int64_t start = 0;
    // The CPU time the loop's thread spent on the engine's own work: polling the window, events,
    // physics, deletion and building the glyph batch, but not the graphics driver's part.
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
    // The frame itself, without polling the window: Update, then Draw, then the picture is shown.
    // For drivers that feed input of their own (tests, benchmarks).
    void Step(double measuredDelta);
    // Tick, physics, late tick and deletion.
    void Update(double measuredDelta);
    // Every live object's draw hook, in ascending depth, into the window's batch.
    void Draw();
    void Reset();

private:
    // The CPU time of the last Step's own work, without batches handed to the driver meanwhile.
    std::int64_t stepWorkCpuNs = 0;
};
