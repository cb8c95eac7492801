#include "game/Puzzle.hpp"

#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "game/Cosmetics.hpp"
#include "game/PlayControls.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"
#include "world/WorldManager.hpp"

#include <SFML/Window/Keyboard.hpp>

namespace
{
using Key = sf::Keyboard::Key;

constexpr std::int32_t Code(Key key)
{
    return static_cast<std::int32_t>(key);
}

// The panel answers to these key codes and no others.
static_assert(Code(Key::D) == 3 && Code(Key::O) == 14 && Code(Key::R) == 17);
static_assert(Code(Key::Num0) == 26 && Code(Key::Num9) == 35 && Code(Key::Escape) == 36);
static_assert(Code(Key::Enter) == 58 && Code(Key::Backspace) == 59 && Code(Key::Delete) == 66);
static_assert(Code(Key::Numpad0) == 75 && Code(Key::Numpad9) == 84);

enum class Does
{
    Type,
    Erase,
    Submit,
    Close,
};

// A run of key codes, and for typing keys the character the first of them types.
struct KeyRule
{
    Key first, last;
    Does does;
    char glyph;
};

// clang-format off
constexpr KeyRule kKeys[] = {
    {Key::Num0,      Key::Num9,      Does::Type,   '0'},
    {Key::Numpad0,   Key::Numpad9,   Does::Type,   '0'},
    {Key::D,         Key::D,         Does::Type,   'D'},
    {Key::O,         Key::O,         Does::Type,   'O'},
    {Key::R,         Key::R,         Does::Type,   'R'},
    {Key::Backspace, Key::Backspace, Does::Erase,  0  },
    {Key::Delete,    Key::Delete,    Does::Erase,  0  },
    {Key::Enter,     Key::Enter,     Does::Submit, 0  },
    {Key::Escape,    Key::Escape,    Does::Close,  0  },
};
// clang-format on

constexpr std::size_t kMostTyped = 25;
const sf::Color kPanelColour(0, 255, 255);
constexpr double kInFrontOfEverything = 89544329843572.0;
constexpr std::int32_t kCosmeticForDoor = 12;

const KeyRule* RuleFor(std::int32_t key)
{
    for (const KeyRule& rule : kKeys)
        if (key >= Code(rule.first) && key <= Code(rule.last))
            return &rule;
    return nullptr;
}
} // namespace

Puzzle::Puzzle()
{
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    solidness = Spectral;
    depth = kInFrontOfEverything;
    InputManager::getInstance().keyboardEvent.Subscribe(this);
    InputManager::getInstance().joystickEvent.Subscribe(this);
    BigAccessingOfData::getInstance().controlsLocked = true;
}

void Puzzle::HandleEvent(Event& event)
{
    if (event.GetName() == "Keyboard")
        HandleKey(static_cast<const EventKeyboard&>(event));
    else if (event.GetName() == "Joystick")
        HandlePad(static_cast<const EventJoystick&>(event));
}

void Puzzle::HandleKey(const EventKeyboard& keyboard)
{
    const KeyRule* rule = RuleFor(keyboard.key);
    if (keyboard.action != InputManager::Pressed || rule == nullptr)
        return;
    switch (rule->does)
    {
    case Does::Type: Type(static_cast<char>(rule->glyph + (keyboard.key - Code(rule->first)))); break;
    case Does::Erase:
        if (!typed.empty())
            typed.pop_back();
        break;
    case Does::Submit: Submit(); break;
    case Does::Close: Close(); break;
    }
}

void Puzzle::HandlePad(const EventJoystick& pad)
{
    using Axis = sf::Joystick::Axis;
    padSeen = true;
    const std::size_t glyphs = std::char_traits<char>::length(kPadGlyphs);
    if (pad.action == InputManager::Moved && (pad.axis == Axis::Y || pad.axis == Axis::PovY))
    {
        // Up (a pad's y grows downwards) goes on to the next character.
        const std::int32_t lean = pad.position < -PlayControls::kDeadZone  ? 1
                                  : pad.position > PlayControls::kDeadZone ? -1
                                                                           : 0;
        if (lean != 0 && lean != padLean)
            padGlyph = (lean > 0 ? padGlyph + 1 : padGlyph + glyphs - 1) % glyphs;
        padLean = lean;
        return;
    }
    if (pad.action != InputManager::Pressed)
        return;
    if (pad.button == PadButton::South)
        Type(kPadGlyphs[padGlyph]);
    else if (pad.button == PadButton::East && typed.empty())
        Close();
    else if (pad.button == PadButton::East)
        typed.pop_back();
    else if (pad.button == PadButton::Start)
        Submit();
}

void Puzzle::Type(char glyph)
{
    if (typed.size() < kMostTyped)
        typed += glyph;
}

void Puzzle::Submit()
{
    if (typed == kDoorCode)
    {
        Close();
        BigAccessingOfData::getInstance().codeSolved = true;
        DialogManager::getInstance().StartDialog(86);
    }
    else if (typed.find("DOOR") != std::string::npos)
    {
        Close();
        // A knob for those who found the creator already; the others just get the door shut.
        if (SettingManager::getInstance().Get("Creator", "0") == "1")
            new Obtains(kCosmeticForDoor);
    }
    else
    {
        typed.clear();
        BigAccessingOfData::getInstance().codeTipDue = true;
    }
}

void Puzzle::Close()
{
    WorldManager::getInstance().MarkForDeletion(this);
}

void Puzzle::OnDestroy()
{
    BigAccessingOfData::getInstance().controlsLocked = false;
}

void Puzzle::Draw()
{
    // Half the usual view: letters twice the size.
    constexpr double kView = 5.0;
    DisplayManager::DrawScreenText({x, y + 4.0}, "Type the code", kPanelColour, kView, true);
    DisplayManager::DrawScreenText({x, y + 3.0}, "Enter to submit", kPanelColour, kView, true);
    DisplayManager::DrawScreenText({x, y + 2.0}, "[" + typed + "]", kPanelColour, kView, true);
    // In the usual size, between the code and the door below it.
    if (padSeen)
        DisplayManager::DrawScreenText({x, y + 2.9},
                                       std::string("pad: up and down pick ") + kPadGlyphs[padGlyph] +
                                           ", A types it, B erases, Start submits",
                                       kPanelColour, kScreenHalfHeight, true);
}
