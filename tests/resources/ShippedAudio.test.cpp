#include "resources/ResourceManager.hpp"
#include "support/Harness.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace
{
// Every audio file the game loads by name, relative to the game's working directory.
// clang-format off
const char* const kSounds[] = {"sfx/explosion.mp3", "sfx/knock.mp3", "sfx/door_open.mp3", "sfx/door_close.mp3",
    "sfx/correct.mp3", "sfx/boom.mp3", "sfx/chicken.mp3", "sfx/chicken_leave.mp3", "dialog/caw_12_death.mp3"};
const char* const kTracks[] = {"music/MainIsland.mp3", "music/Title.mp3", "music/Bridge.mp3", "music/Bridge.wav",
    "music/MagicBridge.wav", "music/DragonFight.mp3", "music/DragonFightLegacy.mp3", "music/PreTower.mp3",
    "music/PuzzleRoom.mp3", "music/WizardTower.mp3", "music/EaglePrelude.mp3", "music/Cutscene.mp3",
    "music/EagleFight.wav", "music/DragonFight2.wav", "music/PostDragon.mp3"};
// clang-format on

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
} // namespace

TEST(ShippedAudio, EverySoundEffectAndVoiceClipDecodes)
{
    ResourceManager& resources = ResourceManager::getInstance();
    for (const char* path : kSounds)
    {
        SCOPED_TRACE(path);
        ASSERT_NO_THROW(resources.LoadSound(path, path));
        const sf::SoundBuffer& buffer = *resources.buffers.at(path);
        EXPECT_GT(buffer.getDuration().asMilliseconds(), 50);
        EXPECT_LT(buffer.getDuration().asSeconds(), 20.f);
        resources.PlaySound(path, 100); // a sound object can be made from it
    }
}

TEST(ShippedAudio, EveryTrackLoadsLastsHalfAMinuteToNinetySecondsAndMp3sGetLoopPoints)
{
    ResourceManager& resources = ResourceManager::getInstance();
    int trimmedBySilence = 0;
    for (const char* path : kTracks)
    {
        SCOPED_TRACE(path);
        std::string printed;
        EXPECT_NO_THROW(printed = testsupport::StdoutOf([&] { resources.LoadMusic(path, path); }));
        if (resources.musics.count(path) == 0)
            continue;
        const float seconds = resources.musics.at(path)->getDuration().asSeconds();
        EXPECT_GE(seconds, 30.f);
        EXPECT_LE(seconds, 90.f);

        if (EndsWith(path, ".wav"))
        {
            EXPECT_EQ(printed, "");
            EXPECT_EQ(resources.musicStart.count(path), 0u);
            continue;
        }
        EXPECT_EQ(resources.musicStart.count(path), 1u) << printed;
        const std::string prefix = std::string("[MP3 loop] ") + path + ": ";
        EXPECT_EQ(printed.rfind(prefix, 0), 0u) << printed;
        EXPECT_EQ(printed.find("NOT trimmed"), std::string::npos) << printed;
        if (printed.find(" (silence-trimmed)\n") != std::string::npos)
        {
            ++trimmedBySilence;
            EXPECT_EQ(printed.rfind(prefix + "no Xing/LAME header, trimming by silence detection\n" + prefix +
                                        "rate=",
                                    0),
                      0u)
                << printed;
        }
        else
        {
            const std::regex decided(R"(rate=\d+ frames=\d+ delay=\d+ padding=\d+ decoded=\d+ content=\d+ )"
                                     R"(lead=\d+ -> start=\d+ length=[1-9]\d*\n)");
            EXPECT_TRUE(std::regex_match(printed.substr(std::min(prefix.size(), printed.size())), decided))
                << printed;
        }
    }
    EXPECT_GE(trimmedBySilence, 1);
}

// The spoken pages (dialog/N_P.mp3) and quiz questions (dialog/qK.mp3) rendered from the script:
// every one decodes as short mono speech whose peaks stay below -3 dBFS, with room for the
// decoder's rounding. A build without a script has none.
TEST(ShippedAudio, EveryVoiceClipIsShortMonoSpeechWithoutClipping)
{
    const std::regex clipName(R"((\d+_\d+|q\d+)\.mp3)");
    int pages = 0;
    int questions = 0;
    for (const auto& entry : std::filesystem::directory_iterator("dialog"))
    {
        const std::string name = entry.path().filename().string();
        if (!std::regex_match(name, clipName))
            continue;
        SCOPED_TRACE(name);
        (name[0] == 'q' ? questions : pages)++;
        sf::SoundBuffer buffer;
        ASSERT_TRUE(buffer.loadFromFile(entry.path()));
        EXPECT_EQ(buffer.getChannelCount(), 1u);
        EXPECT_EQ(buffer.getSampleRate(), 22050u);
        EXPECT_GT(buffer.getDuration().asSeconds(), 0.2f);
        EXPECT_LT(buffer.getDuration().asSeconds(), 30.f);
        const std::int16_t* samples = buffer.getSamples();
        int peak = 0;
        for (std::uint64_t i = 0; i < buffer.getSampleCount(); ++i)
            peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
        EXPECT_LE(peak, 23600); // -2.85 dBFS
    }
    if (pages > 0)
    {
        EXPECT_EQ(questions, 5);
    }
}
