// Effects that drop falling doors: the mouse trail and the missile.
#include "game/Effects.hpp"

#include "game/TitleCards.hpp"
#include "support/GameTest.hpp"

#include <algorithm>
#include <gtest/gtest.h>

// The trail measures in screen-fixed units, the units the driver moves the mouse in.
TEST(Effects, TheMouseTrailDropsADoorEvery1Point3ScreenUnitsAndAtMostEightPerMove)
{
    GameDriver game;
    game.MoveMouse(-17.0, 0.0);
    auto* trail = new DoorParticleSpawner();
    game.MoveMouse(-16.5, 0.0);
    game.Click();
    EXPECT_TRUE(LiveObjects<DoorParticle>().empty()) << "half a unit and a click drop nothing";
    game.MoveMouse(-15.5, 0.0);
    ASSERT_EQ(LiveObjects<DoorParticle>().size(), 1u);
    // A jump of 20 units drops eight more doors and none for the rest of the way.
    game.MoveMouse(4.5, 0.0);
    ASSERT_EQ(LiveObjects<DoorParticle>().size(), 9u);
    EXPECT_NEAR(LiveObjects<DoorParticle>()[8]->x, -17.0 + 1.3 * 9, 1e-6);
    EXPECT_EQ(trail->carry, 0.0);
}

TEST(Effects, AMissileDestroysWhatItHitsAndItselfInOneBurstOfFiftyDoors)
{
    GameDriver game;
    auto* target = new GameObject();
    target->solidness = Soft;
    target->x = 3.0;
    new Missile({-1.0, 0.0}, {7.0, 0.0});
    ASSERT_TRUE(game.RunUntil([] { return LiveObjects<Missile>().empty(); }, 30, kStep));
    const std::vector<GameObject*> left = WorldManager::getInstance().GetAllObjects();
    EXPECT_EQ(std::count(left.begin(), left.end(), target), 0) << "the soft object is destroyed too";
    ASSERT_EQ(LiveObjects<DoorParticle>().size(), 50u);
    EXPECT_EQ(LiveObjects<DoorParticle>()[49]->x, 3.0) << "the doors burst from what was hit";
    game.Frames(5, kStep);
    EXPECT_EQ(LiveObjects<TBC>().size(), 1u) << "one explosion only";
}
