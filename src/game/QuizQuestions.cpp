#include "game/QuizQuestions.hpp"

namespace quiz
{
namespace
{
struct Question
{
    const char* text;
    std::array<std::int32_t, 4> slots;
};

// clang-format off
const Question kQuestions[kQuestionCount] = {
    //                                                 A   B   C   D
    {"What is your name?",                           {{0,  1,  2,  3 }}},
    {"What is your quest?",                          {{4,  5,  6,  2 }}},
    {"What is your favorite color?",                 {{7,  8,  9,  2 }}},
    {"What is the air speed of an unladen swallow?", {{2,  10, 11, 12}}},
    {"African or European?",                         {{13, 2,  14, 15}}},
};
// clang-format on

const Question* Find(std::int32_t question)
{
    return question >= 1 && question <= kQuestionCount ? &kQuestions[question - 1] : nullptr;
}
} // namespace

std::string QuestionText(std::int32_t question)
{
    const Question* found = Find(question);
    return found != nullptr ? found->text : "A";
}

std::array<std::int32_t, 4> AnswerSlots(std::int32_t question)
{
    const Question* found = Find(question);
    return found != nullptr ? found->slots : std::array<std::int32_t, 4>{};
}
} // namespace quiz
