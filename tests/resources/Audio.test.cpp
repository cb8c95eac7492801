#include "resources/ResourceManager.hpp"
#include "state/SettingManager.hpp"
#include "support/AudioFiles.hpp"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>
#include <unordered_set>

using Status = sf::SoundSource::Status;

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

std::string ErrorOf(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (const std::runtime_error& error)
    {
        return error.what();
    }
    return "(no error)";
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
    ASSERT_EQ(&SoundOf("knock"), knock); // one object per name, kept
    EXPECT_EQ(knock->getStatus(), Status::Playing);
    EXPECT_LT(OffsetMs(*knock), 150);
    EXPECT_EQ(SoundOf("expl").getStatus(), Status::Playing);
    EXPECT_GE(OffsetMs(SoundOf("expl")), 300);
}

TEST_F(Audio, PauseAllThenResumePausedContinuesFromTheSameOffset)
{
    resources.LoadSound("fx", "tone3.wav");
    resources.LoadSound("idle", "tone3.wav");
    resources.LoadMusic("theme", "tone3.wav");
    resources.PlaySound("idle", 100);
    resources.PauseAll();
    EXPECT_EQ(resources.pausedNames, std::unordered_set<std::string>{"idle"});
    resources.Stop("idle"); // forgotten by the next PauseAll
    resources.PlaySound("fx", 100);
    resources.PlayMusic("theme", 100, true, false);
    Wait(400);

    resources.PauseAll();
    EXPECT_EQ(resources.pausedNames, (std::unordered_set<std::string>{"fx", "theme"}));
    EXPECT_EQ(SoundOf("fx").getStatus(), Status::Paused);
    EXPECT_EQ(MusicOf("theme").getStatus(), Status::Paused);
    const std::int64_t fx = OffsetMs(SoundOf("fx"));
    const std::int64_t theme = OffsetMs(MusicOf("theme"));
    EXPECT_GE(fx, 250);
    EXPECT_GE(theme, 250);
    Wait(300);
    EXPECT_EQ(OffsetMs(SoundOf("fx")), fx);
    EXPECT_EQ(OffsetMs(MusicOf("theme")), theme);

    resources.ResumePaused();
    EXPECT_TRUE(resources.pausedNames.empty());
    EXPECT_EQ(SoundOf("fx").getStatus(), Status::Playing);
    EXPECT_EQ(MusicOf("theme").getStatus(), Status::Playing);
    EXPECT_EQ(SoundOf("idle").getStatus(), Status::Stopped);
    EXPECT_GE(OffsetMs(SoundOf("fx")), fx);
    EXPECT_LT(OffsetMs(SoundOf("fx")), fx + 150);
    EXPECT_GE(OffsetMs(MusicOf("theme")), theme);
    EXPECT_LT(OffsetMs(MusicOf("theme")), theme + 150);
    Wait(300);
    EXPECT_GE(OffsetMs(SoundOf("fx")), fx + 150);
}

TEST_F(Audio, StopAllStopsEverythingAndForgetsWhatWasPaused)
{
    resources.LoadSound("fx", "tone3.wav");
    resources.LoadMusic("theme", "tone3.wav");
    resources.PlaySound("fx", 100);
    resources.PlayMusic("theme", 100, true, false);
    resources.PauseAll();
    ASSERT_EQ(resources.pausedNames.size(), 2u);

    resources.StopAll();
    EXPECT_TRUE(resources.pausedNames.empty());
    EXPECT_EQ(SoundOf("fx").getStatus(), Status::Stopped);
    EXPECT_EQ(MusicOf("theme").getStatus(), Status::Stopped);
    resources.ResumePaused();
    EXPECT_EQ(SoundOf("fx").getStatus(), Status::Stopped);
    EXPECT_EQ(MusicOf("theme").getStatus(), Status::Stopped);
}

TEST_F(Audio, StopAllExceptPausedKeepsThePausedOnesResumable)
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
    EXPECT_EQ(SoundOf("door").getStatus(), Status::Stopped);
    EXPECT_EQ(MusicOf("other").getStatus(), Status::Stopped);
    EXPECT_EQ(SoundOf("fx").getStatus(), Status::Paused);
    EXPECT_EQ(MusicOf("theme").getStatus(), Status::Paused);
    EXPECT_EQ(resources.pausedNames.size(), 2u);

    resources.ResumePaused();
    EXPECT_EQ(SoundOf("fx").getStatus(), Status::Playing);
    EXPECT_EQ(MusicOf("theme").getStatus(), Status::Playing);
    EXPECT_EQ(SoundOf("door").getStatus(), Status::Stopped);
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
    EXPECT_EQ(SoundOf("shared").getStatus(), Status::Playing);
    EXPECT_EQ(MusicOf("theme").getStatus(), Status::Playing);

    resources.Stop("shared");
    EXPECT_EQ(SoundOf("shared").getStatus(), Status::Stopped);
    EXPECT_EQ(MusicOf("shared").getStatus(), Status::Playing);
    resources.Stop("shared"); // the sound exists, so the track is still left alone
    EXPECT_EQ(MusicOf("shared").getStatus(), Status::Playing);
    resources.Stop("theme");
    EXPECT_EQ(MusicOf("theme").getStatus(), Status::Stopped);
}

// ---- Volumes ----

TEST_F(Audio, VolumeIsTheBaseScaledByItsSetting)
{
    resources.LoadSound("DoorOpen", "tone1.wav");
    struct Case
    {
        const char* setting; // nullptr: absent
        float expected;      // for a base volume of 50
    };
    const Case cases[] = {
        {"50",         25.f },
        {nullptr,      48.f },
        {"abc",        48.f },
        {"",           48.f },
        {"1e999",      48.f },
        {" 75 apples", 37.5f},
        {"0",          0.f  },
        {"100",        50.f }
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.setting ? c.setting : "(absent)");
        settings.values.clear();
        if (c.setting)
            settings.Set("SFX Volume", c.setting);
        resources.PlaySound("DoorOpen", 50);
        EXPECT_FLOAT_EQ(SoundOf("DoorOpen").getVolume(), c.expected);
        EXPECT_EQ(resources.soundVolumes.at("DoorOpen").volumeKey, "SFX Volume");
        EXPECT_FLOAT_EQ(resources.soundVolumes.at("DoorOpen").baseVolume, 50.f);
    }
}

TEST_F(Audio, EachKindOfAudioFollowsItsOwnSetting)
{
    settings.Set("SFX Volume", "10");
    settings.Set("Dialogue Volume", "80");
    settings.Set("Music Volume", "30");
    resources.LoadSound("fx", "tone1.wav");
    resources.LoadSound("caw", "tone1.wav");
    resources.LoadMusic("theme", "tone1.wav");
    resources.PlaySound("fx", 100);
    resources.PlayDialogue("caw", 50);
    resources.PlayMusic("theme", 90, true, false);
    EXPECT_FLOAT_EQ(SoundOf("fx").getVolume(), 10.f);
    EXPECT_FLOAT_EQ(SoundOf("caw").getVolume(), 40.f);
    EXPECT_FLOAT_EQ(MusicOf("theme").getVolume(), 27.f);
    EXPECT_EQ(resources.soundVolumes.at("caw").volumeKey, "Dialogue Volume");
    EXPECT_EQ(resources.musicVolumes.at("theme").volumeKey, "Music Volume");
}

TEST_F(Audio, RefreshVolumesReappliesChangedSettingsToTheLastStart)
{
    settings.Set("SFX Volume", "50");
    settings.Set("Music Volume", "50");
    resources.LoadSound("fx", "tone3.wav");
    resources.LoadMusic("theme", "tone3.wav");
    resources.PlaySound("fx", 40);
    resources.PlaySound("fx", 80); // the latest start decides the base
    resources.PlayMusic("theme", 60, true, false);
    EXPECT_FLOAT_EQ(SoundOf("fx").getVolume(), 40.f);
    EXPECT_FLOAT_EQ(MusicOf("theme").getVolume(), 30.f);

    settings.Set("SFX Volume", "25");
    settings.Set("Music Volume", "abc");
    EXPECT_FLOAT_EQ(SoundOf("fx").getVolume(), 40.f);
    resources.RefreshVolumes();
    EXPECT_FLOAT_EQ(SoundOf("fx").getVolume(), 20.f);
    EXPECT_FLOAT_EQ(MusicOf("theme").getVolume(), 57.6f);
}

TEST(AudioVolume, WithoutTheSettingsManagerTheSettingCountsAs96)
{
    if (SettingManager::instanceExists)
        GTEST_SKIP() << "only meaningful in a process of its own";
    EXPECT_FLOAT_EQ(ResourceManager::VolumeFor({"SFX Volume", 50.f}), 48.f);
    EXPECT_FLOAT_EQ(ResourceManager::VolumeFor({"Music Volume", 100.f}), 96.f);
}

// ---- Loading, replacing, failing ----

TEST_F(Audio, FailuresNameTheFileOrTheMissingNameVerbatim)
{
    resources.LoadSound("fx", "tone1.wav");
    const sf::SoundBuffer* buffer = resources.buffers.at("fx").get();
    resources.PlaySound("fx", 100);

    EXPECT_EQ(ErrorOf([&] { resources.LoadSound("fx", "sfx/nothing-here.mp3"); }),
              "ResourceManager: failed to load sound: sfx/nothing-here.mp3");
    EXPECT_EQ(resources.buffers.at("fx").get(), buffer); // nothing changed
    EXPECT_EQ(resources.sounds.count("fx"), 1u);
    EXPECT_EQ(resources.soundVolumes.count("fx"), 1u);

    testsupport::WriteBytes("garbage.wav", {'R', 'I', 'F', 'F', 1, 2, 3});
    EXPECT_EQ(ErrorOf([&] { resources.LoadMusic("theme", "garbage.wav"); }),
              "ResourceManager: failed to load music: garbage.wav");
    EXPECT_EQ(resources.musics.count("theme"), 0u);
    EXPECT_EQ(ErrorOf([&] { resources.PlaySound("ghost", 100); }),
              "ResourceManager: no sound loaded named: ghost");
    EXPECT_EQ(ErrorOf([&] { resources.PlayDialogue("caw", 100); }),
              "ResourceManager: no sound loaded named: caw");
    EXPECT_EQ(ErrorOf([&] { resources.PlayMusic("fx", 100, true, false); }),
              "ResourceManager: no music loaded named: fx");
    EXPECT_EQ(resources.sounds.count("ghost"), 0u);
    EXPECT_EQ(resources.soundVolumes.count("ghost"), 0u);
    EXPECT_EQ(resources.musicVolumes.count("fx"), 0u);
}

TEST_F(Audio, LoadingUnderAnExistingNameReplacesItAndDropsItsVolume)
{
    resources.LoadSound("fx", "tone3.wav");
    resources.PlaySound("fx", 100);
    resources.LoadSound("fx", "tone1.wav");
    EXPECT_EQ(resources.sounds.count("fx"), 0u);
    EXPECT_EQ(resources.soundVolumes.count("fx"), 0u);
    EXPECT_EQ(resources.buffers.at("fx")->getDuration().asMilliseconds(), 1000);
    resources.PlaySound("fx", 100);
    EXPECT_EQ(&SoundOf("fx").getBuffer(), resources.buffers.at("fx").get());

    testsupport::WriteWav("intro.wav", testsupport::ToneWithSilence(kRate, 1, 0.5, 1, 0.5), 1, kRate);
    ASSERT_TRUE(testsupport::EncodeMp3("intro.wav", "intro.mp3"));
    testing::internal::CaptureStdout();
    resources.LoadMusic("theme", "intro.mp3");
    testing::internal::GetCapturedStdout();
    resources.PlayMusic("theme", 100, true, false);
    ASSERT_EQ(resources.musicStart.count("theme"), 1u);
    ASSERT_EQ(resources.musicVolumes.count("theme"), 1u);

    resources.LoadMusic("theme", "tone3.wav");
    EXPECT_EQ(resources.musicStart.count("theme"), 0u);
    EXPECT_EQ(resources.musicVolumes.count("theme"), 0u);
    EXPECT_EQ(MusicOf("theme").getDuration().asMilliseconds(), 3000);
    EXPECT_EQ(MusicOf("theme").getStatus(), Status::Stopped);
}

TEST_F(Audio, TracksStartAtTheirFirstRealSampleUnlessThePositionIsKept)
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
    testing::internal::CaptureStdout();
    resources.LoadMusic("Intro", "intro.mp3");
    testing::internal::GetCapturedStdout();
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
}
