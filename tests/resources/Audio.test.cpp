// Sounds and tracks by name: the pause and resume sets, volumes, where tracks start, and failures.
#include "resources/ResourceManager.hpp"
#include "state/SettingManager.hpp"
#include "support/AudioFiles.hpp"
#include "support/Harness.hpp"
#include "support/WorldQueries.hpp"

#include <functional>
#include <gtest/gtest.h>
#include <string>

using Status = sf::SoundSource::Status;

namespace
{
// Sounds "door" and "fx" and tracks "other" and "theme", all loaded and stopped.
class Audio : public testing::Test
{
protected:
    ResourceManager& resources = ResourceManager::getInstance();
    SettingManager& settings = SettingManager::getInstance();

    void SetUp() override
    {
        testsupport::WriteWav("tone3.wav", testsupport::ToneWithSilence(22050, 1, 0, 3, 0), 1, 22050);
        testsupport::WriteWav("tone1.wav", testsupport::ToneWithSilence(22050, 2, 0, 1, 0, 660), 2, 22050);
        resources.LoadSound("fx", "tone3.wav");
        resources.LoadSound("door", "tone1.wav");
        resources.LoadMusic("theme", "tone3.wav");
        resources.LoadMusic("other", "tone1.wav");
    }

    // The statuses of the four: '>' playing, '|' paused, '-' stopped.
    std::string States()
    {
        std::string text;
        for (const char* name : {"door", "fx", "other", "theme"})
        {
            const Status status = resources.musics.count(name) != 0 ? testsupport::Music(name).getStatus()
                                                                    : testsupport::SoundStatus(name);
            text += std::string(name) + (status == Status::Playing  ? "> "
                                         : status == Status::Paused ? "| "
                                                                    : "- ");
        }
        return text;
    }
};
} // namespace

TEST_F(Audio, PauseAllRemembersWhatPlayedUntilTheNextPauseAndResumesOnlyThat)
{
    resources.PlaySound("door", 100);
    resources.PauseAll();
    resources.Stop("door"); // forgotten by the next PauseAll
    resources.PlaySound("fx", 100);
    resources.PlayMusic("theme", 100, true, false);
    resources.PauseAll();
    resources.PlaySound("door", 100);
    resources.PlayMusic("other", 100, true, false);
    resources.StopAllExceptPaused();
    EXPECT_EQ(States(), "door- fx| other- theme| ");
    resources.ResumePaused();
    EXPECT_EQ(States(), "door- fx> other- theme> ");
}

// Base volume x level / 100, within 0..100; a level that is absent or no finite number is 96.
// Levels whose volume, or the level itself, lies beyond a float's range still clamp.
TEST_F(Audio, EachKindPlaysAtItsBaseVolumeScaledByItsOwnSetting)
{
    // clang-format off
    const std::pair<const char*, float> levels[] = {{"50", 25}, {"abc", 48}, {"", 48}, {"nan", 48},
        {"-inf", 48}, {"1e400", 48}, {" 75 apples", 37.5f}, {"0", 0}, {"-20", 0}, {"1e30", 100},
        {"1e38", 100}, {"1e39", 100}, {"-1e39", 0}};
    // clang-format on
    for (const auto& [level, volume] : levels)
    {
        settings.Set("SFX Volume", level);
        resources.PlaySound("fx", 50);
        EXPECT_FLOAT_EQ(resources.sounds.at("fx")->getVolume(), volume) << level;
    }
    settings.Set("Music Volume", "30");
    resources.PlayMusic("theme", 90, true, false);
    EXPECT_FLOAT_EQ(testsupport::Music("theme").getVolume(), 27.f);

    // A changed setting reaches what plays at once.
    settings.Set("SFX Volume", "25");
    settings.Set("Music Volume", "50");
    EXPECT_FLOAT_EQ(resources.sounds.at("fx")->getVolume(), 12.5f);
    EXPECT_FLOAT_EQ(testsupport::Music("theme").getVolume(), 45.f);
}

TEST_F(Audio, FailuresNameTheFileOrTheNameAndChangeNothingWhileALoadReplacesAndForgets)
{
    resources.PlaySound("door", 100);
    // clang-format off
    const std::pair<std::function<void()>, std::string> failures[] = {
        {[&] { resources.LoadSound("door", "sfx/none.mp3"); },     "failed to load sound: sfx/none.mp3"},
        {[&] { resources.LoadMusic("song", "sprites/Door.txt"); }, "failed to load music: sprites/Door.txt"},
        {[&] { resources.PlaySound("ghost", 100); },               "no sound loaded named: ghost"},
        {[&] { resources.PlayMusic("fx", 100, true, false); },     "no music loaded named: fx"}};
    // clang-format on
    for (const auto& [action, message] : failures)
        EXPECT_EQ(testsupport::ErrorOf(action), "ResourceManager: " + message);
    EXPECT_EQ(States(), "door> fx- other- theme- ") << "the failed load left the sound alone";

    // Loading under a name in use replaces what it held and drops its volume and start.
    resources.LoadSound("door", "tone3.wav");
    EXPECT_EQ(resources.sounds.count("door") + resources.soundVolumes.count("door"), 0u);
    resources.PlayMusic("other", 100, true, false);
    resources.musicStart["other"] = sf::milliseconds(20);
    resources.LoadMusic("other", "tone3.wav");
    EXPECT_EQ(resources.musicStart.count("other") + resources.musicVolumes.count("other"), 0u);
    EXPECT_EQ(testsupport::Music("other").getDuration().asMilliseconds(), 3000);
}

TEST_F(Audio, ATrackStartsAtItsFirstRealSample)
{
    REQUIRE_SOUND_DEVICE();
    resources.musicStart["theme"] = sf::seconds(1);
    resources.PlayMusic("theme", 100, true, false);
    EXPECT_GE(testsupport::Music("theme").getPlayingOffset(), sf::seconds(1));
}
