#include "widgets/Button.hpp"

#include "resources/ResourceManager.hpp"
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
    sprite.frameIndex = hovered ? hoverFrame : normalFrame;
    hovered = false;
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
