#include "game/SceneChangeTimer.hpp"

#include "game/TitleCards.hpp"
#include "state/Map.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

SceneChangeTimer::SceneChangeTimer(double seconds, std::int32_t scene) : delay(seconds), targetScene(scene)
{
    solidness = Spectral;
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void SceneChangeTimer::HandleEvent(Event&)
{
    if (fired)
        return;
    elapsed += PhysicsManager::getInstance().delta;
    if (elapsed >= delay)
    {
        fired = true;
        if (endingWords.empty())
            Map::getInstance().ChangeScene(targetScene);
        else
            ShowEnding(endingWords);
    }
}
