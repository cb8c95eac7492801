// The shared game state: movement axes driven by key presses, and when Escape may pause.
#include "support/GameTest.hpp"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

TEST(GameState, TheKeysHeldSteerTheAxesClampedAndWithMultiplayerTheArrowsSteerPlayerTwo)
{
    GameDriver game;
    // Only the exact text "1" switches multiplayer on; the axes are p1 x, p1 y, p2 x, p2 y after the event.
    using K = Key;
    constexpr bool P = true, R = false; // press, release
    // clang-format off
    const std::tuple<const char*, bool, Key, std::vector<double>> steps[] = {
        {"0", P, K::D, {1, 0, 0, 0}}, {"0", P, K::A, {0, 0, 0, 0}}, {"0", R, K::D, {-1, 0, 0, 0}},
        // A and Left both steer player one, clamped to -1; letting go of one leaves the other.
        {"0", R, K::A, {0, 0, 0, 0}}, {"0", P, K::A, {-1, 0, 0, 0}}, {"0", P, K::Left, {-1, 0, 0, 0}},
        {"0", R, K::Left, {-1, 0, 0, 0}}, {"0", R, K::A, {0, 0, 0, 0}},
        // A key let go that was never held changes nothing; one pressed twice counts once.
        {"0", R, K::D, {0, 0, 0, 0}}, {"0", P, K::Up, {0, 1, 0, 0}}, {"0", P, K::Up, {0, 1, 0, 0}},
        {"0", P, K::S, {0, 0, 0, 0}}, {"1", P, K::Left, {0, -1, -1, 1}}, {"1", P, K::D, {1, -1, -1, 1}},
        {"1.0", P, K::Right, {1, 0, 0, 0}}};
    // clang-format on
    for (const auto& [multiplayer, press, key, axes] : steps)
    {
        SetSetting("Multiplayer", multiplayer);
        press ? game.Press(key) : game.Release(key);
        EXPECT_EQ((std::vector<double>{Data().p1MoveX, Data().p1MoveY, Data().p2MoveX, Data().p2MoveY}), axes)
            << (press ? "press " : "release ") << int(key) << " with multiplayer " << multiplayer;
    }
}

TEST(GameState, EscapePausesOnlyARunningGameOutsideDialogueAndTheLoadingScreenWithControlsFree)
{
    GameDriver game;
    BigAccessingOfData& data = Data();
    using namespace SceneNumber;
    // clang-format off
    const std::tuple<std::int32_t, std::int32_t, std::int32_t, bool, bool> cases[] = {
        // scene, game to resume, dialogue, controls locked, pauses
        {0, NoGame, -1, false, false}, // on the title
        {0, GameWithoutPause, 3, false, false}, {Loading, GameWithoutPause, -1, false, false},
        {0, GameWithoutPause, -1, true, false}, {0, GameWithoutPause, -1, false, true}};
    // clang-format on
    for (const auto& [scene, resume, dialogue, locked, pauses] : cases)
    {
        data.currentScene = scene;
        data.resumeScene = resume;
        data.dialogNumber = dialogue;
        data.controlsLocked = locked;
        game.Press(Key::Escape);
        EXPECT_EQ(data.currentScene, pauses ? Loading : scene) << scene << " " << resume << " " << dialogue;
        EXPECT_EQ(data.pendingScene, pauses ? SettingsMenu : 0) << scene << " " << resume << " " << dialogue;
    }
}

// A loading length that is no finite number keeps the default and a negative one counts as none,
// so that every scene change still comes to an end.
TEST(GameState, TheLoadingLengthReadAtStartUpIsFiniteAndNeverNegative)
{
    // clang-format off
    for (const auto& [text, length] : {std::pair{"inf", 3.0}, {"nan", 3.0}, {"1e400", 3.0}, {"-2", 0.0}, {"5.5", 5.5}})
    // clang-format on
    {
        testsupport::WriteFile("important/settings.txt", std::string("Loading Length:") + text + ";");
        {
            GameDriver game;
            EXPECT_EQ(Data().loadingLength, length) << text;
        }
        testsupport::ResetSingletons();
    }
}
