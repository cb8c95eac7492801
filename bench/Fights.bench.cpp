// A frame of each fight screen once its entrance is over and the menu shows: 1,000 orbiting
// stars, the foe, the doors, the actions bar and its buttons. The argument is the fight's scene
// (3, 12 or 13). Measured as the frame's CPU work alone, and as the whole frame with the picture
// presented.
#include "FrameTiming.hpp"
#include "game/FightButtons.hpp"
#include "state/Map.hpp"
#include "support/WorldQueries.hpp"

#include <benchmark/benchmark.h>

namespace
{
constexpr double kStep = 1.0 / 60.0;

// Builds the fight and plays its entrance (up to 11.5 seconds); false if the menu never came.
bool ReachMenu(benchmark::State& state)
{
    testsupport::GameDriver& game = bench::TheGame().driver; // started before the scene is built
    Map::getInstance().LoadScene(static_cast<std::int32_t>(state.range(0)));
    const bool shown =
        game.RunUntil([] { return !testsupport::LiveObjects<ActionsBar>().empty(); }, 200, 0.1);
    if (!shown)
        state.SkipWithError("the menu never showed");
    return shown;
}

void BM_FightFrameWithoutPresent(benchmark::State& state)
{
    if (!ReachMenu(state))
        return;
    bench::FrameTimes times;
    for (auto _ : state)
        times.Time([] { bench::FrameWithoutPresent(kStep); });
    // Present once so the queued drawing does not pile up for the next benchmark.
    DisplayManager::getInstance().window.display();
    times.Report(state);
}
BENCHMARK(BM_FightFrameWithoutPresent)->Arg(3)->Arg(12)->Arg(13)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FightFullFrame(benchmark::State& state)
{
    if (!ReachMenu(state))
        return;
    bench::FrameTimes times;
    for (auto _ : state)
        times.Time([] { GameManager::getInstance().Frame(kStep); });
    times.Report(state);
}
BENCHMARK(BM_FightFullFrame)->Arg(3)->Arg(12)->Arg(13)->Unit(benchmark::kMillisecond)->MinTime(2.0);
} // namespace
