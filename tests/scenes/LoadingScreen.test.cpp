// The loading screen: its progress bar and timing, the settings it saves, and its tips.
#include "scenes/LoadingScreen.hpp"

#include "scenes/Tips.hpp"
#include "state/Map.hpp"
#include "support/GameTest.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace
{
const char* const kOutOfTips = "I ran out of tips";

std::vector<std::string> Split(const std::string& text, bool byLine)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    std::string part;
    while (byLine ? static_cast<bool>(std::getline(in, part)) : static_cast<bool>(in >> part))
        parts.push_back(part);
    return parts;
}
} // namespace

TEST(LoadingScreen, SavesTheSettingsShowsATipAndFillsTheBarOverTheLoadingLengthBeforeTheScene)
{
    GameDriver game;
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    data.loadingLength = 3.0;
    const std::filesystem::path file = "important/settings.txt";
    std::filesystem::remove(file);
    SettingManager::getInstance().Set("Hue", "123");
    Map::getInstance().ChangeScene(0);
    EXPECT_NE(testsupport::ReadFile(file).find("Hue:123;"), std::string::npos);
    const std::string tip = LiveObjects<LoadingScreenTip>().at(0)->tip;
    bool fromTable = false;
    for (int i = 0; i < kTipCount; ++i)
        fromTable = fromTable || Tip(i) == tip;
    EXPECT_TRUE(fromTable) << tip;

    ASSERT_EQ(LiveObjects<ProgressBar>().size(), 1u);
    const ProgressBar* bar = LiveObjects<ProgressBar>()[0];
    std::string pattern;
    for (int i = 0; i < 13; ++i)
        pattern += "DOOR=";
    pattern += "DOOR";
    ASSERT_EQ(bar->pattern, pattern);
    EXPECT_EQ(bar->BarText(), "[" + std::string(69, '-') + "]");

    game.Frames(24, kStep);
    EXPECT_EQ(bar->BarText(), "[" + pattern.substr(0, 35) + std::string(34, '-') + "]");
    game.Frames(23, kStep);
    EXPECT_EQ(data.currentScene, SceneNumber::Loading);
    EXPECT_EQ(bar->BarText(), "[" + pattern.substr(0, 68) + "-]");
    game.Frames(1, kStep);
    EXPECT_EQ(data.currentScene, 0);

    // Every loading screen saves again.
    SettingManager::getInstance().Set("Hue", "45");
    Map::getInstance().ChangeScene(8);
    EXPECT_NE(testsupport::ReadFile(file).find("Hue:45;"), std::string::npos);
}

TEST(LoadingScreen, TipsComeFromATableOf123AndWrapGreedilyIntoLinesShorterThan66Characters)
{
    EXPECT_EQ(Tip(0), "Press W to move up!");
    EXPECT_EQ(Tip(34), "WASD to move!");
    EXPECT_EQ(Tip(35), "Mouse 1 to advance dialogue");
    EXPECT_EQ(Tip(120), "Controls can be seen in the settings menu.");
    int withCode = 0;
    for (int i = 0; i < kTipCount; ++i)
    {
        EXPECT_FALSE(Tip(i).empty()) << i;
        EXPECT_NE(Tip(i), kOutOfTips) << i;
        withCode += Tip(i).find("40718265") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(withCode, 1);
    EXPECT_EQ(kTipCount, 123);
    for (int outside : {123, 500, -1})
        EXPECT_EQ(Tip(outside), kOutOfTips) << outside;

    std::vector<std::string> texts{"one\ntwo   three\n\nfour",
                                   std::string(30, 'a') + " " + std::string(34, 'b'),
                                   std::string(30, 'a') + " " + std::string(35, 'b')};
    for (int i = 0; i < kTipCount; ++i)
        texts.push_back(Tip(i));
    for (const std::string& text : texts)
    {
        const std::string wrapped = WrapTip(text);
        EXPECT_EQ(Split(wrapped, false), Split(text, false)) << text;
        const std::vector<std::string> lines = Split(wrapped, true);
        for (std::size_t i = 0; i < lines.size(); ++i)
        {
            EXPECT_LT(lines[i].size(), 66u) << text;
            // A line only breaks when the next word would not have fitted.
            if (i + 1 < lines.size())
            {
                EXPECT_GE(lines[i].size() + 1 + Split(lines[i + 1], false)[0].size(), 66u) << text;
            }
        }
    }
    EXPECT_EQ(WrapTip("one\ntwo   three\n\nfour"), "one two three four");
    EXPECT_EQ(Split(WrapTip(texts[1]), true).size(), 1u) << "65 characters fit";
    EXPECT_EQ(Split(WrapTip(texts[2]), true).size(), 2u) << "66 do not";
}
