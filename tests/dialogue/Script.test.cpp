// The script as content: every key the game needs, pages that fit the box, speakers the
// writer named matching the ones the game shows, portraits and voices that load.
#include "dialogue/Script.hpp"

#include "dialogue/DialogBox.hpp"
#include "dialogue/Speaker.hpp"
#include "support/GameTest.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

TEST(Script, HoldsEveryKeyTheGameNeeds)
{
    std::set<std::int32_t> keys;
    for (std::size_t i = 0; i < kScriptRowCount; ++i)
        keys.insert(kScriptRows[i].number);
    for (std::int32_t n = 0; n <= 160; ++n)
        EXPECT_EQ(keys.count(n), n == 157 ? 0u : 1u) << n;
    EXPECT_EQ(keys.count(900), 1u);
    EXPECT_EQ(Script(157), "Missing Dialog #157");
    EXPECT_EQ(SplitPages("a<b><b>b<b>"), (std::vector<std::string>{"a", "", "b", ""}));
}

TEST(Script, EveryPageFitsTheBoxAndIsSpokenByWhomTheWriterNamed)
{
    const Sprite box = ResourceManager::LoadSprite("sprites/DialogBox.txt");
    const std::int32_t width = box.width - 30;
    for (std::size_t i = 0; i < kScriptRowCount; ++i)
    {
        const ScriptRow& row = kScriptRows[i];
        const std::vector<std::string> pages = SplitPages(row.text);
        ASSERT_EQ(pages.size(), std::string(row.speakers).size()) << row.number;
        for (std::size_t p = 0; p < pages.size(); ++p)
        {
            SCOPED_TRACE("dialogue " + std::to_string(row.number) + " page " + std::to_string(p));
            const auto page = static_cast<std::int32_t>(p);
            EXPECT_EQ(Speaker(row.number, page), row.speakers[p] - '0');
            // The narrator's lines are laid out by hand and not wrapped.
            const bool narrator = Speaker(row.number, page) == speaker::Narrator;
            std::istringstream lines(narrator ? pages[p] : WrapText(pages[p], width));
            int count = 0;
            for (std::string line; std::getline(lines, line); ++count)
                EXPECT_LE(static_cast<std::int32_t>(line.size()), width) << line;
            EXPECT_LE(count, 4) << "taller than the box";
        }
    }
}

TEST(Script, LongWordsStandAloneAndExplicitBreaksStay)
{
    EXPECT_EQ(WrapText("WHY AM I A DOOR\nWHAT", 16), "WHY AM I A DOOR \nWHAT            ");
    EXPECT_EQ(WrapText("a  verylongword b", 5), "a    \nverylongword\nb    ");
    EXPECT_EQ(WrapText("\n", 2), "  \n  ");
    EXPECT_EQ(WrapText("anything", 0), "");
}

TEST(Script, EveryPortraitLoadsAndEveryPageThatCanPlayHasItsVoice)
{
    GameDriver game;
    // Every dialogue a trigger, scene, ending or fight can start: 0 to 125 but 121 and 122.
    for (std::int32_t n = 0; n <= 125; ++n)
    {
        if (n == 121 || n == 122)
            continue;
        const auto pages = static_cast<std::int32_t>(SplitPages(Script(n)).size());
        for (std::int32_t p = 0; p < pages; ++p)
        {
            DialogDisplay portrait;
            EXPECT_NO_THROW(portrait.SetSpeaker(n, p)) << n << "_" << p;
            EXPECT_TRUE(
                std::filesystem::exists("dialog/" + std::to_string(n) + "_" + std::to_string(p) + ".mp3"))
                << "no voice for dialogue " << n << " page " << p;
        }
    }
}
