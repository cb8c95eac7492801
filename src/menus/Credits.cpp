#include "menus/Credits.hpp"

#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "widgets/NavigationButtons.hpp"

CreditsMenuScene::CreditsMenuScene()
{
    SetSprite(ResourceManager::LoadSprite("sprites/Credits.txt"));
    sprite.followsCamera = false;
    sprite.scale = 1.35;
    auto* back = new TitleButton();
    back->x -= 1.0;
    back->y += 1.0;
    new Names();
}

Names::Names()
{
    // The click area covers the button as drawn.
    DressButton(*this, "sprites/Names.txt", {0.0, 7.0}, 1.8, 1.8, 1.8);
}

void Names::OnClick()
{
    Map::getInstance().ChangeScene(SceneNumber::Playground);
}
