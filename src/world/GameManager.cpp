#include "world/GameManager.hpp"

#include "core/ClockSystem.hpp"
#include "core/LogManager.hpp"
#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "world/GameObject.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>

std::int64_t FramePacer::WaitAfterFrame(std::int64_t now)
{
    std::int64_t wait = nextFrame - now;
    if (wait <= 0)
    {
        nextFrame = now;
        wait = 0;
    }
    nextFrame += frameMs;
    return wait;
}

void GameManager::StartUp()
{
    GameManager& game = getInstance();
    LogManager::StartUp();
    ClockSystem::StartUp();
    WorldManager::StartUp();
    PhysicsManager& physics = PhysicsManager::getInstance();
    physics.outEvent = EventOut();
    physics.collisionEvent = EventCollision();
    DisplayManager::StartUp();
    InputManager::StartUp();
    game.tickEvent = EventTick();
    game.lateTickEvent = EventLateTick();
    game.startEvent = EventStart();
}

void GameManager::Reset()
{
    running = false;
    tickEvent = EventTick();
    lateTickEvent = EventLateTick();
    startEvent = EventStart();
    frameObserver = nullptr;
}

void GameManager::Run()
{
    running = true;
    startEvent.Publish();
    ClockSystem& clock = ClockSystem::getInstance();
    clock.Delta();
    if (!running)
        return;

    FramePacer pacer;
    pacer.frameMs = 1000 / targetFps;
    pacer.nextFrame = clock.ElapsedMs() + pacer.frameMs;
    bool firstFrame = true;
    for (;;)
    {
        FrameTiming timing;
        timing.start = ClockSystem::Now();
        const std::int64_t cpuStart = ClockSystem::ThreadCpuNow();
        if (!DisplayManager::getInstance().PollWindowEvents())
        {
            running = false;
            return;
        }
        const std::int64_t pollCpuNs = ClockSystem::ThreadCpuNow() - cpuStart;
        Step(firstFrame ? 1.0 / targetFps : clock.Delta());
        timing.workCpuNs = pollCpuNs + stepWorkCpuNs;
        if (!running)
            return;
        firstFrame = false;
        const std::int64_t wait = pacer.WaitAfterFrame(clock.ElapsedMs());
        timing.late = wait <= 0;
        if (frameObserver)
            frameObserver(timing);
        ClockSystem::SleepMs(wait);
        if (!running)
            return;
    }
}

bool GameManager::Frame(double measuredDelta)
{
    if (!DisplayManager::getInstance().PollWindowEvents())
    {
        running = false;
        return false;
    }
    Step(measuredDelta);
    return true;
}

void GameManager::Step(double measuredDelta)
{
    CellRenderer& cells = DisplayManager::getInstance().cells;
    const std::int64_t cpuStart = ClockSystem::ThreadCpuNow();
    cells.driverCpuNs = 0;
    Update(measuredDelta);
    Draw();
    // Batches handed to the driver in the middle of drawing count as presenting.
    stepWorkCpuNs = ClockSystem::ThreadCpuNow() - cpuStart - cells.driverCpuNs;
    DisplayManager::getInstance().Present();
}

void GameManager::Update(double measuredDelta)
{
    PhysicsManager& physics = PhysicsManager::getInstance();
    physics.delta = std::min(maxDelta, measuredDelta);
    tickEvent.Publish();
    physics.Update();
    lateTickEvent.Publish();
    WorldManager::getInstance().DeleteMarked();
}

void GameManager::Draw()
{
    DisplayManager::getInstance().BeginFrame();
    std::vector<GameObject*> drawing = WorldManager::getInstance().GetAllObjects();
    std::stable_sort(drawing.begin(), drawing.end(),
                     [](const GameObject* a, const GameObject* b) { return a->depth < b->depth; });
    for (GameObject* object : drawing)
        object->Draw();
}
