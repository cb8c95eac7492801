// Every numbered scene builds, in every variant the settings select. Building a scene loads every
// sprite, sound and track it names and throws when one is missing or broken, so a wrong file name
// anywhere in the catalogue fails here.
#include "support/GameTest.hpp"

#include <gtest/gtest.h>

TEST(SceneCatalogue, EverySceneBuildsWithEveryFileItNamesInEveryVariant)
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
        for (std::int32_t scene = SceneNumber::Splash; scene <= 15; ++scene)
        {
            EXPECT_NO_THROW(Map::getInstance().LoadScene(scene)) << "scene " << scene << ", " << variant;
            EXPECT_NO_THROW(game.Frame(kStep)) << "scene " << scene << ", " << variant;
        }
    }
    EXPECT_EQ(GameDriver::exitRequests, exits + 4) << "scene -5 quits";
}
