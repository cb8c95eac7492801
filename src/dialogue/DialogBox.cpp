#include "dialogue/DialogBox.hpp"

#include "dialogue/DialogManager.hpp"
#include "dialogue/Speaker.hpp"
#include "display/DisplayManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/KeyBindings.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace
{
const sf::Color kNarratorGreen(120, 232, 110, 255);
const sf::Color kBridgeTeal(21, 160, 179, 255);
// Light enough to read on the box's black, and still browner than the player's door (212, 130, 59
// unless the player picks a hue).
const sf::Color kBrownDoor(168, 112, 66, 255);

// The box (DialogBox.txt, 92 x 9 cells at scale 1) is centred on x 0 with its top border where
// the design's 8-row box had it; the ninth row makes room for four lines of prose.
constexpr double kBoxColumns = 92.0;
constexpr double kBoxRows = 9.0;
constexpr double kBoxY = -6.35;
// The cells inside the border: two columns at each side, one row at the top and the bottom.
constexpr double kInsideRight = kBoxColumns * kCellWidth / 2.0 - 2.0 * kCellWidth;
constexpr double kInsideLeft = -kInsideRight;
constexpr double kInsideTop = kBoxY + kBoxRows * kCellHeight / 2.0 - kCellHeight;
constexpr double kInsideBottom = kBoxY - kBoxRows * kCellHeight / 2.0 + kCellHeight;

// The page is centred on this height as it always was, so its first line stays where it was and
// further lines, a prose step apart, reach down towards the bottom border; a page that would
// reach past the lowest line moves up just as far as it must (four lines do).
constexpr double kPageY = -6.0;
constexpr double kLowestLine = kInsideBottom + 0.55;
// Centres of the page's column: beside a portrait on the left, on its own (the narrator), or
// beside a portrait on the right.
constexpr double kPageRightOfPortrait = 2.5;
constexpr double kPageLeftOfPortrait = -3.5;

// The page-wait marker keeps the bottom right corner to itself.
constexpr double kMarkerScale = 0.6;
constexpr double kMarkerX = kInsideRight - 0.3 - 2.0 * kCellWidth * kMarkerScale;
constexpr double kMarkerY = kInsideBottom + 0.15 + 1.5 * kCellHeight * kMarkerScale;
constexpr double kMarkerLeft = kMarkerX - 2.0 * kCellWidth * kMarkerScale;

// The hint for newcomers sits on the box's bottom border, clear of the page and the portrait.
const sf::Color kHintColour(255, 205, 56, 255);

// Where a portrait may stand: the rest of the box's height, beside the page's column.
struct Slot
{
    double left, right;
};
constexpr double kSlotTop = kInsideTop - 0.2;
constexpr double kSlotBottom = kInsideBottom + 0.2;
constexpr double kGap = 0.5;

Slot PortraitSlot(bool onTheRight, double pageWidth)
{
    if (onTheRight)
        return {kPageLeftOfPortrait + pageWidth / 2.0 + kGap, kMarkerLeft - 0.4};
    return {kInsideLeft + 0.2, kPageRightOfPortrait - pageWidth / 2.0 - kGap};
}

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

bool PortraitOnTheRight(std::int32_t speaker)
{
    return speaker == speaker::DoorRight || speaker >= speaker::Bridge;
}

// The width the box's page wraps to, in columns, for a box this many columns wide.
double PageColumns(double boxColumns)
{
    return boxColumns - 30.0;
}
} // namespace

bool PageHintDue()
{
    const DialogManager& dialog = DialogManager::getInstance();
    return dialog.active && !dialog.autoAdvance &&
           SettingManager::getInstance().Get(kPageTurnedSetting, "0") != "1";
}

std::string PageHint()
{
    return KeyBindings::getInstance().Names(Action::Advance) + " or a click turns the page";
}

DialogBox::DialogBox()
{
    SetSprite(ResourceManager::LoadSprite("sprites/DialogBox.txt"));
    sprite.followsCamera = false;
    sprite.background = true;
    y = kBoxY;
    depth = 9999.0;
    solidness = Spectral;
}

void DialogBox::Draw()
{
    GameObject::Draw();
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    const std::int32_t who = Speaker(data.dialogNumber, data.dialogPage);
    std::string text = WrapText(data.dialogText, static_cast<std::int32_t>(PageColumns(sprite.width)));
    double pageX = kPageRightOfPortrait;
    sf::Color colour = sf::Color::White;
    if (who == speaker::Narrator)
    {
        // The narrator's lines are laid out by hand.
        text = data.dialogText;
        pageX = 0.0;
        colour = kNarratorGreen;
    }
    else if (PortraitOnTheRight(who))
    {
        pageX = kPageLeftOfPortrait;
        if (who == speaker::Bridge)
            colour = kBridgeTeal;
    }
    const auto lines = static_cast<double>(std::count(text.begin(), text.end(), '\n'));
    const double firstLine =
        std::max(kPageY + lines * kCellHeight / 2.0, kLowestLine + lines * kProseLineStep);
    DisplayManager::DrawScreenProse({x + pageX, firstLine - lines * kCellHeight / 2.0}, text, colour);
    if (PageHintDue())
        DisplayManager::DrawScreenText({x, kBoxY - kBoxRows * kCellHeight / 2.0 + kCellHeight / 2.0},
                                       " " + PageHint() + " ", kHintColour, kScreenHalfHeight, true);
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
    const std::int32_t who = Speaker(dialogNumber, page);
    if (who != speaker)
        LoadPortrait(who);
    sprite.followsCamera = false;
    // Each portrait's own size and place, as drawn for it; the slot beside the page may make it
    // smaller and move it in, so that it keeps clear of the page, the marker and the border.
    double scale = 1.5;
    double wantedX = who == speaker::DoorRight ? 11.0 : -11.0;
    if (who >= speaker::Bridge)
        wantedX = 10.0;
    switch (who)
    {
    case speaker::Bridge: scale = 0.19; break;
    case speaker::Dragon: scale = 0.4; break;
    case speaker::Unknown: scale = 0.7; break;
    case speaker::Wizard: scale = 0.14; break;
    case speaker::Eagle: scale = 0.32, wantedX -= 0.6; break;
    case speaker::BigDoor: scale = 0.5, wantedX += 0.5; break;
    default: break;
    }
    const Slot slot = PortraitSlot(PortraitOnTheRight(who), PageColumns(kBoxColumns) * kCellWidth);
    const double columns = sprite.width * kCellWidth;
    const double rows = sprite.height * kCellHeight;
    if (columns > 0.0 && rows > 0.0)
        scale = std::min({scale, (slot.right - slot.left) / columns, (kSlotTop - kSlotBottom) / rows});
    const double halfWidth = columns * scale / 2.0;
    sprite.scale = scale;
    x = std::clamp(wantedX, slot.left + halfWidth, std::max(slot.left + halfWidth, slot.right - halfWidth));
    y = (kSlotTop + kSlotBottom) / 2.0;
}

DialogFlasher::DialogFlasher()
{
    SetSprite(Sprite::FromText("/xx\\\nx  x\n\\xx/"));
    sprite.colour = sf::Color(255, 205, 56, 255);
    sprite.followsCamera = false;
    sprite.background = false;
    sprite.scale = kMarkerScale;
    x = kMarkerX;
    y = kMarkerY;
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
