#include "ui/NavigationButtons.hpp"

#include "dialogue/DialogManager.hpp"
#include "engine/world/WorldManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "state/SettingManager.hpp"

TitleButton::TitleButton()
{
    DressButton(*this, "sprites/TitleButton.txt", {14.0, -8.0}, 1.5, 1.3, 1.2);
}

void TitleButton::OnClick()
{
    Map::getInstance().ChangeScene(SceneNumber::TitleMenu);
}

ResumeButton::ResumeButton()
{
    DressButton(*this, "sprites/ResumeButton.txt", {8.5, -8.0}, 1.5, 1.3, 1.2);
}

void ResumeButton::OnClick()
{
    Map::getInstance().ChangeScene(SceneNumber::Resume);
}

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
    WorldManager& world = WorldManager::getInstance();
    for (GameObject* object : world.GetAllObjects())
        if (object->type == "YesButton" || object->type == "MaybeButton" || object->type == "NoButton" ||
            object->type == "HellNoButton")
            world.MarkForDeletion(object);
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
