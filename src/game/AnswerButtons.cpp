#include "game/AnswerButtons.hpp"

#include "dialogue/DialogManager.hpp"
#include "state/SettingManager.hpp"
#include "world/WorldManager.hpp"

AnswerButton::AnswerButton(const char* spriteFile, const char* answerType, double answerY,
                           std::int32_t answerDialogue)
    : dialogue(answerDialogue)
{
    DressButton(*this, spriteFile, {0.0, answerY}, 1.2, 1.2, 1.2);
    sprite.background = true;
    depth = 99999999.0;
    type = answerType;
}

void AnswerButton::OnClick()
{
    SettingManager::getInstance().Set("SeenEnd", "1");
    DialogManager::getInstance().StartDialog(dialogue);
    for (const char* answer : {"YesButton", "MaybeButton", "NoButton"})
        WorldManager::getInstance().MarkAllOfType(answer);
}

YesButton::YesButton() : AnswerButton("sprites/YesButton.txt", "YesButton", 3.0, 45)
{
}

NoButton::NoButton() : AnswerButton("sprites/NoButton.txt", "NoButton", -3.0, 48)
{
}

MaybeButton::MaybeButton() : AnswerButton("sprites/MaybeButton.txt", "MaybeButton", 0.0, 49)
{
}
