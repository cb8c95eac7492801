// One physics step in a crowded scene: 1,400 stationary solid objects and 10 movers.
#include "display/DisplayManager.hpp"
#include "world/GameObject.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <benchmark/benchmark.h>
#include <vector>

namespace
{
struct Start
{
    GameObject* object;
    double x, y;
};

void BM_PhysicsUpdate(benchmark::State& state)
{
    DisplayManager& display = DisplayManager::getInstance();
    display.cameraHalfHeight = 12.0;
    PhysicsManager& physics = PhysicsManager::getInstance();
    physics.delta = 1.0 / 60.0;

    // Rocks on the map grid (cells of 2.24 x 3.5), each a one-character box.
    for (int gy = 0; gy < 35; ++gy)
        for (int gx = 0; gx < 40; ++gx)
        {
            auto* rock = new GameObject();
            rock->x = (gx - 20) * 2.24;
            rock->y = (gy - 17) * 3.5;
        }
    // Five walking doors (5 x 5 characters) and five fast particles (Soft, one character).
    std::vector<Start> movers;
    for (int i = 0; i < 10; ++i)
    {
        auto* mover = new GameObject();
        const bool door = i < 5;
        mover->boxWidth = door ? 1.6 : 0.32;
        mover->boxHeight = door ? 3.5 : 0.7;
        mover->solidness = door ? Solid : Soft;
        mover->slides = door;
        mover->velocityX = door ? 8.0 : 20.0;
        mover->velocityY = door ? 4.0 : -12.0;
        mover->x = (i - 5) * 2.24 + 1.12;
        mover->y = (i % 3) * 3.5 + 1.75;
        movers.push_back({mover, mover->x, mover->y});
    }

    for (auto _ : state)
    {
        for (const Start& start : movers)
        {
            start.object->x = start.x;
            start.object->y = start.y;
        }
        physics.Update();
    }
    state.counters["objects"] = 1410;
    WorldManager::getInstance().DestroyEverything();
}
BENCHMARK(BM_PhysicsUpdate)->Unit(benchmark::kMicrosecond);
} // namespace
