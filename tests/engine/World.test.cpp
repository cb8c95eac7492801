#include "engine/world/PhysicsManager.hpp"
#include "engine/world/WorldManager.hpp"
#include "support/Harness.hpp"
#include "support/RecordingObject.hpp"

#include <gtest/gtest.h>

using testsupport::CountOf;
using testsupport::RecordingObject;
using Log = std::vector<std::string>;

namespace
{
class World : public ::testing::Test
{
protected:
    void TearDown() override { testsupport::DestroyWorld(); }

    RecordingObject* Make(const std::string& name)
    {
        auto* object = new RecordingObject(&log, name);
        tick.Subscribe(object);
        return object;
    }

    WorldManager& world = WorldManager::getInstance();
    EventTick tick;
    Log log;
};
} // namespace

TEST_F(World, AnObjectMarkingItselfFinishesItsHandlerAndStaysAllocatedUntilDeleteMarked)
{
    RecordingObject* a = Make("a");
    a->onEvent = [&](Event&)
    {
        world.MarkForDeletion(a);
        a->Note("still running");
    };
    tick.Publish();
    EXPECT_EQ(log, (Log{"a:Tick", "a:OnDestroy", "a:still running"}));
    EXPECT_TRUE(world.objects.empty());
    EXPECT_EQ(world.deletionQueue, std::vector<GameObject*>{a});
    EXPECT_TRUE(a->subscriptions.empty());
    EXPECT_TRUE(tick.subscribers.empty());

    world.DeleteMarked();
    EXPECT_EQ(log.back(), "a:deleted");
    EXPECT_TRUE(world.deletionQueue.empty());
}

TEST_F(World, MarkingTwiceCallsOnDestroyOnceAndAMarkedLaterReceiverMissesTheEvent)
{
    RecordingObject* a = Make("a");
    RecordingObject* b = Make("b");
    RecordingObject* c = Make("c");
    a->onEvent = [&](Event&)
    {
        world.MarkForDeletion(b);
        world.MarkForDeletion(b);
    };
    tick.Publish();
    EXPECT_EQ(world.deletionQueue, std::vector<GameObject*>{b});
    EXPECT_EQ(world.objects, (std::vector<GameObject*>{a, c}));
    world.DeleteMarked();
    EXPECT_EQ(log, (Log{"a:Tick", "b:OnDestroy", "c:Tick", "b:deleted"}));
}

TEST_F(World, AStashedWorldIsFrozenAndComesBackInOrderAfterNewListeners)
{
    RecordingObject* a = Make("a");
    RecordingObject* b = Make("b");
    RecordingObject* c = Make("c");
    a->velocityX = 1.0;
    a->solidness = Spectral; // b and c stand on it and would block it
    PhysicsManager& physics = PhysicsManager::getInstance();
    physics.delta = 0.1;

    world.StashWorld();
    EXPECT_TRUE(world.objects.empty());
    EXPECT_EQ(world.stashedObjects, (std::vector<GameObject*>{a, b, c}));
    testsupport::RecordingReceiver listener(&log, "listener");
    tick.Subscribe(&listener);
    // An object of the pause menu that nobody marked: restoring the world destroys it at once.
    Make("menu");
    tick.Publish();
    physics.Update();
    EXPECT_EQ(a->x, 0.0);
    EXPECT_EQ(log, (Log{"listener:Tick", "menu:Tick"}));

    log.clear();
    world.RestoreWorld();
    EXPECT_EQ(log, Log{"menu:deleted"});
    EXPECT_EQ(world.objects, (std::vector<GameObject*>{a, b, c}));
    EXPECT_TRUE(world.stashedObjects.empty());
    EXPECT_TRUE(a->parkedSubscriptions.empty());

    log.clear();
    tick.Publish();
    EXPECT_EQ(log, (Log{"listener:Tick", "a:Tick", "b:Tick", "c:Tick"}));
    physics.Update();
    EXPECT_NEAR(a->x, 0.1, 1e-12);
}

TEST_F(World, ObjectsBuiltAfterMarkAllForDeletionSurviveTheOldScene)
{
    RecordingObject* a = Make("a");
    RecordingObject* b = Make("b");
    RecordingObject* spawned = nullptr;
    // Created while the old scene is being marked: it was not in the copy, so it stays.
    a->onDestroy = [&] { spawned = new RecordingObject(&log, "spawned"); };
    world.MarkAllForDeletion();
    auto* fresh = new RecordingObject(&log, "fresh");
    EXPECT_EQ(world.deletionQueue, (std::vector<GameObject*>{a, b}));
    ASSERT_NE(spawned, nullptr);
    EXPECT_EQ(world.objects, (std::vector<GameObject*>{spawned, fresh}));

    world.DeleteMarked();
    EXPECT_EQ(CountOf(log, "a:deleted") + CountOf(log, "b:deleted"), 2);
    EXPECT_EQ(CountOf(log, "spawned:deleted") + CountOf(log, "fresh:deleted"), 0);
    EXPECT_EQ(world.objects, (std::vector<GameObject*>{spawned, fresh}));
}

TEST_F(World, DeleteMarkedAlsoDestroysObjectsThatDestructorsMarkAndStartUpLeavesNothing)
{
    RecordingObject* a = Make("a");
    RecordingObject* b = Make("b");
    RecordingObject* c = Make("c");
    RecordingObject* keeper = Make("keeper");
    a->onDeleted = [&] { world.MarkForDeletion(b); };
    b->onDeleted = [&] { world.MarkForDeletion(c); };
    world.MarkForDeletion(a);
    world.DeleteMarked();
    EXPECT_EQ(log, (Log{"a:OnDestroy", "a:deleted", "b:OnDestroy", "b:deleted", "c:OnDestroy", "c:deleted"}));
    EXPECT_TRUE(world.deletionQueue.empty());
    EXPECT_EQ(world.objects, std::vector<GameObject*>{keeper});

    // Start-up destroys live and queued objects alike.
    world.MarkForDeletion(Make("queued"));
    log.clear();
    WorldManager::StartUp();
    EXPECT_EQ(CountOf(log, "keeper:deleted") + CountOf(log, "queued:deleted"), 2);
    EXPECT_TRUE(world.objects.empty() && world.deletionQueue.empty());
}

TEST_F(World, AtShutdownEveryLiveStashedAndQueuedObjectIsDestroyedOnce)
{
    Make("stashed");
    world.StashWorld();
    Make("live");
    world.MarkForDeletion(Make("queued"));
    log.clear();
    world.DestroyEverything();
    for (const char* name : {"stashed", "live", "queued"})
        EXPECT_EQ(CountOf(log, std::string(name) + ":deleted"), 1) << name;
    EXPECT_TRUE(world.objects.empty() && world.stashedObjects.empty() && world.deletionQueue.empty());
}
