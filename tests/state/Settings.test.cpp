#include "state/SettingManager.hpp"
#include "support/Harness.hpp"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <unordered_map>

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::WriteFile;
using Table = std::unordered_map<std::string, std::string>;

namespace
{
const sf::Color kDefaultPlayer(212, 130, 59, 255);

SettingManager& Settings(const std::string& path)
{
    SettingManager& settings = SettingManager::getInstance();
    settings.path = path;
    return settings;
}
} // namespace

TEST(Settings, OnlyColonEntriesEndedBySemicolonsCountAndLaterOnesWin)
{
    // Nothing is trimmed, and a piece without ':' is skipped.
    // clang-format off
    const std::pair<const char*, Table> cases[] = {
        {"", {}}, {"Hue:30", {}}, {";;;", {}}, {"a:b:c;", {{"a", "b:c"}}}, {":x;", {{"", "x"}}}, {"k:;", {{"k", ""}}},
        {"k:1;k:2;", {{"k", "2"}}}, {"junk;\nHue: 30;;DKS:2;tail", {{"\nHue", " 30"}, {"DKS", "2"}}}};
    // clang-format on
    for (const auto& [text, table] : cases)
        EXPECT_EQ(SettingManager::Parse(text), table) << text;
}

TEST(Settings, LoadReplacesTheTableAndAMissingFileEmptiesIt)
{
    SettingManager& settings = Settings("important/settings.txt");
    WriteFile("important/settings.txt", "Hue:120;Multiplayer:1;");
    settings.Set("Stale", "1");
    settings.Load();
    EXPECT_EQ(settings.values, (Table{
                                   {"Hue",         "120"},
                                   {"Multiplayer", "1"  }
    }));
    EXPECT_EQ(settings.Get("Track", "Dialogue Volume"), "Dialogue Volume");

    settings.path = "important/absent.txt";
    settings.Load();
    EXPECT_TRUE(settings.values.empty());
}

TEST(Settings, SaveWritesOneLineThatLoadsBackTheSameTable)
{
    SettingManager& settings = Settings("important/settings.txt");
    const std::string line = "SFX Volume:40;Loading Length:5.000000;Odd:a:b;Empty:;";
    const Table saved = SettingManager::Parse(line);
    ASSERT_EQ(saved.size(), 4u);
    settings.values = saved;
    ASSERT_TRUE(settings.Save());
    const std::string text = ReadFile("important/settings.txt");
    EXPECT_EQ(text.size(), line.size()); // in any order
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.back(), ';');

    settings.Set("SFX Volume", "10");
    EXPECT_EQ(SettingManager::Parse(ReadFile("important/settings.txt")).at("SFX Volume"), "40");
    settings.Load();
    EXPECT_EQ(settings.values, saved);
}

TEST(Settings, ASaveThatCannotWriteReportsItAndLeavesTheOldFile)
{
    SettingManager& settings = Settings("important/settings.txt");
    WriteFile("important/settings.txt", "Hue:30;");
    settings.values = SettingManager::Parse("Hue:" + std::string(4000, '7') + ";");

    // A disk that fills up in the middle of the write.
    struct rlimit previous;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    struct rlimit small = previous;
    small.rlim_cur = 64;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = settings.Save();
    setrlimit(RLIMIT_FSIZE, &previous);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(errors, "Error: Could not save settings!\n");
    EXPECT_EQ(ReadFile("important/settings.txt"), "Hue:30;");
    for (const auto& entry : fs::directory_iterator("important"))
        EXPECT_NE(entry.path().extension(), ".tmp") << "left behind: " << entry.path();

    // A path that names a directory cannot be replaced either.
    fs::create_directories("important/folder/inside");
    settings.path = "important/folder";
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: Could not save settings!\n");
    EXPECT_TRUE(fs::is_directory("important/folder/inside"));
    EXPECT_FALSE(fs::exists("important/folder.tmp"));
}

TEST(Settings, HueColourIsFullySaturatedAndThePlayerHasTheDefaultUnlessHueIsANumberOfAtLeastOne)
{
    EXPECT_EQ(HueColour(120), sf::Color(0, 255, 0, 255));
    EXPECT_EQ(HueColour(30), sf::Color(255, 127, 0, 255));
    EXPECT_EQ(HueColour(360), sf::Color(255, 0, 0, 255));
    EXPECT_EQ(HueColour(480), sf::Color(0, 255, 0, 255));
    EXPECT_EQ(HueColour(0), kDefaultPlayer);
    EXPECT_EQ(HueColour(-30), kDefaultPlayer);

    SettingManager& settings = Settings("important/settings.txt");
    settings.values.clear();
    EXPECT_EQ(PlayerColour(), kDefaultPlayer);
    for (const char* unusable : {"0.5", "abc", "", "nan", "inf", "1e999"})
    {
        settings.Set("Hue", unusable);
        EXPECT_EQ(PlayerColour(), kDefaultPlayer) << unusable;
    }
    settings.Set("Hue", "200");
    const sf::Color blueish = PlayerColour();
    EXPECT_EQ(blueish.r, 0);
    EXPECT_NEAR(blueish.g, 170, 1);
    EXPECT_EQ(blueish.b, 255);
    settings.Set("Hue", " 120 degrees");
    EXPECT_EQ(PlayerColour(), sf::Color(0, 255, 0, 255));
}
