#pragma once

#include <array>
#include <cstdint>
#include <string>

// The quiz's content: five questions and which answer each of the four slots (A to D) shows.
// The answers' texts are the frames of "sprites/QuestionButton.txt"; answer 2 is right for
// every question.
namespace quiz
{
constexpr std::int32_t kQuestionCount = 5;
constexpr std::int32_t kRightAnswer = 2;
constexpr std::int32_t kAnswerCount = 16;

// The text of question q (1 to 5); "A" for any other number.
std::string QuestionText(std::int32_t question);
// The answers in slots A to D of question q (1 to 5).
std::array<std::int32_t, 4> AnswerSlots(std::int32_t question);
} // namespace quiz
