// The shared game state: movement axes driven by key presses, and when Escape may pause.
#include "engine/world/GameObject.hpp"
#include "engine/world/WorldManager.hpp"
#include "state/Map.hpp"
#include "support/GameTest.hpp"

#include <gtest/gtest.h>

TEST(GameState, AxesAccumulatePressesAndReleasesAndAreClampedAfterEveryEvent)
{
    GameDriver game;
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    game.Press(Key::D);
    game.Press(Key::A);
    EXPECT_EQ(data.p1MoveX, 0.0);
    game.Release(Key::D);
    EXPECT_EQ(data.p1MoveX, -1.0) << "A is still held";
    game.Release(Key::A);

    // A and Left both steer player one: -2 is clamped to -1, so letting go of one gives 0.
    game.Press(Key::A);
    game.Press(Key::Left);
    EXPECT_EQ(data.p1MoveX, -1.0);
    game.Release(Key::Left);
    EXPECT_EQ(data.p1MoveX, 0.0);
    game.Release(Key::A);
    EXPECT_EQ(data.p1MoveX, 1.0);

    data.p1MoveX = 0.0;
    for (Key key : {Key::D, Key::A, Key::Left})
        game.Press(key);
    EXPECT_EQ(data.p1MoveX, -1.0);
    for (Key key : {Key::D, Key::A, Key::Left})
        game.Release(key);
    EXPECT_EQ(data.p1MoveX, 1.0);

    game.Press(Key::Up);
    EXPECT_EQ(data.p1MoveY, 1.0);
    game.Press(Key::S);
    EXPECT_EQ(data.p1MoveY, 0.0);
    EXPECT_EQ(data.p2MoveX, 0.0);
    EXPECT_EQ(data.p2MoveY, 0.0);
}

TEST(GameState, WithMultiplayerOnTheArrowsSteerOnlyPlayerTwoAndWasdOnlyPlayerOne)
{
    GameDriver game;
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    SettingManager::getInstance().Set("Multiplayer", "1");
    game.Press(Key::Left);
    game.Press(Key::Up);
    EXPECT_EQ(data.p2MoveX, -1.0);
    EXPECT_EQ(data.p2MoveY, 1.0);
    EXPECT_EQ(data.p1MoveX, 0.0);
    EXPECT_EQ(data.p1MoveY, 0.0);
    game.Press(Key::D);
    game.Press(Key::S);
    EXPECT_EQ(data.p1MoveX, 1.0);
    EXPECT_EQ(data.p1MoveY, -1.0);
    EXPECT_EQ(data.p2MoveX, -1.0);
    EXPECT_EQ(data.p2MoveY, 1.0);

    // Only the exact text "1" switches multiplayer on.
    game.Release(Key::D);
    SettingManager::getInstance().Set("Multiplayer", "1.0");
    game.Press(Key::Right);
    EXPECT_EQ(data.p1MoveX, 1.0);
    EXPECT_EQ(data.p2MoveX, -1.0);
}

TEST(GameState, EscapeDoesNothingOnTheTitleInDialogueOnTheLoadingScreenOrWithLockedControls)
{
    GameDriver game;
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    WorldManager& world = WorldManager::getInstance();
    Map::getInstance().LoadScene(0);
    const std::vector<GameObject*> island = world.objects;

    using Arrange = void (*)(BigAccessingOfData&);
    // clang-format off
    const std::pair<const char*, Arrange> cases[] = {
        {"no game running",  [](BigAccessingOfData& d) { d.resumeScene = SceneNumber::NoGame; }},
        {"dialogue playing", [](BigAccessingOfData& d) { d.dialogNumber = 3; }},
        {"loading screen",   [](BigAccessingOfData& d) { d.currentScene = SceneNumber::Loading; }},
        {"controls locked",  [](BigAccessingOfData& d) { d.controlsLocked = true; }},
    };
    // clang-format on
    for (const auto& [what, arrange] : cases)
    {
        data.currentScene = 0;
        data.resumeScene = SceneNumber::GameWithoutPause;
        data.dialogNumber = -1;
        data.controlsLocked = false;
        data.pendingScene = 4242;
        arrange(data);
        const std::int32_t scene = data.currentScene;
        const std::int32_t resume = data.resumeScene;
        game.Press(Key::Escape);
        EXPECT_EQ(data.currentScene, scene) << what;
        EXPECT_EQ(data.pendingScene, 4242) << what;
        EXPECT_EQ(data.resumeScene, resume) << what;
        EXPECT_EQ(world.objects, island) << what;
        EXPECT_TRUE(world.stashedObjects.empty()) << what;
    }

    // The real title menu ends the running game, so Escape stays on the title.
    data.controlsLocked = false;
    data.dialogNumber = -1;
    Map::getInstance().LoadScene(SceneNumber::TitleMenu);
    game.Press(Key::Escape);
    EXPECT_EQ(data.currentScene, SceneNumber::TitleMenu);
    EXPECT_TRUE(world.stashedObjects.empty());
}
