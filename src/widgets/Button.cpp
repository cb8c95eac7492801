#include "widgets/Button.hpp"

#include "dialogue/DialogManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "widgets/KeyboardFocus.hpp"
#include "world/GameManager.hpp"

void ButtonBase::OnClick()
{
}

Button::Button()
{
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void Button::HandleEvent(Event& event)
{
    if (event.GetName() != "Tick")
        return;
    const KeyboardFocus& focus = KeyboardFocus::getInstance();
    lit = focus.ShowingThisFrame() ? focus.LitThisFrame() == this : hovered;
    sprite.frameIndex = lit ? hoverFrame : normalFrame;
    hovered = false;
}

bool PressButton(ButtonBase& button)
{
    // The press that ends a dialogue belongs to it, even though the dialogue is over by now.
    const bool talking =
        BigAccessingOfData::getInstance().dialogNumber != -1 || DialogManager::getInstance().pressTaken;
    if (!button.activeDuringDialog && talking)
        return false;
    button.OnClick();
    if (BigAccessingOfData::getInstance().currentScene != SceneNumber::Loading)
        ResourceManager::getInstance().PlaySound("knock", 40);
    return true;
}

void DressButton(GameObject& button, const std::string& spriteFile, WorldPoint at, double scale, double boxX,
                 double boxY)
{
    button.SetSprite(ResourceManager::LoadSprite(spriteFile));
    button.sprite.followsCamera = false;
    button.sprite.scale = scale;
    button.boxWidth *= boxX;
    button.boxHeight *= boxY;
    button.x = at.x;
    button.y = at.y;
}
