#include "support/RecordingObject.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <new>

using testsupport::RecordingObject;
using Log = std::vector<std::string>;
using Objects = std::vector<GameObject*>;

namespace
{
class World : public ::testing::Test
{
protected:
    // Objects still alive write to the log when destroyed: they go before it does.
    void TearDown() override { world.DestroyEverything(); }

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

TEST_F(World, MarkingTakesAnObjectOutAtOnceAndDestroysItOnlyInDeleteMarked)
{
    RecordingObject* a = Make("a");
    RecordingObject* b = Make("b");
    RecordingObject* c = Make("c");
    a->onEvent = [&](Event&)
    {
        world.MarkForDeletion(a);
        world.MarkForDeletion(b);
        world.MarkForDeletion(b);
        a->Note("still running");
    };
    tick.Publish();
    EXPECT_EQ(log, (Log{"a:Tick", "a:OnDestroy", "b:OnDestroy", "a:still running", "c:Tick"}));
    EXPECT_EQ(world.objects, Objects{c});
    log.clear();
    world.DeleteMarked();
    EXPECT_EQ(log, (Log{"a:deleted", "b:deleted"}));
}

TEST_F(World, ObjectsBuiltWhileASceneIsMarkedSurviveItAndWhatDestructorsMarkGoesInTheSameWalk)
{
    RecordingObject* a = Make("a");
    RecordingObject* b = Make("b");
    RecordingObject* chained = nullptr;
    a->onDestroy = [&]
    {
        new RecordingObject(&log, "survivor");
        chained = new RecordingObject(&log, "chained");
    };
    b->onDeleted = [&] { world.MarkForDeletion(chained); };
    world.MarkAllForDeletion();
    world.DeleteMarked();
    EXPECT_EQ(log, (Log{"a:OnDestroy", "b:OnDestroy", "a:deleted", "b:deleted", "chained:OnDestroy",
                        "chained:deleted"}));
    EXPECT_TRUE(world.deletionQueue.empty());
}

// A handle must not mistake a new object for the one it held, even one built at the same address.
TEST_F(World, AnObjectRefReadsNullOnceItsObjectIsDestroyedEvenWhenAnotherTakesItsPlace)
{
    alignas(RecordingObject) unsigned char storage[sizeof(RecordingObject)];
    auto* first = new (storage) RecordingObject(&log, "first");
    const ObjectRef<RecordingObject> ref = first;
    EXPECT_TRUE(ref.Live());
    world.MarkForDeletion(first);
    EXPECT_EQ(ref.get(), first) << "marked, not yet destroyed";
    EXPECT_FALSE(ref.Live());
    world.deletionQueue.clear(); // the storage is not the world's to delete
    first->~RecordingObject();
    auto* second = new (storage) RecordingObject(&log, "second");
    ASSERT_EQ(static_cast<void*>(second), static_cast<void*>(first));
    EXPECT_EQ(ref.get(), nullptr);
    second->~RecordingObject();
}

// At shutdown a destructor may still mark a live object or build a new one.
TEST_F(World, AtShutdownEveryObjectIsDestroyedExactlyOnce)
{
    Make("stashed");
    world.StashWorld();
    Make("spawner")->onDeleted = [&] { new RecordingObject(&log, "child"); };
    RecordingObject* marker = Make("marker");
    RecordingObject* victim = Make("victim");
    marker->onDeleted = [&] { world.MarkForDeletion(victim); };
    world.MarkForDeletion(Make("queued"));
    world.DestroyEverything();
    for (const char* name : {"stashed", "spawner", "child", "marker", "victim", "queued"})
        EXPECT_EQ(std::count(log.begin(), log.end(), std::string(name) + ":deleted"), 1) << name;
    EXPECT_TRUE(world.objects.empty() && world.stashedObjects.empty() && world.deletionQueue.empty());
}
