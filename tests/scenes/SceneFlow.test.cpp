// Moving between scenes: loading screens with their door sounds, pausing and resuming a game,
// the title, quitting, unknown scene numbers, and settings that are not numbers.
#include "engine/core/ProcessExit.hpp"
#include "engine/world/WorldManager.hpp"
#include "game/PlayerDoors.hpp"
#include "resources/ResourceManager.hpp"
#include "scenes/LoadingScreen.hpp"
#include "scenes/SceneBuilders.hpp"
#include "state/Map.hpp"
#include "support/GameTest.hpp"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using Status = sf::SoundSource::Status;
using testsupport::SoundStatus;

namespace
{
Map& Scenes()
{
    return Map::getInstance();
}

sf::Music& Music(const std::string& name)
{
    return *ResourceManager::getInstance().musics.at(name);
}

bool AnyMusicPlaying()
{
    for (const auto& [name, music] : ResourceManager::getInstance().musics)
        if (music->getStatus() == Status::Playing)
            return true;
    return false;
}

// Whether a registered track was opened from `file` (tracks of one format differ in length).
bool TrackIsFile(const std::string& name, const std::string& file)
{
    sf::Music reference;
    return reference.openFromFile(file) && Music(name).getDuration() == reference.getDuration() &&
           Music(name).getSampleRate() == reference.getSampleRate();
}

int exitCode = -1;
void RecordExit(int code)
{
    ++GameDriver::exitRequests;
    exitCode = code;
}
} // namespace

TEST(SceneFlow, AChangeShowsTheLoadingScreenForItsLengthBetweenADoorOpeningAndClosing)
{
    GameDriver game;
    Data().loadingLength = 1.0;
    Scenes().LoadScene(0);
    EXPECT_EQ(SoundStatus("DoorClose"), Status::Stopped) << "no loading screen was left";
    ASSERT_EQ(Music("Main").getStatus(), Status::Playing);

    Scenes().ChangeScene(5);
    EXPECT_EQ(Data().currentScene, SceneNumber::Loading);
    EXPECT_EQ(Data().pendingScene, 5);
    EXPECT_EQ(LiveObjects<ProgressBar>().size(), 1u);
    EXPECT_EQ(SoundStatus("DoorOpen"), Status::Playing);
    EXPECT_EQ(SoundStatus("DoorClose"), Status::Stopped);
    EXPECT_EQ(Music("Main").getStatus(), Status::Stopped);

    game.Frames(15, kStep);
    EXPECT_EQ(Data().currentScene, SceneNumber::Loading);
    EXPECT_TRUE(LiveObjects<Door>().empty());
    game.Frames(1, kStep);
    EXPECT_EQ(Data().currentScene, 5);
    EXPECT_EQ(SoundStatus("DoorClose"), Status::Playing);
    EXPECT_EQ(Music("Bridge").getStatus(), Status::Playing);
    EXPECT_TRUE(LiveObjects<ProgressBar>().empty());
    EXPECT_EQ(LiveObjects<Door>().size(), 1u);
}

TEST(SceneFlow, ResumingBringsBackTheSameWorldAndMusicWhileTheTitleStopsItAndEndsTheRun)
{
    GameDriver game;
    WorldManager& world = WorldManager::getInstance();
    Data().loadingLength = 0.5;
    Scenes().LoadScene(7);
    game.Frames(2, kStep);
    sf::Music& music = Music("PreTower");
    ASSERT_EQ(music.getStatus(), Status::Playing);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::vector<GameObject*> tower = world.objects;
    Door* door = LiveObjects<Door>().at(0);

    game.Tap(Key::Escape);
    EXPECT_EQ(Data().resumeScene, 7);
    EXPECT_EQ(Data().pendingScene, SceneNumber::SettingsMenu);
    EXPECT_EQ(world.stashedObjects, tower);
    EXPECT_TRUE(door->subscriptions.empty()) << "the stashed world hears nothing";
    EXPECT_EQ(music.getStatus(), Status::Paused);
    const sf::Time pausedAt = music.getPlayingOffset();
    ASSERT_GT(pausedAt, sf::seconds(0.3f));
    ASSERT_TRUE(game.ReachScene(SceneNumber::SettingsMenu));
    EXPECT_EQ(music.getStatus(), Status::Paused) << "the pause menu is silent";
    const double x = door->x;
    game.Press(Key::D);
    game.Frames(3, kStep);
    game.Release(Key::D);
    EXPECT_EQ(door->x, x) << "the stashed door stays put";

    game.Tap(Key::Escape);
    EXPECT_EQ(Data().pendingScene, SceneNumber::Resume);
    ASSERT_TRUE(game.ReachScene(7));
    EXPECT_EQ(world.objects, tower);
    EXPECT_TRUE(world.stashedObjects.empty());
    EXPECT_EQ(music.getStatus(), Status::Playing);
    EXPECT_GE(music.getPlayingOffset(), pausedAt - sf::milliseconds(50)) << "not restarted";
    EXPECT_EQ(SoundStatus("DoorClose"), Status::Stopped) << "resuming is not a new scene";

    game.Press(Key::D);
    game.Frames(3, kStep);
    EXPECT_GT(door->x, x) << "the door walks again";

    // Pausing again and going to the title instead stops the game's music and ends the run.
    Data().hasChicken = Data().codeIntroSeen = Data().codeSolved = true;
    game.Tap(Key::Escape);
    ASSERT_TRUE(game.ReachScene(SceneNumber::SettingsMenu));
    Scenes().ChangeScene(SceneNumber::TitleMenu);
    EXPECT_EQ(music.getStatus(), Status::Stopped);
    EXPECT_TRUE(ResourceManager::getInstance().pausedNames.empty());
    ASSERT_TRUE(game.ReachScene(SceneNumber::TitleMenu));
    EXPECT_FALSE(Data().hasChicken || Data().codeIntroSeen || Data().codeSolved);
    EXPECT_EQ(Data().resumeScene, SceneNumber::NoGame);
    EXPECT_EQ(Music("Title").getStatus(), Status::Playing);
    EXPECT_EQ(music.getStatus(), Status::Stopped);
}

TEST(SceneFlow, QuittingEndsTheProcessWithCodeZeroAndUnknownScenesAreEmptyAndSilent)
{
    GameDriver game;
    Data().loadingLength = 0.25;
    SetProcessExitHandler(&RecordExit);
    Scenes().ChangeScene(SceneNumber::Quit);
    ASSERT_TRUE(game.RunUntil([] { return GameDriver::exitRequests > 0; }, 20, kStep));
    EXPECT_EQ(GameDriver::exitRequests, 1);
    EXPECT_EQ(exitCode, 0);

    for (std::int32_t unknown : {16, -11})
    {
        SCOPED_TRACE(unknown);
        Scenes().LoadScene(0);
        Scenes().ChangeScene(unknown);
        EXPECT_EQ(Data().currentScene, SceneNumber::Loading) << "the loading screen still runs";
        ASSERT_TRUE(game.ReachScene(unknown));
        game.Frames(1, kStep);
        EXPECT_TRUE(WorldManager::getInstance().objects.empty());
        EXPECT_FALSE(AnyMusicPlaying());
    }
    EXPECT_EQ(GameDriver::exitRequests, 1);
}

TEST(SceneFlow, SettingsThatAreNotNumbersCountAsAbsentInsteadOfEndingTheGame)
{
    GameDriver game;
    SettingManager& settings = SettingManager::getInstance();
    settings.Set("LegacyAudio", "loud");
    ASSERT_NO_THROW(Scenes().LoadScene(1));
    EXPECT_TRUE(TrackIsFile("Bridge", "music/Bridge.mp3"));
    ASSERT_NO_THROW(Scenes().LoadScene(3));
    EXPECT_TRUE(TrackIsFile("DragonDeez", "music/DragonFight.mp3"));
    settings.Set("LegacyAudio", "1");
    Scenes().LoadScene(1);
    EXPECT_TRUE(TrackIsFile("Bridge", "music/Bridge.wav"));
    Scenes().LoadScene(3);
    EXPECT_TRUE(TrackIsFile("DragonDeez", "music/DragonFightLegacy.mp3"));

    // Knob 13 is due once labels 2 to 12 are obtained and 13 is not; a label that is not a
    // number is simply not obtained.
    for (int n = 2; n <= 12; ++n)
        settings.Set("DoorLabel" + std::to_string(n), "1");
    settings.Set("DoorLabel13", "0");
    EXPECT_TRUE(scenes::KnobThirteenIsDue());
    for (int n = 2; n <= 5; ++n)
    {
        const std::string key = "DoorLabel" + std::to_string(n);
        settings.Set(key, "yes");
        EXPECT_NO_THROW(EXPECT_FALSE(scenes::KnobThirteenIsDue()) << key);
        EXPECT_NO_THROW(Scenes().LoadScene(SceneNumber::TitleMenu)) << key;
        settings.Set(key, "1");
    }
    EXPECT_TRUE(scenes::KnobThirteenIsDue());
}
