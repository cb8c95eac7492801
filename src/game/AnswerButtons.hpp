#pragma once

#include "widgets/Button.hpp"

#include <cstdint>
#include <string>

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

// The question the answers answer (the last page of the dialogue that asked it), kept on screen
// above them while they wait; it goes with them.
class AnswerQuestion : public GameObject
{
public:
    std::string question;

    explicit AnswerQuestion(std::int32_t askingDialogue);
    void Draw() override;
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
