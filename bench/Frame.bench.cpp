// A whole frame of the busiest moment of the game: the eagle bridge (about 600 tiles) with the
// cut-scene's 1,400 orbiting stars and a flying missile. Measures one GameManager::Frame, the
// same frame without presenting it, and the paced loop's real frame rate.
#include "FrameTiming.hpp"
#include "core/ClockSystem.hpp"
#include "game/Effects.hpp"
#include "state/Map.hpp"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace
{
constexpr double kStep = 1.0 / 60.0;

using bench::FrameTimes;

struct BusyScene
{
    testsupport::GameDriver& game = bench::TheGame().driver;
    Missile* missile = nullptr;

    BusyScene()
    {
        Map::getInstance().LoadScene(10);
        // The bridge's dialogue lines would stop the missile (and open a dialogue).
        for (GameObject* object : WorldManager::getInstance().GetAllObjects())
            if (object->type == "Trigger")
                WorldManager::getInstance().MarkForDeletion(object);
        for (int i = 0; i < 1400; ++i)
            new UnknownSpinnerStar();
        // The first frames bring the camera to the bridge and the stars onto their orbits.
        game.Frames(2, kStep);
        // The stars orbit (0, 3.7) at radii of 5 and more, and the rainbow water is solid above
        // and below the bridge: the missile flies along the bridge inside the stars' ring, so it
        // is tested against every star and tile each frame but never explodes.
        missile = new Missile({-1.5, 0.0}, {7.0, 0.0});
    }

    // Keeps the missile inside the ring; false once it has hit something after all.
    bool Rewind() const
    {
        const std::vector<GameObject*>& live = WorldManager::getInstance().objects;
        if (std::find(live.begin(), live.end(), missile) == live.end())
            return false;
        if (missile->x > 1.5)
            missile->x = -1.5;
        return true;
    }
};

BusyScene& Scene()
{
    static BusyScene scene;
    return scene;
}

void BM_FullFrame(benchmark::State& state)
{
    BusyScene& scene = Scene();
    FrameTimes times;
    for (auto _ : state)
    {
        if (!scene.Rewind())
        {
            state.SkipWithError("the missile exploded");
            break;
        }
        times.Time([] { GameManager::getInstance().Frame(kStep); });
    }
    times.Report(state);
}
BENCHMARK(BM_FullFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The frame's CPU work, without the final display() that waits for the picture.
void BM_FrameWithoutPresent(benchmark::State& state)
{
    BusyScene& scene = Scene();
    DisplayManager& display = DisplayManager::getInstance();
    FrameTimes times;
    for (auto _ : state)
    {
        if (!scene.Rewind())
        {
            state.SkipWithError("the missile exploded");
            break;
        }
        times.Time([] { bench::FrameWithoutPresent(kStep); });
    }
    // Present once so the queued drawing does not pile up for the next benchmark.
    display.window.display();
    times.Report(state);
}
BENCHMARK(BM_FrameWithoutPresent)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The paced loop itself for three seconds; a tick handler ends it.
struct LoopStopper : EventReceiver
{
    const BusyScene* scene = nullptr;
    std::int64_t startMs = 0;
    std::int64_t endMs = 0;
    int frames = 0;
    bool intact = true;

    void HandleEvent(Event&) override
    {
        intact = scene->Rewind() && intact;
        ClockSystem& clock = ClockSystem::getInstance();
        if (frames++ == 0)
            startMs = clock.ElapsedMs();
        endMs = clock.ElapsedMs();
        if (endMs - startMs >= 3000)
            GameManager::getInstance().running = false;
    }
};

void BM_LoopFrameRate(benchmark::State& state)
{
    BusyScene& scene = Scene();
    double fps = 0.0;
    for (auto _ : state)
    {
        LoopStopper stopper;
        stopper.scene = &scene;
        GameManager::getInstance().tickEvent.Subscribe(&stopper);
        GameManager::getInstance().Run();
        GameManager::getInstance().tickEvent.Unsubscribe(&stopper);
        if (!stopper.intact)
            state.SkipWithError("the missile exploded");
        fps = (stopper.frames - 1) * 1000.0 /
              static_cast<double>(std::max<std::int64_t>(1, stopper.endMs - stopper.startMs));
    }
    state.counters["fps"] = fps;
    state.counters["target_fps"] = GameManager::getInstance().targetFps;
}
BENCHMARK(BM_LoopFrameRate)->Unit(benchmark::kSecond)->Iterations(1);
} // namespace
