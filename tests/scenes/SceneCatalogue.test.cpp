// Every numbered scene builds, in every variant the settings select. Building a scene loads every
// sprite, sound and track it names and throws when one is missing or broken, so a wrong file name
// anywhere in the catalogue fails here. Numbers outside it make empty scenes.
#include "support/GameTest.hpp"

#include <gtest/gtest.h>

TEST(SceneCatalogue, EverySceneBuildsWithEveryFileItNamesInEveryVariantAndOthersAreEmpty)
{
    GameDriver game;
    const int exits = GameDriver::exitRequests;
    // A change of scene loads the door sounds that leaving the loading screen plays.
    Map::getInstance().ChangeScene(SceneNumber::Splash);
    // Each variant adds one more setting to those before it.
    for (const char* variant : {"", "SeenEnd", "Creator", "LegacyAudio"})
    {
        if (*variant != '\0')
            SetSetting(variant, "1");
        for (std::int32_t scene = SceneNumber::Controls; scene <= 15; ++scene)
        {
            EXPECT_NO_THROW(Map::getInstance().LoadScene(scene)) << "scene " << scene << ", " << variant;
            EXPECT_NO_THROW(game.Frame(kStep)) << "scene " << scene << ", " << variant;
        }
    }
    EXPECT_EQ(GameDriver::exitRequests, exits + 4) << "scene -5 quits";

    // Numbers beyond the catalogue are reached through the loading screen, and are empty and silent.
    Data().loadingLength = 0.25;
    for (const std::int32_t unknown : {16, -12})
    {
        Map::getInstance().LoadScene(0);
        Map::getInstance().ChangeScene(unknown);
        ASSERT_TRUE(game.ReachScene(unknown));
        game.Frame(kStep);
        EXPECT_TRUE(WorldManager::getInstance().objects.empty()) << unknown;
        for (const auto& [name, track] : ResourceManager::getInstance().musics)
            EXPECT_NE(track->getStatus(), sf::SoundSource::Status::Playing) << name;
    }
}
