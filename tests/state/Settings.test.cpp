#include "resources/ResourceManager.hpp"
#include "state/SettingManager.hpp"
#include "support/Harness.hpp"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <sys/resource.h>
#include <unordered_map>

namespace fs = std::filesystem;
using testsupport::ReadFile;
using Table = std::unordered_map<std::string, std::string>;

TEST(Settings, OnlyColonEntriesEndedBySemicolonsCountAndLaterOnesWin)
{
    // Nothing is trimmed, and a piece without ':' is skipped.
    // clang-format off
    const std::pair<const char*, Table> cases[] = {
        {"", {}}, {"Hue:30", {}}, {";;;", {}}, {"a:b:c;", {{"a", "b:c"}}}, {":x;", {{"", "x"}}},
        {"k:;", {{"k", ""}}}, {"k:1;k:2;", {{"k", "2"}}},
        {"junk;\nHue: 30;;DKS:2;tail", {{"\nHue", " 30"}, {"DKS", "2"}}}};
    // clang-format on
    for (const auto& [text, table] : cases)
        EXPECT_EQ(SettingManager::Parse(text), table) << text;
}

TEST(Settings, SaveWritesOneLineThatLoadsBackTheSameTableAndAMissingFileLoadsEmpty)
{
    SettingManager& settings = SettingManager::getInstance();
    const std::string line = "SFX Volume:40;Loading Length:5.000000;Odd:a:b;Empty:;";
    settings.values = SettingManager::Parse(line);
    ASSERT_TRUE(settings.Save());
    EXPECT_EQ(ReadFile("important/settings.txt").size(), line.size()); // in any order
    settings.Set("SFX Volume", "10");
    settings.Load();
    EXPECT_EQ(settings.values, SettingManager::Parse(line)) << "nothing is saved without Save";

    settings.path = "important/absent.txt";
    settings.Load();
    EXPECT_TRUE(settings.values.empty());
}

TEST(Settings, ASaveThatCannotWriteSaysWhereOnceAndKeepsTheOldFileAndTheValues)
{
    SettingManager& settings = SettingManager::getInstance();
    testsupport::WriteFile("important/settings.txt", "Hue:30;");
    const auto held = SettingManager::Parse("Hue:" + std::string(4000, '7') + ";");
    settings.values = held;
    // A disk that fills up in the middle of the write; the second save fails the same way. The
    // limit holds for the captured standard error too, so it leaves room for a line there.
    struct rlimit previous;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const struct rlimit small = {1024, previous.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = settings.Save();
    settings.Set("DKS", "3");
    const bool savedAgain = settings.Save();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(saved);
    EXPECT_FALSE(savedAgain);
    const std::string where = fs::absolute("important/settings.txt").string();
    EXPECT_NE(said.find(where), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << "said once, on one line: " << said;
    EXPECT_EQ(ReadFile("important/settings.txt"), "Hue:30;");
    EXPECT_EQ(settings.Get("Hue", ""), held.at("Hue"));
    EXPECT_EQ(settings.Get("DKS", ""), "3");
    for (const auto& entry : fs::directory_iterator("important"))
        EXPECT_NE(entry.path().extension(), ".tmp") << "left behind: " << entry.path();
}

// Levels are floats: a number beyond a float's range is handed down as the largest float of
// its sign, where converting it would be undefined.
TEST(Settings, VolumeLevelsBeyondTheRangeOfAFloatAreHandedDownAsItsLargest)
{
    SettingManager& settings = SettingManager::getInstance();
    testsupport::WriteFile("important/settings.txt",
                           "Music Volume:1e39;SFX Volume:-1e300;Dialogue Volume:250;");
    settings.Load();
    const auto& levels = ResourceManager::getInstance().volumeLevels;
    EXPECT_EQ(levels.at("Music Volume"), std::numeric_limits<float>::max());
    EXPECT_EQ(levels.at("SFX Volume"), std::numeric_limits<float>::lowest());
    EXPECT_EQ(levels.at("Dialogue Volume"), 250.f);
}

TEST(Settings, ThePlayerHasAFullySaturatedHueColourUnlessHueIsNoNumberOfAtLeastOne)
{
    const sf::Color standard(212, 130, 59, 255);
    // clang-format off
    const std::pair<const char*, sf::Color> cases[] = {
        {"120", {0, 255, 0}}, {" 120 degrees", {0, 255, 0}}, {"30", {255, 127, 0}}, {"240", {0, 0, 255}},
        {"360", {255, 0, 0}}, {"480", {0, 255, 0}}, {"1", {255, 4, 0}}, {"0.5", standard}, {"0", standard},
        {"-30", standard}, {"abc", standard}, {"", standard}};
    // clang-format on
    for (const auto& [hue, colour] : cases)
    {
        SettingManager::getInstance().values["Hue"] = hue;
        EXPECT_EQ(PlayerColour(), colour) << hue;
    }
}
