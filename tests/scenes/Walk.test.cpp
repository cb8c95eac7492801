// The door walks from the home island over the long bridge to the village, steered only by
// key events, through two loading screens, listening to what the triggers along the way say.
#include "dialogue/DialogManager.hpp"
#include "state/Map.hpp"
#include "support/GameTest.hpp"

#include <gtest/gtest.h>

using testsupport::FirstOfType;

namespace
{
// Frames of 1/30 s: the door moves 0.23 units a frame, so where water stops it, it stands
// within a quarter unit of the edge, well inside the one-tile connectors it has to turn into.
constexpr double kWalkStep = 1.0 / 30.0;

// The dialogues heard on the way, in order.
std::vector<std::int32_t> heard;

// Holds a key until the door stops moving (it walked into water) or the scene changes. Whatever
// a trigger starts is read to its end with Space, while the key stays held.
void WalkUntilBlocked(GameDriver& game, Key key)
{
    const std::int32_t scene = Data().currentScene;
    game.Press(key);
    double lastX = 1e9, lastY = 1e9;
    int still = 0;
    game.RunUntil(
        [&]
        {
            const GameObject* door = FirstOfType("Player");
            if (Data().currentScene != scene || door == nullptr)
                return true;
            if (DialogManager::getInstance().active)
            {
                if (heard.empty() || heard.back() != Data().dialogNumber)
                    heard.push_back(Data().dialogNumber);
                game.Tap(Key::Space);
                return false;
            }
            still = door->x == lastX && door->y == lastY ? still + 1 : 0;
            lastX = door->x;
            lastY = door->y;
            return still >= 3;
        },
        1500, kWalkStep);
    game.Release(key);
}
} // namespace

TEST(Walk, TheDoorWalksFromTheHomeIslandAcrossTheBridgeIntoTheVillage)
{
    GameDriver game;
    Data().loadingLength = 0.5;
    Map::getInstance().LoadScene(0);
    WalkUntilBlocked(game, Key::D);
    ASSERT_EQ(Data().pendingScene, 1) << "the door should have walked off the island's east side";
    EXPECT_EQ(heard, (std::vector<std::int32_t>{0, 1, 2, 3})) << "the island's thoughts, in order";
    ASSERT_TRUE(game.RunUntil([] { return Data().currentScene == 1; }, 60, kWalkStep));

    // Down the zig-zag: along a row until the water stops the door, down the connector, back.
    for (int row = 0; row < 7 && Data().currentScene == 1; ++row)
    {
        WalkUntilBlocked(game, row % 2 == 0 ? Key::D : Key::A);
        if (row < 6 && Data().currentScene == 1)
            WalkUntilBlocked(game, Key::S);
    }
    ASSERT_EQ(Data().pendingScene, 2) << "the door should have left the bridge at its far end";
    EXPECT_GE(heard.size(), 30u) << "most of the bridge's dialogues play on the way";
    ASSERT_TRUE(game.RunUntil([] { return Data().currentScene == 2; }, 60, kWalkStep));

    GameObject* door = FirstOfType("Player");
    const double startX = door->x;
    game.Press(Key::D);
    game.Frames(15, kWalkStep);
    EXPECT_GT(door->x, startX + 2.0) << "the door walks on in the village";
}
