#include "scenes/LoadingScreen.hpp"

#include "display/DisplayManager.hpp"
#include "game/Effects.hpp"
#include "resources/ResourceManager.hpp"
#include "scenes/Tips.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <sstream>

namespace
{
constexpr std::size_t kLineLimit = 66;
const sf::Color kTipColour(60, 194, 96, 255);

// Both texts of the screen are drawn a little larger than usual.
constexpr double kTextView = 8.0;

// A screen-fixed picture whose box is widened for the loading screen's layout.
void ScreenFixed(GameObject& object, double y, double scale, const char* type)
{
    object.y = y;
    object.sprite.scale = scale;
    object.sprite.followsCamera = false;
    object.type = type;
    object.boxWidth *= 1.5;
    object.boxHeight *= 1.2;
}
} // namespace

LoadingObject::LoadingObject()
{
    SetSprite(BigAccessingOfData::getInstance().loadingSprite);
    y = 6.0;
    sprite.scale = 0.6;
    sprite.followsCamera = false;
    new Loading();
    new ProgressBar();
    new LoadingScreenTip();
    new DoorParticleSpawner();
    SettingManager::getInstance().Save();
}

Loading::Loading()
{
    SetSprite(ResourceManager::LoadSprite("sprites/Loading.txt"));
    ScreenFixed(*this, 4.0, 0.7, "Loading");
}

ProgressBar::ProgressBar()
{
    SetSprite(ResourceManager::LoadSprite("sprites/ProgressBar.txt"));
    ScreenFixed(*this, -1.5, 0.7, "ProgressBar");
    remaining = BigAccessingOfData::getInstance().loadingLength;
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void ProgressBar::HandleEvent(Event& event)
{
    if (event.GetName() != "Tick")
        return;
    remaining -= PhysicsManager::getInstance().delta;
    if (remaining <= 0.0)
        Map::getInstance().LoadScene(BigAccessingOfData::getInstance().pendingScene);
}

std::string ProgressBar::BarText() const
{
    const double length = BigAccessingOfData::getInstance().loadingLength;
    // With no length at all the bar is simply full for its one frame.
    const double fraction = length > 0.0 ? std::clamp((length - remaining) / length, 0.0, 1.0) : 1.0;
    const auto size = pattern.size();
    const auto filled =
        std::min(size, static_cast<std::size_t>(std::ceil(static_cast<double>(size) * fraction)));
    return "[" + pattern.substr(0, filled) + std::string(size - filled, '-') + "]";
}

void ProgressBar::Draw()
{
    DisplayManager::DrawScreenText({x, y}, BarText(), sf::Color::White, kTextView);
}

LoadingScreenTip::LoadingScreenTip()
{
    SetSprite(Sprite::Empty());
    ScreenFixed(*this, -5.0, 1.0, "LoadingScreenTip");
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    const int random = std::rand() % kTipCount;
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    tip = Tip(data.codeTipDue ? kCodeTip : random);
    data.codeTipDue = false;
}

void LoadingScreenTip::Draw()
{
    DisplayManager::DrawScreenProse({x, y}, WrapTip(tip), kTipColour, kTextView);
}

std::string WrapTip(const std::string& text)
{
    std::istringstream words(text);
    std::string word;
    std::string wrapped;
    std::size_t lineLength = 0;
    bool first = true;
    while (words >> word)
    {
        if (first)
        {
            wrapped = word;
            lineLength = word.size();
            first = false;
        }
        else if (lineLength + 1 + word.size() < kLineLimit)
        {
            wrapped += " " + word;
            lineLength += 1 + word.size();
        }
        else
        {
            wrapped += "\n" + word;
            lineLength = word.size();
        }
    }
    return wrapped;
}
