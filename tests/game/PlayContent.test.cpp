// The content the panels and fights index: every sprite they show has the frames they pick, and
// the quiz's table puts the right answer once in every question. (Every fight's outcome for each
// button, with and without the chicken, is played in Fights.)
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

TEST(PlayContent, EveryQuestionHasTheRightAnswerOnce)
{
    for (std::int32_t question = 1; question <= quiz::kQuestionCount; ++question)
    {
        const auto slots = quiz::AnswerSlots(question);
        EXPECT_EQ(std::count(slots.begin(), slots.end(), quiz::kRightAnswer), 1) << question;
        for (std::int32_t answer : slots)
            EXPECT_LT(answer, quiz::kAnswerCount) << question;
        EXPECT_NE(quiz::QuestionText(question), "A");
    }
}
