#include "dialogue/DialogBox.hpp"

#include "dialogue/Speaker.hpp"
#include "display/DisplayManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace
{
constexpr double kPortraitY = -6.0;
const sf::Color kNarratorGreen(120, 232, 110, 255);
const sf::Color kBridgeTeal(21, 160, 179, 255);
const sf::Color kBrownDoor(79, 47, 19, 255);

// Portrait sprite files by speaker; the door speakers (0 to 2) and the narrator are made in code.
const char* PortraitFile(std::int32_t speaker)
{
    switch (speaker)
    {
    case speaker::Bridge: return "sprites/BridgeTalk.txt";
    case speaker::Dragon: return "sprites/DragonHead.txt";
    case speaker::Unknown: return "sprites/Unknown.txt";
    case speaker::Wizard: return "sprites/Wizard.txt";
    case speaker::Eagle: return "sprites/Eagle.txt";
    case speaker::BigDoor: return "sprites/BigDoor.txt";
    default: return nullptr;
    }
}
} // namespace

DialogBox::DialogBox()
{
    SetSprite(ResourceManager::LoadSprite("sprites/DialogBox.txt"));
    sprite.followsCamera = false;
    sprite.background = true;
    y = kPortraitY;
    depth = 9999.0;
    solidness = Spectral;
}

void DialogBox::Draw()
{
    GameObject::Draw();
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    const std::int32_t who = Speaker(data.dialogNumber, data.dialogPage);
    std::string text = WrapText(data.dialogText, sprite.width - 30);
    double offset = 2.5;
    sf::Color colour = sf::Color::White;
    if (who == speaker::Narrator)
    {
        // The narrator's lines are laid out by hand.
        text = data.dialogText;
        offset = 0.0;
        colour = kNarratorGreen;
    }
    else if (who != speaker::Door && who != speaker::BrownDoor)
    {
        // The portrait stands on the right, so the text moves left.
        offset = -(2.0 * x) - 2.5;
        if (who == speaker::Bridge)
            colour = kBridgeTeal;
    }
    DisplayManager::DrawScreenText({x + offset, y}, text, colour);
}

DialogDisplay::DialogDisplay()
{
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    depth = 999900.0;
    // A portrait is a picture: nothing should ever bump into it.
    solidness = Spectral;
}

void DialogDisplay::LoadPortrait(std::int32_t newSpeaker)
{
    if (newSpeaker == speaker::Door || newSpeaker == speaker::DoorRight || newSpeaker == speaker::BrownDoor)
    {
        SetSprite(ResourceManager::LoadSprite("sprites/Door.txt"));
        // A design setting that is no number shows the first design rather than failing.
        sprite.frameIndex = SettingManager::getInstance().GetInteger("DKS", 1);
        sprite.colour = newSpeaker == speaker::BrownDoor ? kBrownDoor : PlayerColour();
    }
    else if (const char* file = PortraitFile(newSpeaker))
    {
        SetSprite(ResourceManager::LoadSprite(file));
    }
    else
    {
        SetSprite(Sprite::Empty());
    }
    speaker = newSpeaker;
}

void DialogDisplay::SetSpeaker(std::int32_t dialogNumber, std::int32_t page)
{
    y = kPortraitY;
    x = -11.0;
    const std::int32_t who = Speaker(dialogNumber, page);
    if (who != speaker)
        LoadPortrait(who);
    sprite.scale = 1.5;
    sprite.followsCamera = false;
    if (who >= speaker::Bridge)
        x = 10.0;
    switch (who)
    {
    case speaker::DoorRight: x = 11.0; break;
    case speaker::Bridge: sprite.scale = 0.19; break;
    case speaker::Dragon: sprite.scale = 0.4; break;
    case speaker::Unknown: sprite.scale = 0.7; break;
    case speaker::Wizard: sprite.scale = 0.14; break;
    case speaker::Eagle: sprite.scale = 0.32, x -= 0.6; break;
    case speaker::BigDoor: sprite.scale = 0.5, x += 0.5; break;
    default: break;
    }
}

DialogFlasher::DialogFlasher()
{
    SetSprite(Sprite::FromText("/xx\\\nx  x\n\\xx/"));
    sprite.colour = sf::Color(255, 205, 56, 255);
    sprite.followsCamera = false;
    sprite.background = false;
    sprite.scale = 0.6;
    x = 13.3;
    y = -8.2;
    depth = 10000.0;
    solidness = Spectral;
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void DialogFlasher::HandleEvent(Event&)
{
    elapsed += PhysicsManager::getInstance().delta;
    const double alpha = std::clamp((std::sin(5.0 * elapsed) * 0.5 + 0.5) * 255.0, 0.0, 255.0);
    sprite.colour.a = static_cast<std::uint8_t>(alpha);
}

std::string WrapText(const std::string& text, std::int32_t width)
{
    if (width < 1)
        return "";
    const auto columns = static_cast<std::size_t>(width);
    std::string out;
    bool first = true;
    const auto emit = [&](const std::string& line)
    {
        if (!first)
            out += '\n';
        first = false;
        out += line;
        if (line.size() < columns)
            out.append(columns - line.size(), ' ');
    };
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t end = text.find('\n', start);
        std::istringstream words(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        std::string line;
        for (std::string word; words >> word;)
        {
            if (!line.empty() && line.size() + 1 + word.size() <= columns)
                line += ' ' + word;
            else
            {
                if (!line.empty())
                    emit(line);
                line = word;
            }
        }
        emit(line);
        if (end == std::string::npos)
            return out;
        start = end + 1;
    }
}
