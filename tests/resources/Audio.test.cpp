#include "resources/ResourceManager.hpp"
#include "state/SettingManager.hpp"
#include "support/AudioFiles.hpp"
#include "support/Harness.hpp"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unordered_set>

using Status = sf::SoundSource::Status;
using Names = std::unordered_set<std::string>;
using testsupport::ErrorOf;

namespace
{
constexpr std::uint32_t kRate = 22050;

void Wait(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::int64_t OffsetMs(const sf::SoundSource& source)
{
    if (const auto* sound = dynamic_cast<const sf::Sound*>(&source))
        return sound->getPlayingOffset().asMilliseconds();
    return dynamic_cast<const sf::SoundStream&>(source).getPlayingOffset().asMilliseconds();
}

// Each case starts from an empty resource manager and no settings, with a few short tones on
// disk (a real null sound device plays them, so offsets advance in real time).
class Audio : public testing::Test
{
protected:
    ResourceManager& resources = ResourceManager::getInstance();
    SettingManager& settings = SettingManager::getInstance();

    void SetUp() override
    {
        resources.StopAll();
        resources.sounds.clear();
        resources.buffers.clear();
        resources.musics.clear();
        resources.soundVolumes.clear();
        resources.musicVolumes.clear();
        resources.musicStart.clear();
        settings.values.clear();
        testsupport::WriteWav("tone3.wav", testsupport::ToneWithSilence(kRate, 1, 0, 3, 0), 1, kRate);
        testsupport::WriteWav("tone1.wav", testsupport::ToneWithSilence(kRate, 2, 0, 1, 0, 660), 2, kRate);
    }

    sf::Sound& SoundOf(const std::string& name) { return *resources.sounds.at(name); }
    sf::Music& MusicOf(const std::string& name) { return *resources.musics.at(name); }

    // The sounds in `state`, then the tracks as "music:NAME", each kind sorted by name.
    std::string In(Status state)
    {
        std::vector<std::string> sounds, tracks;
        for (const auto& [name, sound] : resources.sounds)
            if (sound->getStatus() == state)
                sounds.push_back(name);
        for (const auto& [name, music] : resources.musics)
            if (music->getStatus() == state)
                tracks.push_back("music:" + name);
        std::sort(sounds.begin(), sounds.end());
        std::sort(tracks.begin(), tracks.end());
        std::string all;
        for (const auto* kind : {&sounds, &tracks})
            for (const std::string& name : *kind)
                all += (all.empty() ? "" : " ") + name;
        return all;
    }
};
} // namespace

// ---- Playing, restarting, pausing ----

TEST_F(Audio, ReplayingANameRestartsItWhileOtherNamesPlayAlongside)
{
    resources.LoadSound("knock", "tone3.wav");
    resources.LoadSound("expl", "tone3.wav");
    resources.PlaySound("knock", 100);
    resources.PlaySound("expl", 100);
    const sf::Sound* knock = &SoundOf("knock");
    Wait(500);
    EXPECT_GE(OffsetMs(*knock), 300);

    resources.PlaySound("knock", 100);
    EXPECT_EQ(resources.sounds.size(), 2u);
    EXPECT_EQ(&SoundOf("knock"), knock); // one object per name, kept
    EXPECT_EQ(In(Status::Playing), "expl knock");
    EXPECT_LT(OffsetMs(*knock), 150);
    EXPECT_GE(OffsetMs(SoundOf("expl")), 300);
}

TEST_F(Audio, PauseAllThenResumePausedContinuesFromTheSameOffset)
{
    resources.LoadSound("fx", "tone3.wav");
    resources.LoadSound("idle", "tone3.wav");
    resources.LoadMusic("theme", "tone3.wav");
    resources.PlaySound("idle", 100);
    resources.PauseAll();
    EXPECT_EQ(resources.pausedNames, Names{"idle"});
    resources.Stop("idle"); // forgotten by the next PauseAll
    resources.PlaySound("fx", 100);
    resources.PlayMusic("theme", 100, true, false);
    Wait(400);

    resources.PauseAll();
    EXPECT_EQ(resources.pausedNames, (Names{"fx", "theme"}));
    EXPECT_EQ(In(Status::Paused), "fx music:theme");
    const std::int64_t fx = OffsetMs(SoundOf("fx"));
    const std::int64_t theme = OffsetMs(MusicOf("theme"));
    EXPECT_GE(fx, 250);
    EXPECT_GE(theme, 250);
    Wait(300);
    EXPECT_EQ(OffsetMs(SoundOf("fx")), fx);
    EXPECT_EQ(OffsetMs(MusicOf("theme")), theme);

    resources.ResumePaused();
    EXPECT_TRUE(resources.pausedNames.empty());
    EXPECT_EQ(In(Status::Playing), "fx music:theme");
    EXPECT_GE(OffsetMs(SoundOf("fx")), fx);
    EXPECT_LT(OffsetMs(SoundOf("fx")), fx + 150);
    EXPECT_GE(OffsetMs(MusicOf("theme")), theme);
    EXPECT_LT(OffsetMs(MusicOf("theme")), theme + 150);
    Wait(300);
    EXPECT_GE(OffsetMs(SoundOf("fx")), fx + 150);
}

TEST_F(Audio, StopAllExceptPausedKeepsThePausedOnesResumableWhileStopAllForgetsThem)
{
    resources.LoadSound("fx", "tone3.wav");
    resources.LoadSound("door", "tone3.wav");
    resources.LoadMusic("theme", "tone3.wav");
    resources.LoadMusic("other", "tone1.wav");
    resources.PlaySound("fx", 100);
    resources.PlayMusic("theme", 100, true, false);
    resources.PauseAll();
    resources.PlaySound("door", 100);
    resources.PlayMusic("other", 100, true, false);

    resources.StopAllExceptPaused();
    EXPECT_EQ(In(Status::Paused), "fx music:theme");
    EXPECT_EQ(In(Status::Stopped), "door music:other");
    EXPECT_EQ(resources.pausedNames.size(), 2u);
    resources.ResumePaused();
    EXPECT_EQ(In(Status::Playing), "fx music:theme");

    resources.PauseAll();
    resources.StopAll();
    EXPECT_TRUE(resources.pausedNames.empty());
    EXPECT_EQ(In(Status::Stopped), "door fx music:other music:theme");
    resources.ResumePaused();
    EXPECT_EQ(In(Status::Stopped), "door fx music:other music:theme");
}

TEST_F(Audio, StopPrefersTheSoundOfANameAndIgnoresUnknownNames)
{
    resources.LoadSound("shared", "tone3.wav");
    resources.LoadMusic("shared", "tone3.wav");
    resources.LoadMusic("theme", "tone1.wav");
    resources.PlaySound("shared", 100);
    resources.PlayMusic("shared", 100, true, false);
    resources.PlayMusic("theme", 100, true, false);

    EXPECT_NO_THROW(resources.Stop("never-loaded"));
    EXPECT_EQ(In(Status::Playing), "shared music:shared music:theme");
    resources.Stop("shared");
    EXPECT_EQ(In(Status::Playing), "music:shared music:theme");
    resources.Stop("shared"); // the sound exists, so the track is still left alone
    EXPECT_EQ(In(Status::Playing), "music:shared music:theme");
    resources.Stop("theme");
    EXPECT_EQ(In(Status::Playing), "music:shared");
}

// ---- Volumes ----

TEST_F(Audio, VolumeIsTheBaseScaledByItsSetting)
{
    resources.LoadSound("DoorOpen", "tone1.wav");
    // Settings for a base volume of 50; nullptr: absent.
    // clang-format off
    const std::pair<const char*, float> cases[] = {{"50", 25.f}, {nullptr, 48.f}, {"abc", 48.f}, {"", 48.f},
        {"1e999", 48.f}, {" 75 apples", 37.5f}, {"0", 0.f}, {"100", 50.f}};
    // clang-format on
    for (const auto& [setting, expected] : cases)
    {
        SCOPED_TRACE(setting ? setting : "(absent)");
        settings.path = "no-settings-here.txt";
        settings.Load();
        if (setting)
            settings.Set("SFX Volume", setting);
        resources.PlaySound("DoorOpen", 50);
        EXPECT_FLOAT_EQ(SoundOf("DoorOpen").getVolume(), expected);
        EXPECT_EQ(resources.soundVolumes.at("DoorOpen").volumeKey, "SFX Volume");
        EXPECT_FLOAT_EQ(resources.soundVolumes.at("DoorOpen").baseVolume, 50.f);
    }
}

TEST_F(Audio, EachKindFollowsItsOwnSettingAndRefreshReappliesChangesToTheLatestStart)
{
    settings.Set("SFX Volume", "10");
    settings.Set("Dialogue Volume", "80");
    settings.Set("Music Volume", "30");
    resources.LoadSound("fx", "tone3.wav");
    resources.LoadSound("caw", "tone1.wav");
    resources.LoadMusic("theme", "tone3.wav");
    resources.PlaySound("fx", 40);
    resources.PlaySound("fx", 100); // the latest start decides the base
    resources.PlayDialogue("caw", 50);
    resources.PlayMusic("theme", 90, true, false);
    EXPECT_FLOAT_EQ(SoundOf("fx").getVolume(), 10.f);
    EXPECT_FLOAT_EQ(SoundOf("caw").getVolume(), 40.f);
    EXPECT_FLOAT_EQ(MusicOf("theme").getVolume(), 27.f);
    EXPECT_EQ(resources.soundVolumes.at("caw").volumeKey, "Dialogue Volume");
    EXPECT_EQ(resources.musicVolumes.at("theme").volumeKey, "Music Volume");

    settings.Set("SFX Volume", "25");
    settings.Set("Music Volume", "abc");
    EXPECT_FLOAT_EQ(SoundOf("fx").getVolume(), 10.f) << "until refreshed";
    resources.RefreshVolumes();
    EXPECT_FLOAT_EQ(SoundOf("fx").getVolume(), 25.f);
    EXPECT_FLOAT_EQ(SoundOf("caw").getVolume(), 40.f);
    EXPECT_FLOAT_EQ(MusicOf("theme").getVolume(), 86.4f);
}

// A level that is no finite number counts as the default 96; whatever the level, the audio
// library is handed a volume within 0..100.
TEST_F(Audio, VolumesHandedToTheAudioLibraryAreFiniteAndWithinZeroToAHundred)
{
    resources.LoadSound("fx", "tone1.wav");
    const auto playedAt = [&](const std::string& level)
    {
        settings.Set("SFX Volume", level);
        resources.PlaySound("fx", 50);
        return SoundOf("fx").getVolume();
    };
    for (const char* notFinite : {"nan", "inf", "-inf", "1e400"})
        EXPECT_FLOAT_EQ(playedAt(notFinite), 48.f) << notFinite;
    EXPECT_FLOAT_EQ(playedAt("-20"), 0.f);
    EXPECT_FLOAT_EQ(playedAt("1e30"), 100.f);
}

// ---- Loading, replacing, failing ----

TEST_F(Audio, FailuresNameTheFileOrTheMissingNameVerbatimAndChangeNothingWhileALoadReplaces)
{
    resources.LoadSound("fx", "tone1.wav");
    const sf::SoundBuffer* buffer = resources.buffers.at("fx").get();
    resources.PlaySound("fx", 100);

    EXPECT_EQ(ErrorOf([&] { resources.LoadSound("fx", "sfx/nothing-here.mp3"); }),
              "ResourceManager: failed to load sound: sfx/nothing-here.mp3");
    EXPECT_EQ(resources.buffers.at("fx").get(), buffer);
    EXPECT_EQ(resources.sounds.count("fx") + resources.soundVolumes.count("fx"), 2u);

    testsupport::WriteBytes("garbage.wav", {'R', 'I', 'F', 'F', 1, 2, 3});
    EXPECT_EQ(ErrorOf([&] { resources.LoadMusic("theme", "garbage.wav"); }),
              "ResourceManager: failed to load music: garbage.wav");
    EXPECT_EQ(ErrorOf([&] { resources.PlaySound("ghost", 100); }),
              "ResourceManager: no sound loaded named: ghost");
    EXPECT_EQ(ErrorOf([&] { resources.PlayDialogue("caw", 100); }),
              "ResourceManager: no sound loaded named: caw");
    EXPECT_EQ(ErrorOf([&] { resources.PlayMusic("fx", 100, true, false); }),
              "ResourceManager: no music loaded named: fx");
    EXPECT_EQ(resources.musics.count("theme") + resources.sounds.count("ghost"), 0u);
    EXPECT_EQ(resources.soundVolumes.count("ghost") + resources.musicVolumes.count("fx"), 0u);

    // Loading under the same name replaces the sound and drops its volume.
    resources.LoadSound("fx", "tone3.wav");
    EXPECT_EQ(resources.sounds.count("fx") + resources.soundVolumes.count("fx"), 0u);
    EXPECT_EQ(resources.buffers.at("fx")->getDuration().asMilliseconds(), 3000);
    resources.PlaySound("fx", 100);
    EXPECT_EQ(&SoundOf("fx").getBuffer(), resources.buffers.at("fx").get());
}

TEST_F(Audio, TracksStartAtTheirFirstRealSampleUnlessThePositionIsKeptAndAReloadForgetsTheStart)
{
    resources.LoadMusic("Bridge", "tone3.wav");
    EXPECT_EQ(resources.musicStart.count("Bridge"), 0u);
    resources.PlayMusic("Bridge", 100, true, false);
    Wait(400);
    resources.PlayMusic("Bridge", 100, true, false);
    EXPECT_LT(OffsetMs(MusicOf("Bridge")), 150);
    EXPECT_TRUE(MusicOf("Bridge").isLooping());

    testsupport::WriteWav("intro.wav", testsupport::ToneWithSilence(kRate, 1, 0, 3, 0), 1, kRate);
    ASSERT_TRUE(testsupport::EncodeMp3("intro.wav", "intro.mp3"));
    testsupport::StdoutOf([&] { resources.LoadMusic("Intro", "intro.mp3"); });
    ASSERT_EQ(resources.musicStart.count("Intro"), 1u);
    const std::int64_t start = resources.musicStart.at("Intro").asMilliseconds();
    ASSERT_GT(start, 0);

    resources.PlayMusic("Intro", 100, false, false);
    EXPECT_FALSE(MusicOf("Intro").isLooping());
    EXPECT_GE(OffsetMs(MusicOf("Intro")), start);
    EXPECT_LT(OffsetMs(MusicOf("Intro")), start + 150);
    Wait(600);
    MusicOf("Intro").pause();
    const std::int64_t reached = OffsetMs(MusicOf("Intro"));
    ASSERT_GE(reached, start + 400);
    resources.PlayMusic("Intro", 100, false, true);
    EXPECT_EQ(MusicOf("Intro").getStatus(), Status::Playing);
    EXPECT_GE(OffsetMs(MusicOf("Intro")), reached);

    // Loading under the same name replaces the track and drops its start and volume.
    resources.LoadMusic("Intro", "tone1.wav");
    EXPECT_EQ(resources.musicStart.count("Intro") + resources.musicVolumes.count("Intro"), 0u);
    EXPECT_EQ(MusicOf("Intro").getDuration().asMilliseconds(), 1000);
    EXPECT_EQ(MusicOf("Intro").getStatus(), Status::Stopped);
}
