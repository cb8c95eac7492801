// Decoration objects: falling door particles, the mouse trail, orbiting stars and the missile.
#include "game/Effects.hpp"

#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "game/TitleCards.hpp"
#include "resources/ResourceManager.hpp"
#include "support/GameTest.hpp"

#include <SFML/Window/Event.hpp>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
void MoveMouse(int px, int py)
{
    DisplayManager::getInstance().HandleWindowEvent(sf::Event::MouseMoved{
        {px, py}
    });
}

// A pixel's place in the screen-fixed units door particles live in.
WorldPoint ScreenUnits(int px, int py)
{
    const DisplayManager& display = DisplayManager::getInstance();
    const WorldPoint world = display.PixelToWorld({px, py});
    const double f = 10.0 / display.cameraHalfHeight;
    return {world.x * f, world.y * f};
}
} // namespace

TEST(Effects, ADoorParticleFallsFasterAndFasterAndGoesInTheFrameItHasLivedThreeSeconds)
{
    GameDriver game;
    auto* particle = new DoorParticle();
    const double startVelocity = particle->velocityY;
    EXPECT_GE(startVelocity, -6.0);
    EXPECT_LT(startVelocity, 6.0);
    double lastY = particle->y;
    double lastDrop = 1e9;
    for (int frame = 1; frame < 48; ++frame)
    {
        game.Frames(1, kStep);
        ASSERT_EQ(LiveObjects<DoorParticle>().size(), 1u) << "gone early, at frame " << frame;
        ASSERT_NEAR(particle->velocityY, startVelocity - 20.0 * frame * kStep, 1e-9);
        const double drop = particle->y - lastY;
        ASSERT_LT(drop, lastDrop);
        lastDrop = drop;
        lastY = particle->y;
    }
    game.Frames(1, kStep);
    EXPECT_TRUE(LiveObjects<DoorParticle>().empty()) << "three seconds are up";
}

TEST(Effects, TheMouseTrailDropsADoorEvery1Point3ScreenUnitsAndAtMostEightPerMove)
{
    GameDriver game;
    // At the start-up camera one screen unit is 36 pixels.
    ASSERT_NEAR(ScreenUnits(676, 360).x - ScreenUnits(640, 360).x, 1.0, 1e-9);
    MoveMouse(100, 360);
    auto* trail = new DoorParticleSpawner();

    MoveMouse(118, 360);
    EXPECT_TRUE(LiveObjects<DoorParticle>().empty());
    EXPECT_NEAR(trail->carry, 0.5, 1e-9);
    MoveMouse(154, 360);
    ASSERT_EQ(LiveObjects<DoorParticle>().size(), 1u);
    EXPECT_NEAR(trail->carry, 0.2, 1e-9);
    const DoorParticle* dropped = LiveObjects<DoorParticle>()[0];
    EXPECT_NEAR(dropped->x, ScreenUnits(118, 360).x + 0.8, 1e-9);
    EXPECT_NEAR(dropped->y, ScreenUnits(118, 360).y, 1e-9);

    const auto click = sf::Event::MouseButtonPressed{
        sf::Mouse::Button::Left, {154, 360}
    };
    DisplayManager::getInstance().HandleWindowEvent(click);
    DisplayManager::getInstance().HandleWindowEvent(
        sf::Event::MouseButtonReleased{click.button, click.position});
    EXPECT_EQ(LiveObjects<DoorParticle>().size(), 1u) << "clicks drop nothing";
    EXPECT_NEAR(trail->carry, 0.2, 1e-9);

    // A fresh trail and a jump of 20 units: eight doors at 1.3, 2.6, ... 10.4, the rest dropped.
    testsupport::DestroyWorld();
    trail = new DoorParticleSpawner();
    MoveMouse(154 + 20 * 36, 360);
    const std::vector<DoorParticle*> doors = LiveObjects<DoorParticle>();
    ASSERT_EQ(doors.size(), 8u);
    for (std::size_t i = 0; i < doors.size(); ++i)
        EXPECT_NEAR(doors[i]->x, ScreenUnits(154, 360).x + 1.3 * static_cast<double>(i + 1), 1e-9) << i;
    EXPECT_EQ(trail->carry, 0.0);
    EXPECT_EQ(trail->lastX, InputManager::getInstance().mousePosition.x);
}

TEST(Effects, StarsOrbitOnTheirRadiusAndAWhiteTintWithG2OfAHalfGives118)
{
    GameDriver game;
    std::srand(5);
    std::vector<UnknownSpinnerStar*> greys;
    std::vector<SpaceEffect*> tinted;
    for (int i = 0; i < 60; ++i)
    {
        greys.push_back(new UnknownSpinnerStar());
        tinted.push_back(new SpaceEffect(sf::Color::White));
    }
    for (int frame = 0; frame < 10; ++frame)
    {
        game.Frames(1, kStep);
        for (UnknownSpinnerStar* star : greys)
        {
            ASSERT_NEAR(std::hypot(star->x, star->y - 3.7), star->radius, 1e-9);
            ASSERT_GE(star->radius, 5.0);
            ASSERT_LT(star->radius, 22.0);
        }
        for (SpaceEffect* star : tinted)
            ASSERT_NEAR(std::hypot(star->x, star->y - 2.0), star->radius, 1e-9);
    }
    // A white tint with g2 = 0.5 gives 255 x 0.4633, truncated.
    SpaceEffect* white = nullptr;
    for (unsigned seed = 1; seed < 100000 && white == nullptr; ++seed)
    {
        std::srand(seed);
        auto* star = new SpaceEffect(sf::Color::White);
        if (std::abs(star->speed - 0.8) < 1e-12)
            white = star;
        else
            delete star;
    }
    ASSERT_NE(white, nullptr);
    EXPECT_EQ(white->sprite.colour, sf::Color(118, 118, 118, 255));
}

TEST(Effects, AMissileDestroysWhatItHitsAndItselfInOneBurstOfFiftyDoors)
{
    GameDriver game;
    auto* target = new GameObject();
    target->solidness = Soft;
    target->sprite.followsCamera = false;
    target->x = 3.0;
    target->y = 2.0;
    target->depth = 7.0;
    new Missile({-1.0, 2.0}, {7.0, 0.0});

    ASSERT_TRUE(game.RunUntil([] { return LiveObjects<Missile>().empty(); }, 30, kStep));
    const std::vector<GameObject*> left = WorldManager::getInstance().GetAllObjects();
    EXPECT_EQ(std::count(left.begin(), left.end(), target), 0) << "the soft object is destroyed too";
    const std::vector<DoorParticle*> burst = LiveObjects<DoorParticle>();
    ASSERT_EQ(burst.size(), 50u);
    double fastest = 0.0;
    for (DoorParticle* particle : burst)
    {
        EXPECT_EQ(particle->x, 3.0);
        EXPECT_EQ(particle->y, 2.0);
        EXPECT_EQ(particle->depth, 7.0);
        EXPECT_LE(std::abs(particle->velocityX), 12.0);
        fastest = std::max({fastest, std::abs(particle->velocityX), std::abs(particle->velocityY)});
    }
    EXPECT_GT(fastest, 6.0) << "burst doors fly twice as fast as single ones";
    EXPECT_EQ(LiveObjects<TBC>().size(), 1u);
    game.Frames(5, kStep);
    EXPECT_EQ(LiveObjects<TBC>().size(), 1u) << "one explosion only";
}
