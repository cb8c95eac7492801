#include "display/DisplayManager.hpp"
#include "engine/GameObject.hpp"
#include "engine/PhysicsManager.hpp"
#include "engine/WorldManager.hpp"
#include "support/Harness.hpp"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
struct Heard
{
    std::string name;
    GameObject* first = nullptr;
    GameObject* second = nullptr;
    // Where the first object stood when the handler ran.
    double firstX = 0.0;
};

// Listens to "Collision" and "Out" and can act inside the physics step.
struct Recorder : EventReceiver
{
    std::vector<Heard> heard;
    std::function<void(EventCollision&)> onCollision;

    void HandleEvent(Event& event) override
    {
        if (auto* collision = dynamic_cast<EventCollision*>(&event))
        {
            heard.push_back({"Collision", collision->first, collision->second, collision->first->x});
            if (onCollision)
                onCollision(*collision);
        }
        else if (auto* out = dynamic_cast<EventOut*>(&event))
        {
            heard.push_back({"Out", out->object, nullptr, out->object->x});
        }
    }

    std::vector<Heard> Named(const std::string& name) const
    {
        std::vector<Heard> result;
        for (const Heard& h : heard)
            if (h.name == name)
                result.push_back(h);
        return result;
    }
};

// An object that counts the events it hears itself.
struct Listener : GameObject
{
    int heardCount = 0;
    void HandleEvent(Event&) override { ++heardCount; }
};

template <typename T = GameObject> T* Body(double x, double y, double w, double h, Solidness kind = Solid)
{
    auto* object = new T();
    object->x = x;
    object->y = y;
    object->boxWidth = w;
    object->boxHeight = h;
    object->solidness = kind;
    return object;
}

class Physics : public ::testing::Test
{
  protected:
    PhysicsManager& physics = PhysicsManager::getInstance();
    DisplayManager& display = DisplayManager::getInstance();
    Recorder recorder;

    void SetUp() override
    {
        display.cameraHalfHeight = 12.0;
        display.cameraPosition = {0.0, 0.0};
        display.letterboxWidth = 1280;
        display.letterboxHeight = 720;
        // One second per step: a velocity is the distance of one Update.
        physics.delta = 1.0;
        physics.collisionEvent.Subscribe(&recorder);
        physics.outEvent.Subscribe(&recorder);
    }
    void TearDown() override { testsupport::DestroyWorld(); }

    std::vector<Heard> Collisions() const { return recorder.Named("Collision"); }
};
} // namespace

TEST_F(Physics, SolidMoverStopsAtItsLastFreeQuarterStepAndReportsThePairOncePerMove)
{
    GameObject* mover = Body(0.0, 0.0, 0.32, 0.7);
    mover->velocityX = 1.0;
    GameObject* wall = Body(0.9, 0.0, 0.2, 5.0); // left edge at 0.8
    physics.Update();

    // 1.0 / 0.32 gives 4 sub-steps of 0.25: 0.5 is the last one whose right edge stays left of 0.8.
    EXPECT_NEAR(mover->x, 0.5, 1e-12);
    EXPECT_EQ(mover->y, 0.0);
    ASSERT_EQ(Collisions().size(), 1u);
    EXPECT_EQ(Collisions()[0].first, mover);
    EXPECT_EQ(Collisions()[0].second, wall);
    EXPECT_EQ(Collisions()[0].firstX, 0.0) << "handlers see the mover where it stood before the step";

    // Still pressing against the wall: stuck, and reported again in the next move.
    physics.Update();
    EXPECT_NEAR(mover->x, 0.5, 1e-12);
    EXPECT_EQ(Collisions().size(), 2u);
    EXPECT_EQ(wall->x, 0.9);
}

TEST_F(Physics, SubStepsCatchAThinWallThatOneJumpWouldCross)
{
    GameObject* mover = Body(0.0, 0.0, 0.32, 0.7);
    mover->velocityX = 1.0;
    GameObject* thin = Body(0.6, 0.0, 0.01, 5.0);
    physics.Update();
    // The sub-step at 0.5 touches the wall, so the mover stays at 0.25.
    EXPECT_NEAR(mover->x, 0.25, 1e-12);
    ASSERT_EQ(Collisions().size(), 1u);
    EXPECT_EQ(Collisions()[0].second, thin);

    // A box of no size moves in steps of 0.01 and stops just short of an edge at 0.505.
    GameObject* dot = Body(0.0, 10.0, 0.0, 0.0);
    dot->velocityX = 1.0;
    Body(1.005, 10.0, 1.0, 1.0);
    physics.Update();
    EXPECT_NEAR(dot->x, 0.50, 1e-9);
}

TEST_F(Physics, SoftObjectsPassThroughAndReportEachOverlapOncePerFrame)
{
    GameObject* ghost = Body(0.0, 0.0, 0.32, 0.7, Soft);
    ghost->velocityX = 3.0;
    GameObject* solid = Body(1.0, 0.0, 0.32, 0.7, Solid);
    GameObject* soft = Body(2.0, 0.0, 0.32, 0.7, Soft);
    // A solid mover is not stopped by a soft obstacle either.
    GameObject* walker = Body(0.0, 5.0, 0.32, 0.7, Solid);
    walker->velocityX = 2.0;
    GameObject* cushion = Body(1.0, 5.0, 0.32, 0.7, Soft);
    physics.Update();

    EXPECT_NEAR(ghost->x, 3.0, 1e-12);
    EXPECT_NEAR(walker->x, 2.0, 1e-12);
    auto heard = Collisions();
    ASSERT_EQ(heard.size(), 3u) << "several sub-steps overlap each obstacle, one report each";
    EXPECT_EQ(heard[0].first, ghost);
    EXPECT_EQ(heard[0].second, solid);
    EXPECT_EQ(heard[1].first, ghost);
    EXPECT_EQ(heard[1].second, soft);
    EXPECT_EQ(heard[2].first, walker);
    EXPECT_EQ(heard[2].second, cushion);

    // The next frame reports again, in the order the way back meets them.
    recorder.heard.clear();
    ghost->velocityX = -3.0;
    walker->velocityX = 0.0;
    physics.Update();
    heard = Collisions();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].second, soft);
    EXPECT_EQ(heard[1].second, solid);
    EXPECT_NEAR(ghost->x, 0.0, 1e-12);
}

TEST_F(Physics, SpectralObjectsMoveStraightAndAreNeverInACollision)
{
    GameObject* spirit = Body(0.0, 0.0, 0.32, 0.7, Spectral);
    spirit->velocityX = 2.0;
    spirit->velocityY = 0.5;
    Body(1.0, 0.0, 1.0, 5.0, Solid);
    GameObject* walker = Body(0.0, 8.0, 0.32, 0.7, Solid);
    walker->velocityX = 2.0;
    Body(1.0, 8.0, 1.0, 1.0, Spectral);
    physics.Update();

    EXPECT_EQ(spirit->x, 2.0);
    EXPECT_EQ(spirit->y, 0.5);
    EXPECT_NEAR(walker->x, 2.0, 1e-12);
    EXPECT_TRUE(Collisions().empty());
}

TEST_F(Physics, ASlidingMoverBlockedAtOnceTriesXAloneThenYAlone)
{
    // Under a ceiling: the diagonal is blocked at once, x alone is free.
    GameObject* underCeiling = Body(0.0, -8.0, 0.32, 0.7);
    underCeiling->slides = true;
    underCeiling->velocityX = underCeiling->velocityY = 1.0;
    Body(0.0, -8.0 + 0.36 + 0.5, 4.0, 1.0); // bottom edge 0.01 above the mover
    // Beside a wall: diagonal and x alone are blocked, y alone is free.
    GameObject* besideWall = Body(0.0, 0.0, 0.32, 0.7);
    besideWall->slides = true;
    besideWall->velocityX = besideWall->velocityY = 1.0;
    Body(0.17 + 0.5, 0.0, 1.0, 4.0);
    // The same wall without sliding: no move at all.
    GameObject* stuck = Body(20.0, 0.0, 0.32, 0.7);
    stuck->velocityX = stuck->velocityY = 1.0;
    Body(20.17 + 0.5, 0.0, 1.0, 4.0);
    // A first free sub-step is progress, so there is no retry.
    GameObject* partial = Body(0.0, 8.0, 0.32, 0.7);
    partial->slides = true;
    partial->velocityX = partial->velocityY = 1.0;
    Body(0.0, 8.0 + 0.6 + 0.5, 4.0, 1.0);
    physics.Update();

    EXPECT_NEAR(underCeiling->x, 1.0, 1e-12);
    EXPECT_EQ(underCeiling->y, -8.0);
    EXPECT_EQ(besideWall->x, 0.0);
    EXPECT_NEAR(besideWall->y, 1.0, 1e-12);
    EXPECT_EQ(stuck->x, 20.0);
    EXPECT_EQ(stuck->y, 0.0);
    // sqrt(2) / 0.32 gives 5 sub-steps of 0.2 each way.
    EXPECT_NEAR(partial->x, 0.2, 1e-12);
    EXPECT_NEAR(partial->y, 8.2, 1e-12);

    std::vector<GameObject*> movers;
    for (const Heard& h : Collisions())
        movers.push_back(h.first);
    EXPECT_EQ(movers, (std::vector<GameObject*>{underCeiling, besideWall, stuck, partial}))
        << "retries do not report the same obstacle again";
}

TEST_F(Physics, ScreenFixedAndCameraFollowingBoxesMeetInScreenUnits)
{
    display.cameraPosition = {5.0, 3.0};
    // f = 10 / 12: a camera-following box 1.2 right of the camera, 0.32 wide, spans 1.0 +- 0.1333
    // in screen-fixed units.
    struct Case
    {
        double pointerX;
        double buttonOffset;
        bool buttonMoves;
        bool touches;
    };
    const Case cases[] = {
        {0.0,   0.0,  false, true },
        {1.12,  1.2,  false, true },
        {1.14,  1.2,  false, false},
        {-1.12, -1.2, true,  true },
        {1.14,  1.2,  true,  false},
    };
    for (const Case& c : cases)
    {
        GameObject* pointer = Body(c.pointerX, 0.0, 0.01, 0.01, Soft);
        pointer->sprite.followsCamera = false;
        GameObject* button = Body(5.0 + c.buttonOffset, 3.0, 0.32, 0.7, Soft);
        GameObject* mover = c.buttonMoves ? button : pointer;
        mover->velocityX = 1e-6;
        physics.Update();

        const auto heard = Collisions();
        EXPECT_EQ(heard.size(), c.touches ? 1u : 0u) << "pointer at " << c.pointerX;
        if (!heard.empty())
        {
            EXPECT_EQ(heard[0].first, mover);
        }
        recorder.heard.clear();
        testsupport::DestroyWorld();
    }
}

TEST_F(Physics, OutIsPublishedBeyondTheEdgeEveryFrameButNotOnIt)
{
    // Half-height 9 makes the camera area exactly 32 x 18.
    display.cameraHalfHeight = 9.0;
    display.cameraPosition = {100.0, 50.0};
    GameObject* right = Body(115.5, 50.0, 0.32, 0.7, Spectral);
    right->velocityX = 0.5;
    GameObject* top = Body(100.0, 58.5, 0.32, 0.7, Soft);
    top->velocityY = 0.5;
    // Screen-fixed objects ignore the camera; their area is 20 high.
    GameObject* fixed = Body(0.0, -9.5, 0.32, 0.7, Spectral);
    fixed->sprite.followsCamera = false;
    fixed->velocityY = -0.5;
    physics.Update();
    EXPECT_EQ(right->x, 116.0);
    EXPECT_EQ(top->y, 59.0);
    EXPECT_EQ(fixed->y, -10.0);
    EXPECT_TRUE(recorder.heard.empty()) << "a point on the edge is inside";

    for (GameObject* o : {right, top, fixed})
    {
        o->velocityX /= 2.0;
        o->velocityY /= 2.0;
    }
    for (int frame = 1; frame <= 2; ++frame)
    {
        physics.Update();
        std::vector<GameObject*> outs;
        for (const Heard& h : recorder.Named("Out"))
            outs.push_back(h.first);
        EXPECT_EQ(outs, (std::vector<GameObject*>{right, top, fixed})) << "frame " << frame;
        recorder.heard.clear();
    }

    // Standing still outside: no more reports.
    for (GameObject* o : {right, top, fixed})
        o->velocityX = o->velocityY = 0.0;
    physics.Update();
    EXPECT_TRUE(recorder.heard.empty());
}

TEST_F(Physics, OnlyMovingObjectsAreTestedAndEachMoverReportsAsFirst)
{
    GameObject* farAway = Body(0.0, 1000.0, 0.32, 0.7);
    Body(-5.0, 0.0, 1.0, 1.0);
    Body(-5.2, 0.0, 1.0, 1.0); // two stationary objects overlapping
    GameObject* drifter = Body(0.0, 0.0, 0.32, 0.7, Soft);
    drifter->velocityY = 0.01;
    GameObject* rock = Body(0.1, 0.0, 0.32, 0.7);
    GameObject* a = Body(5.0, 0.0, 0.32, 0.7, Soft);
    GameObject* b = Body(5.1, 0.0, 0.32, 0.7, Soft);
    a->velocityX = 0.01;
    b->velocityX = -0.01;
    physics.Update();

    EXPECT_EQ(farAway->y, 1000.0);
    EXPECT_TRUE(recorder.Named("Out").empty());
    const auto heard = Collisions();
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].first, drifter);
    EXPECT_EQ(heard[0].second, rock);
    EXPECT_EQ(heard[1].first, a);
    EXPECT_EQ(heard[1].second, b);
    EXPECT_EQ(heard[2].first, b);
    EXPECT_EQ(heard[2].second, a);
}

TEST_F(Physics, HandlersRunMidStepAndAnObjectMarkedThereStillMovesButHearsNothing)
{
    GameObject* first = Body(0.0, 0.0, 0.32, 0.7, Soft);
    first->velocityX = 1.0;
    auto* marked = Body<Listener>(0.5, 0.0, 0.32, 0.7, Soft);
    marked->velocityY = 30.0; // ends outside the view
    GameObject* rock = Body(0.5, 15.0, 0.32, 0.7);
    physics.collisionEvent.Subscribe(marked);
    physics.outEvent.Subscribe(marked);

    recorder.onCollision = [&](EventCollision& collision)
    {
        if (collision.first == first)
        {
            WorldManager::getInstance().MarkForDeletion(collision.second);
            collision.first->x = 99.0;        // overwritten when the move is written back
            collision.first->velocityX = 5.0; // read at the start of the move: next frame
        }
    };
    physics.Update();

    EXPECT_NEAR(first->x, 1.0, 1e-12);
    EXPECT_NEAR(marked->y, 30.0, 1e-9) << "a marked object is still moved in this step";
    const auto heard = recorder.heard;
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].first, first);
    EXPECT_EQ(heard[0].second, marked);
    EXPECT_EQ(heard[0].firstX, 0.0);
    EXPECT_EQ(heard[1].name, "Collision");
    EXPECT_EQ(heard[1].first, marked);
    EXPECT_EQ(heard[1].second, rock);
    EXPECT_EQ(heard[2].name, "Out");
    EXPECT_EQ(heard[2].first, marked);
    EXPECT_EQ(marked->heardCount, 0);

    recorder.onCollision = nullptr;
    physics.Update();
    EXPECT_NEAR(first->x, 6.0, 1e-9);
}
