#include "display/DisplayManager.hpp"
#include "engine/world/GameManager.hpp"
#include "engine/world/PhysicsManager.hpp"
#include "engine/world/WorldManager.hpp"
#include "support/Harness.hpp"
#include "support/RecordingObject.hpp"

#include <SFML/Window/Event.hpp>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <utility>

using testsupport::CountOf;
using testsupport::RecordingObject;
using Hook = testsupport::RecordingReceiver;
using Log = std::vector<std::string>;

namespace
{
void Sleep(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class GameLoop : public ::testing::Test
{
protected:
    void SetUp() override { GameManager::StartUp(); }
    void TearDown() override { testsupport::DestroyWorld(); }

    GameManager& game = GameManager::getInstance();
    PhysicsManager& physics = PhysicsManager::getInstance();
    Log log;
};
} // namespace

TEST(FramePacer, SleepsUntilTheNextSlotAndRestartsTheGridAfterALateFrame)
{
    FramePacer pacer;
    pacer.frameMs = 16;
    pacer.nextFrame = 16;
    EXPECT_EQ(pacer.WaitAfterFrame(10), 6);
    EXPECT_EQ(pacer.nextFrame, 32);
    // Ending 18 ms after the slot: no sleep, and the backlog is dropped rather than caught up.
    EXPECT_EQ(pacer.WaitAfterFrame(50), 0);
    EXPECT_EQ(pacer.nextFrame, 66);
    EXPECT_EQ(pacer.WaitAfterFrame(60), 6);
    // Ending exactly on the slot also starts the next one from now.
    EXPECT_EQ(pacer.WaitAfterFrame(82), 0);
    EXPECT_EQ(pacer.nextFrame, 98);
}

TEST_F(GameLoop, RunStartsWithOneSixtiethThenMeasuresCapsAndStopsWhenTheWindowCloses)
{
    std::vector<double> steps;
    Hook start(&log, "start"), ticker(&log, "ticker"), late;
    ticker.onEvent = [&](Event&)
    {
        steps.push_back(physics.delta);
        if (steps.size() == 1)
            Sleep(150); // a slow first frame: the next step is measured and capped
    };
    late.onEvent = [&](Event&)
    {
        if (steps.size() == 2)
            DisplayManager::getInstance().HandleWindowEvent(sf::Event::Closed{});
    };
    game.startEvent.Subscribe(&start);
    game.tickEvent.Subscribe(&ticker);
    game.lateTickEvent.Subscribe(&late);

    Sleep(120); // time spent in start-up must not reach the first step
    game.Run();

    EXPECT_FALSE(game.running);
    EXPECT_EQ(log, (Log{"start:Start", "ticker:Tick", "ticker:Tick"}));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_DOUBLE_EQ(steps[0], 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(steps[1], 0.1);
}

TEST_F(GameLoop, RunReturnsBeforeAnyFrameWhenStartClearsRunning)
{
    Hook start, ticker(&log, "ticker");
    start.onEvent = [&](Event&) { game.running = false; };
    game.startEvent.Subscribe(&start);
    game.tickEvent.Subscribe(&ticker);
    game.Run();
    EXPECT_TRUE(log.empty());
}

TEST_F(GameLoop, AFrameRunsTickPhysicsWithTheCappedStepLateTickDeletionAndThenDrawsByDepth)
{
    auto* mover = new RecordingObject(&log, "mover");
    auto* wall = new RecordingObject(&log, "wall");
    auto* doomed = new RecordingObject(&log, "doomed");
    mover->solidness = wall->solidness = Soft;
    mover->velocityX = 1.0;
    mover->depth = 2.0;
    wall->x = 0.2; // overlapping the mover, so the physics step reports a collision
    wall->depth = -1.0;
    doomed->x = 5.0;
    doomed->depth = 1.0;
    game.tickEvent.Subscribe(mover);
    physics.collisionEvent.Subscribe(mover);
    game.lateTickEvent.Subscribe(mover);
    mover->onEvent = [&](Event& event)
    {
        if (event.GetName() == "LateTick" && doomed != nullptr)
            WorldManager::getInstance().MarkForDeletion(std::exchange(doomed, nullptr));
    };

    ASSERT_TRUE(game.Frame(0.08));
    EXPECT_EQ(log, (Log{"mover:Tick", "mover:Collision", "mover:LateTick", "doomed:OnDestroy",
                        "doomed:deleted", "wall:Draw", "mover:Draw"}));
    EXPECT_NEAR(mover->x, 0.08, 1e-12);
    ASSERT_TRUE(game.Frame(0.25));
    EXPECT_DOUBLE_EQ(physics.delta, 0.1);
    EXPECT_NEAR(mover->x, 0.18, 1e-12);
}

TEST_F(GameLoop, AnObjectMarkedInItsTickHandlerIsNeitherMovedNorDrawn)
{
    auto* doomed = new RecordingObject(&log, "doomed");
    auto* witness = new RecordingObject(&log, "witness");
    doomed->velocityX = doomed->velocityY = 5.0;
    game.tickEvent.Subscribe(doomed);
    doomed->onEvent = [&](Event&)
    {
        WorldManager::getInstance().MarkForDeletion(doomed);
        log.push_back("handler finished");
    };
    double xAtDeletion = -1.0;
    doomed->onDeleted = [&] { xAtDeletion = doomed->x; };

    ASSERT_TRUE(game.Frame(1.0 / 60.0));
    EXPECT_EQ(log,
              (Log{"doomed:Tick", "doomed:OnDestroy", "handler finished", "doomed:deleted", "witness:Draw"}));
    EXPECT_EQ(xAtDeletion, 0.0);
    EXPECT_TRUE(WorldManager::getInstance().deletionQueue.empty());
    EXPECT_EQ(WorldManager::getInstance().GetAllObjects(), std::vector<GameObject*>{witness});
}

TEST_F(GameLoop, AnObjectBuiltInLateTickIsDrawnThatFrameAndTicksFromTheNext)
{
    Hook spawner;
    spawner.onEvent = [&](Event&)
    {
        if (CountOf(log, "born:Draw") == 0)
            game.tickEvent.Subscribe(new RecordingObject(&log, "born"));
    };
    game.lateTickEvent.Subscribe(&spawner);

    ASSERT_TRUE(game.Frame(1.0 / 60.0));
    EXPECT_EQ(log, Log{"born:Draw"});
    ASSERT_TRUE(game.Frame(1.0 / 60.0));
    EXPECT_EQ(log, (Log{"born:Draw", "born:Tick", "born:Draw"}));
}
