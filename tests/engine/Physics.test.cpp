#include "display/DisplayManager.hpp"
#include "engine/world/GameObject.hpp"
#include "engine/world/PhysicsManager.hpp"
#include "engine/world/WorldManager.hpp"
#include "support/Harness.hpp"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Log = std::vector<std::string>;

namespace
{
// Writes "first>second" for each collision and "out:object" for each Out (objects by type), and
// can act inside the physics step.
struct Recorder : EventReceiver
{
    Log heard;
    std::vector<double> firstX; // where each collision's first object stood when it was reported
    std::function<void(EventCollision&)> onCollision;

    void HandleEvent(Event& event) override
    {
        if (auto* collision = dynamic_cast<EventCollision*>(&event))
        {
            heard.push_back(collision->first->type + ">" + collision->second->type);
            firstX.push_back(collision->first->x);
            if (onCollision)
                onCollision(*collision);
        }
        else if (auto* out = dynamic_cast<EventOut*>(&event))
            heard.push_back("out:" + out->object->type);
    }
};

// An object that counts the events it hears itself.
struct Listener : GameObject
{
    int heardCount = 0;
    void HandleEvent(Event&) override { ++heardCount; }
};

template <typename T = GameObject>
T* Body(const std::string& name, double x, double y, double w, double h, Solidness kind = Solid)
{
    auto* object = new T();
    object->type = name;
    object->x = x;
    object->y = y;
    object->boxWidth = w;
    object->boxHeight = h;
    object->solidness = kind;
    return object;
}

// A door-sized body.
GameObject* DoorSized(const std::string& name, double x, double y, Solidness kind = Solid)
{
    return Body(name, x, y, 0.32, 0.7, kind);
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

    // Runs one step and returns what it reported.
    Log Step()
    {
        recorder.heard.clear();
        recorder.firstX.clear();
        physics.Update();
        return recorder.heard;
    }
};
} // namespace

TEST_F(Physics, SolidMoverStopsAtItsLastFreeQuarterStepAndReportsThePairOncePerMove)
{
    GameObject* mover = DoorSized("mover", 0.0, 0.0);
    mover->velocityX = 1.0;
    GameObject* wall = Body("wall", 0.9, 0.0, 0.2, 5.0); // left edge at 0.8
    // 1.0 / 0.32 gives 4 sub-steps of 0.25: 0.5 is the last one whose right edge stays left of 0.8.
    EXPECT_EQ(Step(), Log{"mover>wall"});
    EXPECT_NEAR(mover->x, 0.5, 1e-12);
    EXPECT_EQ(mover->y, 0.0);
    EXPECT_EQ(recorder.firstX, std::vector<double>{0.0}) << "handlers see the mover where it stood before";

    // Still pressing against the wall: stuck, and reported again in the next move.
    EXPECT_EQ(Step(), Log{"mover>wall"});
    EXPECT_NEAR(mover->x, 0.5, 1e-12);
    EXPECT_EQ(wall->x, 0.9);
}

TEST_F(Physics, SubStepsCatchAThinWallThatOneJumpWouldCrossEvenForABoxOfNoSize)
{
    GameObject* mover = DoorSized("mover", 0.0, 0.0);
    mover->velocityX = 1.0;
    Body("thin", 0.6, 0.0, 0.01, 5.0);
    // A box of no size moves in steps of 0.01 and stops just short of an edge at 0.505.
    GameObject* dot = Body("dot", 0.0, 10.0, 0.0, 0.0);
    dot->velocityX = 1.0;
    Body("block", 1.005, 10.0, 1.0, 1.0);
    EXPECT_EQ(Step(), (Log{"mover>thin", "dot>block"}));
    // The sub-step at 0.5 touches the wall, so the mover stays at 0.25.
    EXPECT_NEAR(mover->x, 0.25, 1e-12);
    EXPECT_NEAR(dot->x, 0.50, 1e-9);
}

TEST_F(Physics, SoftObjectsPassThroughAndReportEachOverlapOncePerFrame)
{
    GameObject* ghost = DoorSized("ghost", 0.0, 0.0, Soft);
    ghost->velocityX = 3.0;
    DoorSized("solid", 1.0, 0.0, Solid);
    DoorSized("soft", 2.0, 0.0, Soft);
    // A solid mover is not stopped by a soft obstacle either.
    GameObject* walker = DoorSized("walker", 0.0, 5.0, Solid);
    walker->velocityX = 2.0;
    DoorSized("cushion", 1.0, 5.0, Soft);
    EXPECT_EQ(Step(), (Log{"ghost>solid", "ghost>soft", "walker>cushion"}))
        << "several sub-steps overlap each obstacle, one report each";
    EXPECT_NEAR(ghost->x, 3.0, 1e-12);
    EXPECT_NEAR(walker->x, 2.0, 1e-12);

    // The next frame reports again, in the order the way back meets them.
    ghost->velocityX = -3.0;
    walker->velocityX = 0.0;
    EXPECT_EQ(Step(), (Log{"ghost>soft", "ghost>solid"}));
    EXPECT_NEAR(ghost->x, 0.0, 1e-12);
}

TEST_F(Physics, SpectralObjectsMoveStraightAndAreNeverInACollision)
{
    GameObject* spirit = DoorSized("spirit", 0.0, 0.0, Spectral);
    spirit->velocityX = 2.0;
    spirit->velocityY = 0.5;
    Body("wall", 1.0, 0.0, 1.0, 5.0, Solid);
    GameObject* walker = DoorSized("walker", 0.0, 8.0, Solid);
    walker->velocityX = 2.0;
    Body("shade", 1.0, 8.0, 1.0, 1.0, Spectral);
    EXPECT_EQ(Step(), Log{});
    EXPECT_EQ(spirit->x, 2.0);
    EXPECT_EQ(spirit->y, 0.5);
    EXPECT_NEAR(walker->x, 2.0, 1e-12);
}

TEST_F(Physics, ASlidingMoverBlockedAtOnceTriesXAloneThenYAlone)
{
    const auto diagonal = [](const std::string& name, double x, double y, bool slides)
    {
        GameObject* mover = DoorSized(name, x, y);
        mover->slides = slides;
        mover->velocityX = mover->velocityY = 1.0;
        return mover;
    };
    // Under a ceiling: the diagonal is blocked at once, x alone is free.
    GameObject* underCeiling = diagonal("underCeiling", 0.0, -8.0, true);
    Body("ceiling", 0.0, -8.0 + 0.36 + 0.5, 4.0, 1.0); // bottom edge 0.01 above the mover
    // Beside a wall: diagonal and x alone are blocked, y alone is free.
    GameObject* besideWall = diagonal("besideWall", 0.0, 0.0, true);
    Body("wall", 0.17 + 0.5, 0.0, 1.0, 4.0);
    // The same wall without sliding: no move at all.
    GameObject* stuck = diagonal("stuck", 20.0, 0.0, false);
    Body("stuckWall", 20.17 + 0.5, 0.0, 1.0, 4.0);
    // A first free sub-step is progress, so there is no retry.
    GameObject* partial = diagonal("partial", 0.0, 8.0, true);
    Body("roof", 0.0, 8.0 + 0.6 + 0.5, 4.0, 1.0);
    EXPECT_EQ(Step(), (Log{"underCeiling>ceiling", "besideWall>wall", "stuck>stuckWall", "partial>roof"}))
        << "retries do not report the same obstacle again";

    EXPECT_NEAR(underCeiling->x, 1.0, 1e-12);
    EXPECT_EQ(underCeiling->y, -8.0);
    EXPECT_EQ(besideWall->x, 0.0);
    EXPECT_NEAR(besideWall->y, 1.0, 1e-12);
    EXPECT_EQ(stuck->x, 20.0);
    EXPECT_EQ(stuck->y, 0.0);
    // sqrt(2) / 0.32 gives 5 sub-steps of 0.2 each way.
    EXPECT_NEAR(partial->x, 0.2, 1e-12);
    EXPECT_NEAR(partial->y, 8.2, 1e-12);
}

TEST_F(Physics, ScreenFixedAndCameraFollowingBoxesMeetInScreenUnits)
{
    display.cameraPosition = {5.0, 3.0};
    // f = 10 / 12: a camera-following box 1.2 right of the camera, 0.32 wide, spans 1.0 +- 0.1333
    // in screen-fixed units.
    struct Case
    {
        double pointerX, buttonOffset;
        bool buttonMoves;
        const char* heard;
    };
    // clang-format off
    const Case cases[] = {{0.0, 0.0, false, "pointer>button"}, {1.12, 1.2, false, "pointer>button"},
                          {1.14, 1.2, false, ""}, {-1.12, -1.2, true, "button>pointer"}, {1.14, 1.2, true, ""}};
    // clang-format on
    for (const Case& c : cases)
    {
        GameObject* pointer = Body("pointer", c.pointerX, 0.0, 0.01, 0.01, Soft);
        pointer->sprite.followsCamera = false;
        GameObject* button = DoorSized("button", 5.0 + c.buttonOffset, 3.0, Soft);
        (c.buttonMoves ? button : pointer)->velocityX = 1e-6;
        EXPECT_EQ(Step(), *c.heard ? Log{c.heard} : Log{}) << "pointer at " << c.pointerX;
        testsupport::DestroyWorld();
    }
}

TEST_F(Physics, OutIsPublishedBeyondTheEdgeEveryFrameButNotOnIt)
{
    // Half-height 9 makes the camera area exactly 32 x 18.
    display.cameraHalfHeight = 9.0;
    display.cameraPosition = {100.0, 50.0};
    GameObject* right = DoorSized("right", 115.5, 50.0, Spectral);
    right->velocityX = 0.5;
    GameObject* top = DoorSized("top", 100.0, 58.5, Soft);
    top->velocityY = 0.5;
    // Screen-fixed objects ignore the camera; their area is 20 high.
    GameObject* fixed = DoorSized("fixed", 0.0, -9.5, Spectral);
    fixed->sprite.followsCamera = false;
    fixed->velocityY = -0.5;
    EXPECT_EQ(Step(), Log{}) << "a point on the edge is inside";
    EXPECT_EQ(right->x, 116.0);
    EXPECT_EQ(top->y, 59.0);
    EXPECT_EQ(fixed->y, -10.0);

    for (GameObject* o : {right, top, fixed})
    {
        o->velocityX /= 2.0;
        o->velocityY /= 2.0;
    }
    EXPECT_EQ(Step(), (Log{"out:right", "out:top", "out:fixed"}));
    EXPECT_EQ(Step(), (Log{"out:right", "out:top", "out:fixed"}));
    // Standing still outside: no more reports.
    for (GameObject* o : {right, top, fixed})
        o->velocityX = o->velocityY = 0.0;
    EXPECT_EQ(Step(), Log{});
}

TEST_F(Physics, OnlyMovingObjectsAreTestedAndEachMoverReportsAsFirst)
{
    GameObject* farAway = DoorSized("farAway", 0.0, 1000.0);
    Body("still1", -5.0, 0.0, 1.0, 1.0);
    Body("still2", -5.2, 0.0, 1.0, 1.0); // two stationary objects overlapping
    DoorSized("drifter", 0.0, 0.0, Soft)->velocityY = 0.01;
    DoorSized("rock", 0.1, 0.0);
    DoorSized("a", 5.0, 0.0, Soft)->velocityX = 0.01;
    DoorSized("b", 5.1, 0.0, Soft)->velocityX = -0.01;
    EXPECT_EQ(Step(), (Log{"drifter>rock", "a>b", "b>a"})) << "the far object is not moved, so not out";
    EXPECT_EQ(farAway->y, 1000.0);
}

TEST_F(Physics, HandlersRunMidStepAndAnObjectMarkedThereStillMovesButHearsNothing)
{
    GameObject* first = DoorSized("first", 0.0, 0.0, Soft);
    first->velocityX = 1.0;
    auto* marked = Body<Listener>("marked", 0.5, 0.0, 0.32, 0.7, Soft);
    marked->velocityY = 30.0; // ends outside the view
    DoorSized("rock", 0.5, 15.0);
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
    EXPECT_EQ(Step(), (Log{"first>marked", "marked>rock", "out:marked"}));
    EXPECT_EQ(recorder.firstX.at(0), 0.0);
    EXPECT_NEAR(first->x, 1.0, 1e-12);
    EXPECT_NEAR(marked->y, 30.0, 1e-9) << "a marked object is still moved in this step";
    EXPECT_EQ(marked->heardCount, 0);

    recorder.onCollision = nullptr;
    physics.Update();
    EXPECT_NEAR(first->x, 6.0, 1e-9);
}
