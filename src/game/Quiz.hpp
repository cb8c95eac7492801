#pragma once

#include "resources/VoiceClip.hpp"
#include "widgets/Button.hpp"

#include <cstdint>
#include <string>

// Something a button can move on to its next step.
class Bro : public GameObject
{
public:
    virtual void Advance() = 0;
};

// The five questions that grow a bridge to the tower, raised when dialogue 51 ends. It draws
// the current question itself and puts up four QuizButtons for its answers. It holds the
// player's controls for as long as it exists, however it goes: answered, or swept away with
// its scene (which also silences its question).
class Quiz : public Bro
{
public:
    std::int32_t question = 0;
    // The question being read out.
    VoiceClip voice;

    Quiz();
    // The next question, or, after the fifth, the bridge.
    void Advance() override;
    void Draw() override;
    void OnDestroy() override;

private:
    void ReadQuestionOut();
    void ShowAnswers();
    void GrowBridge();
};

// One answer of the current question in one of the slots A to D (top to bottom). The right
// answer moves the quiz on; any other sends the player away for good (the program ends).
class QuizButton : public Button
{
public:
    std::int32_t answer;
    std::int32_t slot;
    ObjectRef<Quiz> quiz;

    QuizButton(Quiz* owner, std::int32_t shownAnswer, std::int32_t answerSlot);
    void OnClick() override;
    void Draw() override;
};
