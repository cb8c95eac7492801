// The record Continue goes back to: what reads back, what counts as nothing, and what restoring
// it changes. Recording on entering a scene, the title's Continue and the endings are played in
// the story's playthroughs.
#include "state/SavedGame.hpp"

#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"

#include <gtest/gtest.h>
#include <string>

namespace
{
SettingManager& Settings()
{
    return SettingManager::getInstance();
}
} // namespace

TEST(SavedGame, TheFirstAndLastGameScenesReadBackWithTheirFlagsAndACleanSlateIsNothingWithoutANote)
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    data.hasChicken = true;
    data.codeSolved = true;
    Settings().Set("SeenEnd", "1");
    Settings().Set("Multiplayer", "1");
    for (const std::int32_t scene : {0, 15})
    {
        SavedGame::Now(scene).Record();
        const auto game = SavedGame::Load();
        ASSERT_TRUE(game.has_value()) << scene;
        EXPECT_EQ(game->scene, scene);
        EXPECT_TRUE(game->hasChicken && !game->codeIntroSeen && game->codeSolved);
        EXPECT_TRUE(game->seenEnd && !game->creator && game->twoPlayers);
    }

    ::testing::internal::CaptureStderr();
    SavedGame::Clear();
    EXPECT_FALSE(SavedGame::Load().has_value());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    // A record missing one of its keys is not a record.
    SavedGame::Now(3).Record();
    Settings().values.erase("Saved Code Solved");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(SavedGame::Load().has_value());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Continue: the saved game is ignored: \"Saved Code Solved\" is missing\n");
}

TEST(SavedGame, RestoringBringsTheRunBackButTakesNoUnlockAwayAndLeavesTwoPlayersToTheSettingsPage)
{
    SavedGame game;
    game.scene = 9;
    game.hasChicken = game.codeIntroSeen = true;
    game.seenEnd = game.twoPlayers = true;
    // Since the record: the creator unlocked, two players turned off on the settings page.
    Settings().Set("Creator", "1");
    Settings().Set("Multiplayer", "0");
    BigAccessingOfData::getInstance().codeSolved = true;

    game.Restore();
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    EXPECT_TRUE(data.hasChicken);
    EXPECT_TRUE(data.codeIntroSeen);
    EXPECT_FALSE(data.codeSolved);
    EXPECT_EQ(Settings().Get("SeenEnd", ""), "1");
    EXPECT_EQ(Settings().Get("Creator", ""), "1");
    EXPECT_EQ(Settings().Get("Multiplayer", ""), "0");
}
