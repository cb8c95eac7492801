#include "menus/Credits.hpp"

#include "core/Geometry.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "widgets/NavigationButtons.hpp"

CreditsMenuScene::CreditsMenuScene()
{
    SetSprite(ResourceManager::LoadSprite("sprites/Credits.txt"));
    sprite.followsCamera = false;
    sprite.scale = 1.35;
    new CreditsText(*this);
    auto* back = new TitleButton();
    back->x -= 1.0;
    back->y += 1.0;
    // The names open the playground, a secret of the page: the focus does not give it away.
    back->focusFirst = true;
    new Names();
}

CreditsText::CreditsText(const GameObject& page)
{
    // At the page's scale the lines would reach the door's picture at its foot; at the usual
    // scale they end above it.
    constexpr std::int32_t kFirstRow = 5;
    SetSprite(ResourceManager::LoadSprite("sprites/CreditsText.txt"));
    sprite.followsCamera = false;
    sprite.prose = true;
    const double pageRow = kCellHeight * page.sprite.scale;
    const double firstLineY = page.y + (page.sprite.height - 1) * pageRow / 2.0 - kFirstRow * pageRow;
    x = page.x;
    y = firstLineY - (sprite.height - 1) * kCellHeight / 2.0;
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
