// The player's door: walking, looks and exits; and the second player's door beside it.
#include "display/DisplayManager.hpp"
#include "game/DoorCompanions.hpp"
#include "game/PlayerDoors.hpp"
#include "support/GameTest.hpp"
#include "world/PhysicsManager.hpp"

#include <SFML/Window/Event.hpp>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>
#include <utility>

namespace
{
// A door on its own, in a scene without exits or camera limits (a fight screen).
Door* LoneDoor()
{
    Data().currentScene = 3;
    return new Door();
}

// Publishes the physics "Out" event for `object`, as if it had just moved out of view.
void SendOut(GameObject* object)
{
    PhysicsManager::getInstance().outEvent.object = object;
    PhysicsManager::getInstance().outEvent.Publish();
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
    game.Frames(2, kStep);
    EXPECT_NEAR(door->velocityY, 7.0 / std::sqrt(2.0), 1e-12);
    game.Release(Key::W);
    // Locked controls and dialogue stop the door, which walks on if the key is still held; keys
    // held while the window loses focus are forgotten until pressed again.
    DialogManager& dialog = DialogManager::getInstance();
    // clang-format off
    const std::pair<std::function<void()>, std::function<void()>> stoppers[] = {
        {[] { Data().controlsLocked = true; }, [] { Data().controlsLocked = false; }},
        {[&] { dialog.StartDialog(3); }, [&] { dialog.EndDialog(); }},
        {[] { DisplayManager::getInstance().HandleWindowEvent(sf::Event::FocusLost{}); },
         [&] { game.Press(Key::D); }}};
    // clang-format on
    for (const auto& [stop, resume] : stoppers)
    {
        stop();
        game.Frame(kStep);
        EXPECT_EQ(door->velocityX, 0.0);
        resume();
        game.Frame(kStep);
        EXPECT_EQ(door->velocityX, 7.0);
    }
}

TEST(Door, StandsAndWalksOnTheFramesAndBackgroundOfItsDesign)
{
    // Design setting, then frame, background height and offset standing and walking. Designs
    // below one stand on frame 0 and one that is not a number counts as 1; either is saved back.
    // clang-format off
    const std::tuple<const char*, std::int32_t, std::int32_t, double, double, double> poses[] = {
        {"5", 5, 0, 0.7, 0.9, -0.7}, {"13", 13, 14, 1.0, 1.0, -0.15}, {"0", 0, 0, 0.7, 0.9, -0.7},
        {"-4", 0, 0, 0.7, 0.9, -0.7}, {"hinge", 1, 0, 0.7, 0.9, -0.7}};
    // clang-format on
    GameDriver game;
    for (const auto& [design, stand, walk, standHeight, walkHeight, offset] : poses)
    {
        SCOPED_TRACE(design);
        SetSetting("DKS", design);
        Door* door = LoneDoor();
        EXPECT_EQ(Setting("DKS"), std::to_string(stand));
        game.Press(Key::A);
        game.Frames(1, kStep);
        EXPECT_EQ(Look(door->sprite), std::make_tuple(walk, walkHeight, offset));
        game.Release(Key::A);
        game.Frames(1, kStep);
        EXPECT_EQ(Look(door->sprite), std::make_tuple(stand, standHeight, offset));
        WorldManager::getInstance().DestroyEverything();
    }
    // Doors of design 13 that enter a scene already walking (keys held through the loading
    // screen) walk on their walking frame from the start.
    SetSetting("DKS", "13");
    game.Press(Key::D);
    Door* walker = LoneDoor();
    game.Frames(1, kStep);
    EXPECT_EQ(Look(walker->sprite), std::make_tuple(14, 1.0, -0.15));
}

TEST(Door, LeavingTheViewChangesSceneOnlyWhereTheSceneLeadsOn)
{
    // Scene, the door's x, and the scene it leads to (-1: none).
    // clang-format off
    const std::tuple<std::int32_t, double, std::int32_t> exits[] = {{0, 3.0, 1}, {0, -3.0, 5}, {1, 0.0, 2},
        {5, 0.0, 7}, {8, 0.0, 9}, {9, 5.5, 10}, {9, 5.0, -1}, {10, 0.0, 11}, {2, 0.0, -1}, {7, 0.0, -1},
        {11, 0.0, -1}};
    // clang-format on
    GameDriver game;
    for (const auto& [scene, x, target] : exits)
    {
        SCOPED_TRACE(testing::Message() << "scene " << scene << " at x " << x);
        Data().currentScene = scene;
        Data().pendingScene = 4242;
        auto* door = new Door();
        door->x = x;
        // The axis changes without an event: only a motion update would pass it on.
        Data().p1MoveX = 1.0;
        SendOut(new GameObject());
        EXPECT_EQ(door->velocityX, 0.0) << "another object's leaving is none of the door's business";
        SendOut(door);
        EXPECT_EQ(Data().currentScene, target >= 0 ? SceneNumber::Loading : scene);
        EXPECT_EQ(Data().pendingScene, target >= 0 ? target : 4242);
        // After a request, and at the tower hall's entrance, the motion is left alone.
        EXPECT_EQ(door->velocityX, target < 0 && scene != 9 ? 7.0 : 0.0);
        Data().p1MoveX = 0.0;
        WorldManager::getInstance().DestroyEverything();
    }
}

TEST(Door, TheSecondPlayerIgnoresLocksAndComesBackToPlayerOneWhenOutOfView)
{
    GameDriver game;
    SetSetting("Multiplayer", "1");
    Door* door = LoneDoor();
    door->x = 4.0;
    SecondDoor* second = LiveObjects<SecondDoor>().at(0);
    Data().controlsLocked = true;
    game.Press(Key::Right);
    game.Press(Key::Up);
    game.Frames(1, kStep);
    EXPECT_EQ(second->x, 4.0) << "it starts where its leader stands";
    EXPECT_NEAR(second->velocityX, 10.0 / std::sqrt(2.0), 1e-12);
    game.Release(Key::Up);

    // It walks right until it leaves the view, then jumps back to player one.
    double furthest = second->x;
    ASSERT_TRUE(game.RunUntil(
        [&] { return second->x < std::exchange(furthest, std::max(furthest, second->x)); }, 200, kStep));
    EXPECT_EQ(std::make_pair(second->x, second->y), std::make_pair(door->x, door->y));
    EXPECT_EQ(DisplayManager::getInstance().cameraPosition.x, door->x) << "only player one moves the camera";
}

// The last burst removes the fake door a second player follows, while the second door stays.
TEST(Door, ASecondDoorWhoseLeaderIsGoneStaysWhereItIsWhenItLeavesTheView)
{
    GameDriver game;
    SetSetting("Multiplayer", "1");
    auto* leader = new FakeDoor(6.0);
    SecondDoor* second = LiveObjects<SecondDoor>().at(0);
    game.Frames(1, kStep);
    second->x = 4.0;
    second->y = -2.0;
    WorldManager::getInstance().MarkForDeletion(leader);
    game.Frames(1, kStep);
    SendOut(second);
    EXPECT_EQ(std::make_pair(second->x, second->y), std::make_pair(4.0, -2.0));
}
