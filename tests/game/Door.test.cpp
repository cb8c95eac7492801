// The player's door and the door-shaped characters around it: walking, looks, camera, exits,
// the second player, and the companions.
#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "engine/world/GameManager.hpp"
#include "game/DoorCompanions.hpp"
#include "game/Effects.hpp"
#include "game/PlayerDoors.hpp"
#include "resources/ResourceManager.hpp"
#include "support/GameTest.hpp"

#include <SFML/Window/Event.hpp>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>
#include <utility>

using testsupport::SoundStatus;

namespace
{
// A door on its own, in a scene without exits or camera limits (a fight screen).
Door* LoneDoor()
{
    Data().currentScene = 3;
    return new Door();
}

// Frame, background height and background offset.
std::tuple<std::int32_t, double, double> Look(const Sprite& sprite)
{
    return {sprite.frameIndex, sprite.backgroundHeight, sprite.backgroundOffset};
}
} // namespace

TEST(Door, WalksAtSevenNoFasterDiagonallyAndStopsWhileLockedTalkingOrUnfocused)
{
    GameDriver game;
    Door* door = LoneDoor();
    game.Press(Key::W);
    game.Press(Key::D);
    game.Frames(1, kStep);
    const double diagonal = 7.0 / std::sqrt(2.0);
    EXPECT_NEAR(door->velocityX, diagonal, 1e-12);
    EXPECT_NEAR(door->velocityY, diagonal, 1e-12);
    double x = door->x;
    game.Frames(1, kStep);
    EXPECT_NEAR(door->x - x, diagonal * kStep, 1e-9);
    game.Release(Key::W);

    // Locked controls and dialogue stop the door at once; it walks on if the key is still held.
    // Keys held while the window loses focus are forgotten until pressed again.
    bool unfocused = false;
    for (bool* stopper : {&Data().controlsLocked, &DialogManager::getInstance().active, &unfocused})
    {
        *stopper = true;
        if (stopper == &unfocused)
            DisplayManager::getInstance().HandleWindowEvent(sf::Event::FocusLost{});
        else
            game.Frames(1, kStep);
        EXPECT_EQ(door->velocityX, 0.0) << "the door stops at once";
        x = door->x;
        game.Frames(3, kStep);
        EXPECT_EQ(door->x, x);
        EXPECT_EQ(door->sprite.frameIndex, 1) << "standing";
        *stopper = false;
        if (stopper == &unfocused)
            game.Press(Key::D);
        game.Frames(1, kStep);
        EXPECT_EQ(door->velocityX, 7.0);
    }
}

TEST(Door, StandsAndWalksOnTheFramesAndBackgroundOfItsDesign)
{
    struct Pose
    {
        const char* design;
        std::int32_t stand, walk;
        double standHeight, walkHeight, offset;
    };
    // clang-format off
    const Pose poses[] = {{"5", 5, 0, 0.7, 0.9, -0.7}, {"13", 13, 14, 1.0, 1.0, -0.15}};
    // clang-format on
    GameDriver game;
    for (const Pose& pose : poses)
    {
        SCOPED_TRACE(pose.design);
        SetSetting("DKS", pose.design);
        Door* door = LoneDoor();
        const auto look = [door] { return Look(door->sprite); };
        for (int round = 0; round < 2; ++round)
        {
            game.Frames(1, kStep);
            EXPECT_EQ(look(), std::make_tuple(pose.stand, pose.standHeight, pose.offset));
            game.Press(Key::A);
            game.Frames(1, kStep);
            EXPECT_EQ(look(), std::make_tuple(pose.walk, pose.walkHeight, pose.offset));
            game.Release(Key::A);
        }
        testsupport::DestroyWorld();
    }

    // Doors of design 13 that enter a scene already walking (keys held through the loading
    // screen) walk on their own walking frame from the start.
    SetSetting("Multiplayer", "1");
    game.Press(Key::D);
    game.Press(Key::Right);
    Door* walker = LoneDoor();
    game.Frames(3, kStep);
    EXPECT_EQ(Look(walker->sprite), std::make_tuple(14, 1.0, -0.15));
    EXPECT_EQ(LiveObjects<SecondDoor>().at(0)->sprite.frameIndex, 14);
}

TEST(Door, DesignsBelowOneStandOnFrameZeroAndADesignThatIsNotANumberCountsAsOne)
{
    GameDriver game;
    for (const char* design : {"0", "-4"})
    {
        SetSetting("DKS", design);
        Door* door = LoneDoor();
        EXPECT_EQ(SettingManager::getInstance().Get("DKS", ""), "0") << design;
        game.Frames(1, kStep);
        EXPECT_EQ(Look(door->sprite), std::make_tuple(0, 0.7, -0.7)) << "standing, design " << design;
        testsupport::DestroyWorld();
    }
    SetSetting("DKS", "-4");
    SetSetting("Multiplayer", "1");
    new Door();
    EXPECT_EQ(LiveObjects<SecondDoor>().at(0)->doorFrame, 1);
    testsupport::DestroyWorld();
    SetSetting("Multiplayer", "0");

    // Every reader of the design falls back to design 1 instead of ending the game.
    SetSetting("DKS", "hinge");
    Door* door = nullptr;
    ASSERT_NO_THROW(door = LoneDoor());
    EXPECT_EQ(SettingManager::getInstance().Get("DKS", ""), "1");
    const std::function<std::int32_t()> readers[] = {[&] { return door->doorFrame; },
                                                     [&] { return (new SecondDoor(door))->doorFrame; },
                                                     [] { return (new FakeDoor(6.0))->sprite.frameIndex; },
                                                     [] { return (new DoorParticle())->sprite.frameIndex; }};
    for (const auto& design : readers)
    {
        EXPECT_EQ(design(), 1);
        SetSetting("DKS", "hinge");
    }
}

TEST(Door, TheCameraFollowsTheDoorWithinTheLimitsOfEachScene)
{
    constexpr double far = 1000.0; // not limited: the camera stays on the door
    struct Limits
    {
        std::int32_t scene;
        double lowX, highX, lowY, highY;
    };
    // clang-format off
    const Limits table[] = {
        {0, -12.0, 2.0, -far, far}, {1, 12.0, 19.0, -far, far},  {5, 12.0, 19.0, -far, far},
        {2, 0.0, 0.0, 1.0, 7.0},    {6, 0.0, 0.0, 1.0, 7.0},      {7, 2.0, 6.0, -far, far},
        {8, -1.0, 6.5, -far, far},  {9, 11.2, 24.6, -far, far},   {11, 11.2, 24.6, -far, far},
        {10, 11.2, 89.0, -far, far}, {14, 11.2, far, -far, far},  {15, 11.2, far, -far, far},
        {3, -far, far, -far, far},
    };
    // clang-format on
    GameDriver game;
    Door* door = LoneDoor();
    const WorldPoint& camera = DisplayManager::getInstance().cameraPosition;
    for (const Limits& limits : table)
    {
        SCOPED_TRACE(limits.scene);
        Data().currentScene = limits.scene;
        for (const double at : {-far, far})
        {
            door->x = door->y = at;
            GameManager::getInstance().lateTickEvent.Publish();
            EXPECT_EQ(camera.x, at < 0 ? limits.lowX : limits.highX);
            EXPECT_EQ(camera.y, at < 0 ? limits.lowY : limits.highY);
        }
    }
}

TEST(Door, LeavingTheViewChangesSceneOnlyWhereTheSceneLeadsOn)
{
    struct Exit
    {
        std::int32_t scene;
        double x;
        std::int32_t target; // -1: the scene does not lead on
    };
    // clang-format off
    const Exit exits[] = {{0, 3.0, 1}, {0, -3.0, 5}, {1, 0.0, 2}, {5, 0.0, 7}, {8, 0.0, 9}, {9, 5.5, 10},
                          {9, 5.0, -1}, {10, 0.0, 11}, {2, 0.0, -1}, {7, 0.0, -1}, {11, 0.0, -1}};
    // clang-format on
    GameDriver game;
    for (const Exit& exit : exits)
    {
        SCOPED_TRACE(testing::Message() << "scene " << exit.scene << " at x " << exit.x);
        Data().currentScene = exit.scene;
        Data().pendingScene = 4242;
        auto* door = new Door();
        door->x = exit.x;
        // The axis changes without an event: only a motion update would pass it on.
        Data().p1MoveX = 1.0;
        testsupport::SendOut(new GameObject());
        EXPECT_EQ(door->velocityX, 0.0) << "another object's leaving is none of the door's business";

        testsupport::SendOut(door);
        EXPECT_EQ(Data().currentScene, exit.target >= 0 ? SceneNumber::Loading : exit.scene);
        EXPECT_EQ(Data().pendingScene, exit.target >= 0 ? exit.target : 4242);
        // After a request, and at the tower hall's entrance, the motion is left alone.
        EXPECT_EQ(door->velocityX, exit.target < 0 && exit.scene != 9 ? 7.0 : 0.0);
        Data().p1MoveX = 0.0;
        testsupport::DestroyWorld();
    }
}

TEST(Door, TheSecondPlayerIsAGreyDoorThatIgnoresLocksAndComesBackWhenOutOfView)
{
    GameDriver game;
    SetSetting("Multiplayer", "1");
    Door* door = LoneDoor();
    door->x = 4.0;
    ASSERT_EQ(LiveObjects<SecondDoor>().size(), 1u);
    SecondDoor* second = LiveObjects<SecondDoor>()[0];
    EXPECT_EQ(second->sprite.colour, sf::Color(196, 196, 196, 255));

    Data().controlsLocked = true;
    game.Press(Key::Right);
    game.Press(Key::Up);
    game.Frames(1, kStep);
    EXPECT_EQ(second->x, 4.0) << "it starts where its leader stands";
    EXPECT_NEAR(second->velocityX, 10.0 / std::sqrt(2.0), 1e-12);
    EXPECT_EQ(second->velocityY, second->velocityX);
    EXPECT_EQ(door->velocityX, 0.0);
    game.Release(Key::Up);

    // It walks right until it leaves the view, then jumps back to player one.
    double furthest = second->x;
    ASSERT_TRUE(game.RunUntil(
        [&] { return second->x < std::exchange(furthest, std::max(furthest, second->x)); }, 200, kStep));
    EXPECT_GT(furthest, 20.0);
    EXPECT_EQ(second->x, door->x);
    EXPECT_EQ(second->y, door->y);
    EXPECT_EQ(DisplayManager::getInstance().cameraPosition.x, door->x)
        << "only player one carries the camera";
}

TEST(Door, FakeDoorsBobAroundTheirPlaceAndTheFollowerWalksBehindItsTarget)
{
    GameDriver game;
    // Screen-fixed fake doors are obstacles too: keep them clear of the walking door.
    auto* fake = new FakeDoor(6.0);
    auto* fake2 = new FakeDoor2();
    Door* door = LoneDoor();
    auto* follower = new DoorFollower(door);
    game.Press(Key::D);
    game.Frames(20, kStep);
    EXPECT_GT(door->x, 5.0);
    EXPECT_EQ(follower->sprite.frameIndex, 14) << "walking";
    EXPECT_NEAR(follower->x, door->x - 2.0, 0.15);
    EXPECT_NEAR(follower->y, door->y + 0.8, 0.26);
    for (const auto& [bobber, base] : {
             std::pair{fake,  6.0},
             std::pair<FakeDoor*, double>{fake2, 3.0}
    })
    {
        EXPECT_NE(bobber->y, base);
        EXPECT_NEAR(bobber->y, base, 0.21);
    }
    game.Release(Key::D);
    game.Frames(1, kStep);
    EXPECT_EQ(follower->sprite.frameIndex, 13) << "standing";
}

TEST(Door, TheWizardStopsAtAWallAndSaysGoodbyeOnceWhenItWalksOutOfView)
{
    GameDriver game;
    auto* wizard = new Wizard();
    auto* wall = new GameObject();
    wall->x = 6.0;
    WizardCommand(0);
    ASSERT_TRUE(game.RunUntil([&] { return wizard->velocityX == 0.0; }, 40, kStep));
    game.Frames(1, kStep);
    EXPECT_LT(wizard->x + wizard->boxWidth / 2, wall->x);
    EXPECT_GT(wizard->x, 3.0);
    EXPECT_EQ(wizard->sprite.frameIndex, 13) << "standing";

    WizardCommand(1);
    wall->solidness = Spectral;
    WizardCommand(0);
    game.Frames(1, kStep);
    EXPECT_EQ(wizard->sprite.frameIndex, 14) << "walking";
    const auto goodbye = [] { return SoundStatus("Offscreen") == sf::SoundSource::Status::Playing; };
    ASSERT_TRUE(game.RunUntil(goodbye, 80, kStep));
    EXPECT_GT(wizard->x, 15.0);
    ResourceManager::getInstance().Stop("Offscreen");
    game.Frames(10, kStep); // still walking, out of view every frame
    EXPECT_EQ(SoundStatus("Offscreen"), sf::SoundSource::Status::Stopped);
}
