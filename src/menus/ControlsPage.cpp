#include "menus/ControlsPage.hpp"

#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/KeyNames.hpp"
#include "state/Map.hpp"
#include "widgets/KeyboardFocus.hpp"
#include "world/GameManager.hpp"
#include "world/WorldManager.hpp"

#include <cstdio>

namespace
{
using Key = sf::Keyboard::Key;

const sf::Color kText(255, 214, 140);
const sf::Color kLit(255, 255, 255);
const sf::Color kMessage(200, 230, 255);

constexpr double kFirstRowY = 6.0;
constexpr double kRowStep = 0.95;

std::string Row(Action action)
{
    const ActionInfo& info = KeyBindings::Info(action);
    char text[128];
    std::snprintf(text, sizeof text, "%-18s %-22s %-20s", info.label,
                  KeyBindings::getInstance().Names(action).c_str(), info.padButton);
    return text;
}

// "W A S D" for a door's four walking keys, first keys only.
std::string WalkKeys(Action up, Action left, Action down, Action right)
{
    const KeyBindings& bindings = KeyBindings::getInstance();
    std::string names;
    for (Action action : {up, left, down, right})
        names += (names.empty() ? "" : " ") +
                 (bindings.KeysOf(action).empty() ? "-" : KeyName(bindings.KeysOf(action).front()));
    return names == "Up Left Down Right" ? "arrow keys" : names;
}
} // namespace

std::vector<std::string> ControlsSummary()
{
    const KeyBindings& bindings = KeyBindings::getInstance();
    const std::string first = WalkKeys(Action::WalkUp, Action::WalkLeft, Action::WalkDown, Action::WalkRight);
    const std::string second =
        WalkKeys(Action::Walk2Up, Action::Walk2Left, Action::Walk2Down, Action::Walk2Right);
    // At most 60 columns: the settings page has that much room left of its sliders.
    return {
        "------------------------- Controls -------------------------",
        "  Walk          " + first + " or " + second + "; pad stick or d-pad",
        "  Two players   first door " + first + ", second " + second,
        "  Dialogue      left mouse button, " + bindings.Names(Action::Advance) + "; pad A",
        "  Menus         mouse or arrows, Tab, Enter; Escape: back",
        "  Backlog       " + bindings.Names(Action::Backlog) + ", the mouse wheel up; pad Y",
        "  Pause         " + bindings.Names(Action::Pause) + ", pad Start; full screen " +
            bindings.Names(Action::FullScreen),
    };
}

ControlsPage::ControlsPage()
{
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    GameManager::getInstance().tickEvent.Subscribe(this);
    InputManager::getInstance().keyboardEvent.Subscribe(this);
    double rowY = kFirstRowY;
    for (const ActionInfo& info : KeyBindings::Actions())
    {
        auto* row = new BindingRow(*this, info.action, rowY);
        row->focusFirst = info.action == Action::WalkUp;
        rowY -= kRowStep;
    }
    new DefaultsButton(*this);
    new ControlsBackButton();
    message = "Choose an action to give it a new key.";
}

void ControlsPage::OnDestroy()
{
    KeyBindings::getInstance().SetCapturing(false);
}

std::optional<Action> ControlsPage::Awaited() const
{
    return awaiting;
}

void ControlsPage::Await(Action action)
{
    awaiting = action;
    armed = false;
    KeyBindings::getInstance().SetCapturing(true);
    message = std::string("Press the new key for ") + KeyBindings::Info(action).label + " (now " +
              KeyBindings::getInstance().Names(action) + "), or Escape to leave it.";
}

void ControlsPage::RestoreDefaults()
{
    awaiting.reset();
    KeyBindings& bindings = KeyBindings::getInstance();
    bindings.SetCapturing(false);
    bindings.RestoreDefaults();
    RefreshRows();
    message = "Every action has its own keys again.";
}

void ControlsPage::HandleEvent(Event& event)
{
    const std::string name = event.GetName();
    if (name == "Tick")
    {
        // A pad's button ends the wait from below: the pad cannot name a key.
        if (awaiting && !KeyBindings::getInstance().Capturing())
        {
            message = std::string(KeyBindings::Info(*awaiting).label) + " keeps its keys.";
            awaiting.reset();
        }
        armed = awaiting.has_value();
    }
    else if (name == "Keyboard")
    {
        const auto& keyboard = static_cast<const EventKeyboard&>(event);
        if (awaiting && armed && keyboard.action == InputManager::Pressed)
            TakeKey(static_cast<Key>(keyboard.key));
    }
}

void ControlsPage::TakeKey(Key key)
{
    KeyBindings& bindings = KeyBindings::getInstance();
    const Action action = *awaiting;
    const std::string label = KeyBindings::Info(action).label;
    const KeyBindings::RebindResult result = bindings.Rebind(action, key);
    switch (result.outcome)
    {
    case KeyBindings::Outcome::Bound: message = label + " is now " + KeyName(key) + "."; break;
    case KeyBindings::Outcome::Cancelled: message = label + " keeps " + bindings.Names(action) + "."; break;
    case KeyBindings::Outcome::Taken:
        // Still waiting: another key, or Escape.
        message = KeyName(key) + " already does " + KeyBindings::Info(*result.taker).label +
                  ": press another key, or Escape.";
        return;
    case KeyBindings::Outcome::Unnamed:
        message = "That key cannot be bound: press another key, or Escape.";
        return;
    }
    awaiting.reset();
    bindings.SetCapturing(false);
    RefreshRows();
}

void ControlsPage::RefreshRows()
{
    for (GameObject* object : WorldManager::getInstance().objects)
        if (auto* row = dynamic_cast<BindingRow*>(object))
            row->Refresh();
}

void ControlsPage::Draw()
{
    if (!DisplayManager::started)
        return;
    // Twice the usual size: positions are in the larger text's units.
    DisplayManager::DrawScreenText({0.0, 8.6 / 2.0}, "Controls", kText, kScreenHalfHeight / 2.0);
    char header[128];
    std::snprintf(header, sizeof header, "%-18s %-22s %-20s", "Action", "Keys", "Pad");
    DisplayManager::DrawScreenText({0.0, kFirstRowY + kRowStep}, header, kMessage);
    const double below = kFirstRowY - kRowStep * static_cast<double>(kActionCount);
    DisplayManager::DrawScreenText(
        {0.0, below - 0.3},
        "Menus: arrow keys, Tab, Enter or Space, Escape goes back; a pad's stick, A and B", kText);
    DisplayManager::DrawScreenText({0.0, below - 1.5}, message, kMessage, kScreenHalfHeight, true);
}

TextButton::TextButton(ControlsPage& owner, const std::string& text, WorldPoint at) : page(&owner)
{
    hoverFrame = 0;
    x = at.x;
    y = at.y;
    SetText(text);
}

void TextButton::SetText(const std::string& text)
{
    SetSprite(Sprite::FromText(text));
    sprite.followsCamera = false;
    sprite.colour = kText;
}

void TextButton::HandleEvent(Event& event)
{
    Button::HandleEvent(event);
    if (event.GetName() == "Tick")
        sprite.colour = Waiting() ? kMessage : lit ? kLit : kText;
}

BindingRow::BindingRow(ControlsPage& owner, Action bound, double atY)
    : TextButton(owner, Row(bound), {0.0, atY}), action(bound)
{
}

void BindingRow::Refresh()
{
    SetText(Row(action));
}

bool BindingRow::Waiting() const
{
    return page.Live() && page->Awaited() == action;
}

void BindingRow::OnClick()
{
    if (page.Live())
        page->Await(action);
}

DefaultsButton::DefaultsButton(ControlsPage& owner)
    : TextButton(owner, "[ Restore the defaults ]", {-6.0, -8.0})
{
}

void DefaultsButton::OnClick()
{
    if (page.Live())
        page->RestoreDefaults();
}

ControlsBackButton::ControlsBackButton()
{
    DressButton(*this, "sprites/BackButton.txt", {14.0, -8.0}, 1.5, 1.3, 1.2);
    goesBack = true;
}

void ControlsBackButton::OnClick()
{
    KeyboardFocus::getInstance().startOn = [](const ButtonBase* button)
    { return dynamic_cast<const ControlsButton*>(button) != nullptr; };
    Map::getInstance().ChangeScene(SceneNumber::SettingsMenu);
}

ControlsButton::ControlsButton()
{
    DressButton(*this, "sprites/ControlsButton.txt", {1.5, -8.0}, 1.5, 1.3, 1.2);
}

void ControlsButton::OnClick()
{
    Map::getInstance().ChangeScene(SceneNumber::Controls);
}
