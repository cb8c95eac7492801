#pragma once

#include "widgets/Button.hpp"

#include <cstdint>

// The three answers to the question at the end of the first game (dialogue 44). Whichever is
// clicked records that the ending was seen, starts its dialogue, and all three go together.
class AnswerButton : public Button
{
public:
    AnswerButton(const char* spriteFile, const char* answerType, double y, std::int32_t answerDialogue);
    void OnClick() override;

private:
    std::int32_t dialogue;
};

class YesButton : public AnswerButton
{
public:
    YesButton();
};

class NoButton : public AnswerButton
{
public:
    NoButton();
};

class MaybeButton : public AnswerButton
{
public:
    MaybeButton();
};
