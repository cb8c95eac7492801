// Moving between scenes: pausing and leaving a game for the title, and settings that are not
// numbers (the door's design and hue are the Door and Settings tests'). Loading screens are
// LoadingScreen's; resuming is played in every scene of the story's playthrough.
#include "game/PlayerDoors.hpp"
#include "scenes/SceneBuilders.hpp"
#include "support/GameTest.hpp"

#include <gtest/gtest.h>

using Status = sf::SoundSource::Status;

TEST(SceneFlow, ThePauseFreezesTheWorldAndSilencesItAndTheTitleEndsTheRun)
{
    GameDriver game;
    Data().loadingLength = 0.5;
    Map::getInstance().LoadScene(7);
    game.Frames(2, kStep);
    sf::Music& music = Music("PreTower");
    Door* door = LiveObjects<Door>().at(0);
    game.Tap(Key::Escape);
    ASSERT_TRUE(game.ReachScene(SceneNumber::SettingsMenu));
    EXPECT_EQ(music.getStatus(), Status::Paused);
    const double x = door->x;
    game.Press(Key::D);
    game.Frames(3, kStep);
    EXPECT_EQ(door->x, x) << "the stashed door stays put";

    // Escape on the pause page resumes; it is no new scene.
    game.Tap(Key::Escape);
    ASSERT_TRUE(game.ReachScene(7));
    EXPECT_EQ(music.getStatus(), Status::Playing);
    EXPECT_EQ(SoundStatus("DoorClose"), Status::Stopped);

    game.Tap(Key::Escape);
    ASSERT_TRUE(game.ReachScene(SceneNumber::SettingsMenu));
    Map::getInstance().ChangeScene(SceneNumber::TitleMenu);
    ASSERT_TRUE(game.ReachScene(SceneNumber::TitleMenu));
    EXPECT_EQ(music.getStatus(), Status::Stopped);
    EXPECT_EQ(Data().resumeScene, SceneNumber::NoGame);
}

TEST(SceneFlow, SettingsThatAreNotNumbersCountAsAbsentInsteadOfEndingTheGame)
{
    GameDriver game;
    Map::getInstance().LoadScene(1);
    const sf::Time modern = Music("Bridge").getDuration();
    SetSetting("LegacyAudio", "loud");
    ASSERT_NO_THROW(Map::getInstance().LoadScene(1));
    EXPECT_EQ(Music("Bridge").getDuration(), modern) << "not the legacy track";

    // Knob 13 is due once labels 2 to 12 are obtained and 13 is not; a label that is not a
    // number is simply not obtained.
    for (int n = 2; n <= 12; ++n)
        SetSetting("DoorLabel" + std::to_string(n), "1");
    SetSetting("DoorLabel13", "0");
    EXPECT_TRUE(scenes::KnobThirteenIsDue());
    SetSetting("DoorLabel4", "yes");
    EXPECT_FALSE(scenes::KnobThirteenIsDue());
}

// The village house is entered by walking up to its front anywhere, or sliding along it: not only
// by stepping straight up into its narrow doorway.
TEST(SceneFlow, WalkingUpToTheHouseFrontAnywhereStartsTheQuestion)
{
    // clang-format off
    const std::tuple<const char*, std::int32_t, std::vector<Key>> walks[] = {
        // from the grass's top row, at a grid column, holding these keys
        {"up, left of the path",          2, {Key::W}},
        {"up, right of the path",         4, {Key::W}},
        {"up the path",                   3, {Key::W}},
        {"diagonally, along the front",   1, {Key::W, Key::D}},
    };
    // clang-format on
    for (const auto& [how, column, keys] : walks)
    {
        SCOPED_TRACE(how);
        ResetSingletons();
        GameDriver game;
        Map::getInstance().LoadScene(2);
        Door* door = LiveObjects<Door>().at(0);
        const WorldPoint start = scenes::GridToWorld(column, 1);
        door->x = start.x;
        door->y = start.y;
        game.Frame(kStep);
        ASSERT_EQ(Data().dialogNumber, -1) << "not yet at the house";
        for (const Key key : keys)
            game.Press(key);
        EXPECT_TRUE(game.RunUntil([] { return Data().dialogNumber == 44; }, 48, kStep))
            << "within three seconds";
        for (const Key key : keys)
            game.Release(key);
    }
}
