// The door walks from the home island over the long bridge to the village, steered only by
// key events, through two loading screens.
#include "engine/world/GameObject.hpp"
#include "engine/world/WorldManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "support/Driver.hpp"

#include <cmath>
#include <gtest/gtest.h>

using Key = sf::Keyboard::Key;

namespace
{
GameObject* PlayerDoor()
{
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        if (object->type == "Player")
            return object;
    return nullptr;
}

std::int32_t Scene()
{
    return BigAccessingOfData::getInstance().currentScene;
}

// Frames of 1/30 s: the door moves 0.23 units a frame, so where water stops it, it stands
// within a quarter unit of the edge, well inside the one-tile connectors it has to turn into.
constexpr double kStep = 1.0 / 30.0;

// Holds a key until the door stops moving (it walked into water) or the scene changes.
void WalkUntilBlocked(testsupport::GameDriver& game, Key key)
{
    const std::int32_t scene = Scene();
    game.Press(key);
    double lastX = 1e9;
    double lastY = 1e9;
    int still = 0;
    game.RunUntil(
        [&]
        {
            GameObject* door = PlayerDoor();
            if (Scene() != scene || door == nullptr)
                return true;
            still = (std::abs(door->x - lastX) < 1e-9 && std::abs(door->y - lastY) < 1e-9) ? still + 1 : 0;
            lastX = door->x;
            lastY = door->y;
            return still >= 3;
        },
        1500, kStep);
    game.Release(key);
}
} // namespace

TEST(Walk, TheDoorWalksFromTheHomeIslandAcrossTheBridgeIntoTheVillage)
{
    testsupport::GameDriver game;
    BigAccessingOfData::getInstance().loadingLength = 0.5;
    Map::getInstance().LoadScene(0);
    ASSERT_NE(PlayerDoor(), nullptr);

    WalkUntilBlocked(game, Key::D);
    ASSERT_EQ(Scene(), SceneNumber::Loading) << "the door should have walked off the island's east side";
    EXPECT_EQ(BigAccessingOfData::getInstance().pendingScene, 1);
    ASSERT_TRUE(game.RunUntil([] { return Scene() == 1; }, 60, kStep));

    // Down the zig-zag: along a row until the water stops the door, down the connector, back.
    const Key rows[] = {Key::D, Key::A, Key::D, Key::A, Key::D, Key::A, Key::D};
    for (int row = 0; row < 7 && Scene() == 1; ++row)
    {
        WalkUntilBlocked(game, rows[row]);
        if (row < 6 && Scene() == 1)
            WalkUntilBlocked(game, Key::S);
    }
    ASSERT_EQ(Scene(), SceneNumber::Loading) << "the door should have left the bridge at its far end";
    EXPECT_EQ(BigAccessingOfData::getInstance().pendingScene, 2);
    ASSERT_TRUE(game.RunUntil([] { return Scene() == 2; }, 60, kStep));

    GameObject* door = PlayerDoor();
    ASSERT_NE(door, nullptr);
    const double startX = door->x;
    game.Press(Key::D);
    game.Frames(15, kStep);
    game.Release(Key::D);
    EXPECT_GT(door->x, startX + 2.0) << "the door walks on in the village";
}
