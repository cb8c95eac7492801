#include "core/ClockSystem.hpp"
#include "display/DisplayManager.hpp"
#include "support/RecordingObject.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <SFML/Window/Event.hpp>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

using testsupport::RecordingObject;
using Hook = testsupport::RecordingReceiver;
using Log = std::vector<std::string>;

namespace
{
class GameLoop : public ::testing::Test
{
protected:
    void SetUp() override { GameManager::StartUp(); }
    // Objects still alive write to the log when destroyed: they go before it does.
    void TearDown() override { WorldManager::getInstance().DestroyEverything(); }

    GameManager& game = GameManager::getInstance();
    PhysicsManager& physics = PhysicsManager::getInstance();
    Log log;
};
} // namespace

TEST(FramePacer, SleepsUntilTheNextSlotAndRestartsTheGridAfterALateFrame)
{
    FramePacer pacer;
    pacer.nextFrame = 16;
    // Frames end at 10, at 50 (late: no sleep, and the backlog is dropped), at 60 and on the slot.
    std::vector<std::int64_t> sleeps;
    for (std::int64_t end : {10, 50, 60, 82})
        sleeps.push_back(pacer.WaitAfterFrame(end));
    EXPECT_EQ(sleeps, (std::vector<std::int64_t>{6, 0, 6, 0}));
    EXPECT_EQ(pacer.nextFrame, 98);
}

TEST_F(GameLoop, RunStartsWithOneSixtiethThenMeasuresAndStopsWhenTheWindowCloses)
{
    std::vector<double> steps;
    Hook hook(&log);
    hook.onEvent = [&](Event& event)
    {
        // A slow start-up must not reach the first steps.
        if (event.GetName() == "Start")
            ClockSystem::getInstance().lastTime -= 100'000'000'000;
        else if (event.GetName() == "Tick")
            steps.push_back(physics.delta);
        else if (steps.size() == 2)
            DisplayManager::getInstance().HandleWindowEvent(sf::Event::Closed{});
    };
    for (Event* event : std::initializer_list<Event*>{&game.startEvent, &game.tickEvent, &game.lateTickEvent})
        event->Subscribe(&hook);
    const double cap = std::exchange(game.maxDelta, 1000.0); // to see the measured step
    game.Run();
    game.maxDelta = cap;
    EXPECT_EQ(log, (Log{":Start", ":Tick", ":LateTick", ":Tick", ":LateTick"}));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_DOUBLE_EQ(steps[0], 1.0 / 60.0);
    EXPECT_LT(steps[1], 10.0);
}

TEST_F(GameLoop, AFrameTicksMovesWithTheCappedStepLateTicksDeletesAndDrawsByDepth)
{
    auto* mover = new RecordingObject(&log, "mover");
    auto* wall = new RecordingObject(&log, "wall");
    auto* quitter = new RecordingObject(&log, "quitter");
    mover->solidness = wall->solidness = Soft;
    mover->velocityX = quitter->velocityX = 1.0;
    mover->depth = 2.0;
    wall->x = 0.2; // overlapping the mover, so the physics step reports a collision
    wall->depth = -1.0;
    game.tickEvent.Subscribe(mover);
    game.tickEvent.Subscribe(quitter);
    physics.collisionEvent.Subscribe(mover);
    game.lateTickEvent.Subscribe(mover);
    // Marked in its own tick handler: neither moved nor drawn.
    quitter->onEvent = [&](Event&) { WorldManager::getInstance().MarkForDeletion(quitter); };
    quitter->onDeleted = [&] { quitter->Note("at " + std::to_string(quitter->x)); };
    // Built in late tick: drawn that frame, ticking from the next.
    RecordingObject* born = nullptr;
    mover->onEvent = [&](Event& event)
    {
        if (event.GetName() != "LateTick" || born != nullptr)
            return;
        born = new RecordingObject(&log, "born");
        born->solidness = Spectral;
        game.tickEvent.Subscribe(born);
    };

    game.Step(0.08);
    EXPECT_EQ(log,
              (Log{"mover:Tick", "quitter:Tick", "quitter:OnDestroy", "mover:Collision", "mover:LateTick",
                   "quitter:deleted", "quitter:at 0.000000", "wall:Draw", "born:Draw", "mover:Draw"}));
    EXPECT_NEAR(mover->x, 0.08, 1e-12);
    log.clear();
    game.Step(0.25);
    EXPECT_EQ(log, (Log{"mover:Tick", "born:Tick", "mover:Collision", "mover:LateTick", "wall:Draw",
                        "born:Draw", "mover:Draw"}));
    EXPECT_DOUBLE_EQ(physics.delta, 0.1);
    EXPECT_NEAR(mover->x, 0.18, 1e-12);
}
