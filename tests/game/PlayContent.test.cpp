// The content the panels and fights index: every sprite they show has the frames they pick, the
// quiz's table puts the right answer once in every question, and every fight outcome names a
// message the actions bar has.
#include "game/FightOutcomes.hpp"
#include "game/QuizQuestions.hpp"
#include "resources/ResourceManager.hpp"
#include "support/Harness.hpp"

#include <algorithm>
#include <gtest/gtest.h>

TEST(PlayContent, EverySpriteThePanelsAndFightsShowHasTheFramesTheyPick)
{
    // clang-format off
    const std::pair<const char*, std::size_t> sprites[] = {
        {"QuestionButton", 32}, {"ActionsBar",     13}, {"AttackButton", 2}, {"ItemButton", 2},
        {"RunButton",      2 }, {"DragonFight",    2 }, {"DefeatedDragon", 1}, {"RockThrow", 7},
        {"Eagle",          1 }, {"Rocks",          1 }, {"YesButton",    2}, {"NoButton",   2},
        {"Door",           14}, // the knob rewards show styles 2 to 13
    };
    // clang-format on
    for (const auto& [name, frames] : sprites)
        EXPECT_GE(ResourceManager::LoadSprite(std::string("sprites/") + name + ".txt").frames.size(), frames)
            << name;
}

TEST(PlayContent, EveryQuestionHasTheRightAnswerOnceAndEveryOutcomeAnExistingMessage)
{
    for (std::int32_t question = 1; question <= quiz::kQuestionCount; ++question)
    {
        const auto slots = quiz::AnswerSlots(question);
        EXPECT_EQ(std::count(slots.begin(), slots.end(), quiz::kRightAnswer), 1) << question;
        for (std::int32_t answer : slots)
            EXPECT_LT(answer, quiz::kAnswerCount) << question;
        EXPECT_NE(quiz::QuestionText(question), "A");
    }
    const auto messages =
        static_cast<std::int32_t>(ResourceManager::LoadSprite("sprites/ActionsBar.txt").frames.size());
    const auto valid = [messages](std::int32_t message)
    { return message == fight::kNone || (message >= 0 && message < messages); };
    for (std::int32_t scene : {3, 12, 13})
        for (bool chicken : {false, true})
        {
            ASSERT_NE(fight::AttackIn(scene, chicken), nullptr);
            EXPECT_TRUE(valid(fight::AttackIn(scene, chicken)->message));
            EXPECT_TRUE(valid(fight::ItemIn(scene, chicken)->message));
            EXPECT_TRUE(valid(fight::ItemIn(scene, chicken)->followUp));
            EXPECT_TRUE(valid(fight::RunIn(scene, chicken)->message));
        }
    EXPECT_EQ(fight::AttackIn(0, false), nullptr) << "no fight, no outcome";
}
