#include "world/GameObject.hpp"

#include "display/DisplayManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <cstdlib>
#include <utility>

GameObject::GameObject() : id("ID_" + std::to_string(std::rand()))
{
    SetSprite(Sprite::FromText("x"));
    WorldManager::getInstance().objects.push_back(this);
}

// The world exists before any object does, so reaching it here never builds (or throws).
// NOLINTNEXTLINE(bugprone-exception-escape)
GameObject::~GameObject()
{
    if (lifeline)
        *lifeline = nullptr;
    UnsubscribeAll();
    auto& objects = WorldManager::getInstance().objects;
    auto it = std::find(objects.begin(), objects.end(), this);
    if (it != objects.end())
        objects.erase(it);
}

const std::shared_ptr<GameObject*>& GameObject::Lifeline()
{
    // Made on first use: most objects are never referred to.
    if (!lifeline)
        lifeline = std::make_shared<GameObject*>(this);
    return lifeline;
}

void GameObject::OnDestroy()
{
}

void GameObject::SetSprite(Sprite newSprite)
{
    sprite = std::move(newSprite);
    boxWidth = sprite.width * kCellWidth;
    boxHeight = sprite.height * kCellHeight;
    boxOffsetX = 0.0;
    boxOffsetY = 0.0;
}

void GameObject::Draw()
{
    if (!DisplayManager::started)
        return;
    const double s = sprite.scale;
    if (s <= 0.0)
        return;
    DisplayManager& display = DisplayManager::getInstance();
    const std::string& text = sprite.TakeFrame();

    WorldPoint p{x, y};
    if (sprite.followsCamera)
    {
        p.x -= display.cameraPosition.x;
        p.y -= display.cameraPosition.y;
    }
    CellDrawOptions options;
    options.centred = true;
    options.cellWidth = kCellWidth * s;
    options.cellHeight = kCellHeight * s;
    options.lineStep = sprite.prose ? kProseLineStep * s : 0.0;
    options.background = sprite.background;
    options.backgroundPerRun = sprite.backgroundPerRun;
    options.textScale = s;
    options.backgroundHeight = sprite.backgroundHeight;
    options.backgroundOffset = sprite.backgroundOffset;
    options.viewHalfHeight = sprite.followsCamera ? display.cameraHalfHeight : kScreenHalfHeight;
    display.DrawCells(p, text, sprite.colour, options);
}
