// The player's door and the door-shaped characters around it: walking, looks, camera, exits,
// the second player, and the companions.
#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "engine/GameManager.hpp"
#include "game/DoorCompanions.hpp"
#include "game/Effects.hpp"
#include "game/PlayerDoors.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"
#include "support/Driver.hpp"
#include "support/Harness.hpp"
#include "support/WorldQueries.hpp"

#include <SFML/Window/Event.hpp>
#include <cmath>
#include <gtest/gtest.h>

using Key = sf::Keyboard::Key;
using testsupport::GameDriver;
using testsupport::LiveObjects;
using testsupport::SoundStatus;

namespace
{
constexpr double kStep = 1.0 / 16.0;

BigAccessingOfData& Data()
{
    return BigAccessingOfData::getInstance();
}

void SetSetting(const std::string& key, const std::string& value)
{
    SettingManager::getInstance().Set(key, value);
}

// A door on its own, in a scene without exits or camera limits (a fight screen).
Door* LoneDoor()
{
    Data().currentScene = 3;
    return new Door();
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
    for (bool* stopper : {&Data().controlsLocked, &DialogManager::getInstance().active})
    {
        *stopper = true;
        game.Frames(1, kStep);
        EXPECT_EQ(door->velocityX, 0.0);
        x = door->x;
        game.Frames(3, kStep);
        EXPECT_EQ(door->x, x);
        EXPECT_EQ(door->sprite.frameIndex, 1) << "standing";
        *stopper = false;
        game.Frames(1, kStep);
        EXPECT_EQ(door->velocityX, 7.0);
    }

    // Keys held while the window loses focus are forgotten until pressed again.
    DisplayManager::getInstance().HandleWindowEvent(sf::Event::FocusLost{});
    EXPECT_EQ(Data().p1MoveX, 0.0);
    EXPECT_EQ(door->velocityX, 0.0) << "the door stops at once";
    x = door->x;
    game.Frames(5, kStep);
    EXPECT_EQ(door->x, x);
    game.Press(Key::D);
    game.Frames(2, kStep);
    EXPECT_EQ(door->velocityX, 7.0);
    EXPECT_GT(door->x, x);
}

TEST(Door, StandsAndWalksOnTheFramesAndBackgroundOfItsDesign)
{
    struct Pose
    {
        const char* design;
        std::int32_t stand, walk;
        double standHeight, walkHeight, offset;
    };
    const Pose poses[] = {
        {"5",  5,  0,  0.7, 0.9, -0.7 },
        {"13", 13, 14, 1.0, 1.0, -0.15}
    };
    GameDriver game;
    for (const Pose& pose : poses)
    {
        SCOPED_TRACE(pose.design);
        SetSetting("DKS", pose.design);
        Door* door = LoneDoor();
        for (int round = 0; round < 2; ++round)
        {
            game.Frames(1, kStep);
            EXPECT_EQ(door->sprite.frameIndex, pose.stand);
            EXPECT_EQ(door->sprite.backgroundHeight, pose.standHeight);
            EXPECT_EQ(door->sprite.backgroundOffset, pose.offset);
            game.Press(Key::A);
            game.Frames(1, kStep);
            EXPECT_EQ(door->sprite.frameIndex, pose.walk);
            EXPECT_EQ(door->sprite.backgroundHeight, pose.walkHeight);
            EXPECT_EQ(door->sprite.backgroundOffset, pose.offset);
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
    EXPECT_EQ(walker->sprite.frameIndex, 14);
    EXPECT_EQ(walker->sprite.backgroundHeight, 1.0);
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
        EXPECT_EQ(door->sprite.frameIndex, 0) << design;
        EXPECT_EQ(door->sprite.backgroundHeight, 0.7) << "standing, not walking";
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
    EXPECT_EQ(door->doorFrame, 1);
    EXPECT_EQ(SettingManager::getInstance().Get("DKS", ""), "1");
    SetSetting("DKS", "hinge");
    EXPECT_EQ((new SecondDoor(door))->doorFrame, 1);
    SetSetting("DKS", "hinge");
    EXPECT_EQ((new FakeDoor(6.0))->sprite.frameIndex, 1);
    SetSetting("DKS", "hinge");
    EXPECT_EQ((new DoorParticle())->sprite.frameIndex, 1);
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
    EXPECT_EQ(second->solidness, Spectral);

    Data().controlsLocked = true;
    game.Press(Key::Right);
    game.Press(Key::Up);
    game.Frames(1, kStep);
    EXPECT_EQ(second->x, 4.0) << "it starts where its leader stands";
    EXPECT_NEAR(second->velocityX, 10.0 / std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(second->velocityY, 10.0 / std::sqrt(2.0), 1e-12);
    EXPECT_EQ(door->velocityX, 0.0);
    game.Release(Key::Up);

    // It walks right until it leaves the view, then jumps back to player one.
    double furthest = second->x;
    const auto jumpedBack = [&]
    {
        const bool back = second->x < furthest;
        furthest = std::max(furthest, second->x);
        return back;
    };
    ASSERT_TRUE(game.RunUntil(jumpedBack, 200, kStep));
    EXPECT_GT(furthest, 20.0);
    EXPECT_EQ(second->x, door->x);
    EXPECT_EQ(second->y, door->y);
    EXPECT_EQ(DisplayManager::getInstance().cameraPosition.x, door->x)
        << "only player one carries the camera";
}

TEST(Door, FakeDoorsBobAndTheFollowerTrailsItsTarget)
{
    GameDriver game;
    // Screen-fixed fake doors are obstacles too: keep them clear of the walking door.
    auto* fake = new FakeDoor(6.0);
    auto* fake2 = new FakeDoor2();
    Door* door = LoneDoor();
    auto* follower = new DoorFollower(door);
    game.Press(Key::D);
    for (int frame = 1; frame <= 40; ++frame)
    {
        if (frame == 30)
            game.Release(Key::D);
        game.Frames(1, kStep);
        const double phase = frame * kStep;
        ASSERT_NEAR(fake->y, 6.0 + std::sin(1.5 * phase) / 5.0, 1e-9) << frame;
        ASSERT_NEAR(fake2->y, 3.0 + std::sin(1.5 * phase) / 5.0, 1e-9) << frame;
        ASSERT_NEAR(follower->x, door->x - std::sin(3.0 * phase) / 7.0 - 2.0, 1e-9) << frame;
        ASSERT_NEAR(follower->y, door->y - 0.25 * std::sin(2.0 * phase) + 0.8, 1e-9) << frame;
        ASSERT_EQ(follower->sprite.frameIndex, frame < 30 ? 14 : 13) << frame;
    }
    EXPECT_GT(door->x, 5.0);
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
