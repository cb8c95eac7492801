#include "game/PlayControls.hpp"

#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "game/Backlog.hpp"
#include "game/PlayerDoors.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/KeyBindings.hpp"
#include "state/Map.hpp"
#include "widgets/KeyboardFocus.hpp"
#include "world/WorldManager.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <algorithm>
#include <cmath>

namespace
{
using Key = sf::Keyboard::Key;

struct Walk
{
    Action action;
    bool vertical;
    double direction;
};

// clang-format off
constexpr Walk kFirstDoor[] = {
    {Action::WalkUp,    true,  +1}, {Action::WalkDown,  true,  -1},
    {Action::WalkLeft,  false, -1}, {Action::WalkRight, false, +1},
};
constexpr Walk kSecondDoor[] = {
    {Action::Walk2Up,   true,  +1}, {Action::Walk2Down,  true,  -1},
    {Action::Walk2Left, false, -1}, {Action::Walk2Right, false, +1},
};
// clang-format on

struct Axes
{
    double x = 0.0;
    double y = 0.0;
};

// A stick leaning past the dead zone, or a d-pad, counts fully: the doors walk at one speed.
double Lean(float position)
{
    if (std::abs(position) < PlayControls::kDeadZone)
        return 0.0;
    return position > 0.f ? 1.0 : -1.0;
}

bool IsKey(std::int32_t code, Key key)
{
    return code == static_cast<std::int32_t>(key);
}

bool PlayerDoorWalks()
{
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    if (data.controlsLocked || DialogManager::getInstance().active)
        return false;
    const auto& objects = WorldManager::getInstance().objects;
    return std::any_of(objects.begin(), objects.end(),
                       [](GameObject* object)
                       { return !object->markedForDeletion && object->type == "Player"; });
}

bool OnPausePage()
{
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    return data.currentScene == SceneNumber::SettingsMenu &&
           data.resumeScene > SceneNumber::RealSceneThreshold;
}
} // namespace

void PlayControls::StartUp()
{
    PlayControls& controls = getInstance();
    InputManager& input = InputManager::getInstance();
    input.keyboardEvent.Subscribe(&controls);
    input.mouseEvent.Subscribe(&controls);
    input.joystickEvent.Subscribe(&controls);
    DisplayManager::getInstance().defocusEvent.Subscribe(&controls);
    KeyboardFocus::getInstance().doorCanWalk = PlayerDoorWalks;
}

void PlayControls::Reset()
{
    held.clear();
    pads.clear();
}

std::vector<std::int64_t> PlayControls::PadOrder() const
{
    std::vector<std::int64_t> order;
    for (const Pad& pad : pads)
    {
        if (order.size() <= pad.place)
            order.resize(pad.place + 1, -1);
        order[pad.place] = pad.id;
    }
    return order;
}

void PlayControls::HandleEvent(Event& event)
{
    const std::string name = event.GetName();
    if (name == "Mouse")
    {
        const auto& mouse = static_cast<const EventMouse&>(event);
        if (mouse.action == InputManager::Wheeled && mouse.wheel > 0.f && !Backlog::IsOpen())
            Backlog::Open();
    }
    else if (name == "Keyboard")
    {
        const auto& keyboard = static_cast<const EventKeyboard&>(event);
        HandleKey(keyboard.key, keyboard.action);
    }
    else if (name == "Joystick")
        HandlePad(static_cast<const EventJoystick&>(event));
    else if (name == "Defocus")
    {
        // Keys let go while another window had the focus never arrive.
        held.clear();
        UpdateAxes();
    }
}

void PlayControls::HandleKey(std::int32_t key, std::int32_t action)
{
    // Keys let go always count, so nothing keeps walking that is no longer held.
    if (action == InputManager::Pressed)
        held.insert(key);
    else if (action == InputManager::Released)
        held.erase(key);
    UpdateAxes();
    if (action == InputManager::Pressed && !KeyBindings::getInstance().Capturing())
        HandlePressedKey(key);
}

void PlayControls::HandlePressedKey(std::int32_t key)
{
    const KeyBindings& bindings = KeyBindings::getInstance();
    if (Backlog::IsOpen())
    {
        // The backlog takes every other key for itself; it scrolls with the arrows and pages.
        const bool scrolls = Backlog::Scrolls(static_cast<Key>(key));
        if ((bindings.Is(Action::Backlog, key) && !scrolls) || IsKey(key, Key::Escape))
            Backlog::Close();
        return;
    }
    if (bindings.Is(Action::Backlog, key) && Backlog::Open() != nullptr)
        return;
    if (bindings.Is(Action::Pause, key) && TogglePause())
        return;
    if (IsKey(key, Key::Escape))
        Back();
}

bool PlayControls::TogglePause()
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    if (data.controlsLocked || data.dialogNumber != -1 || data.currentScene == SceneNumber::Loading ||
        data.resumeScene == SceneNumber::NoGame)
        return false;
    if (data.currentScene == SceneNumber::SettingsMenu)
    {
        Map::getInstance().ChangeScene(SceneNumber::Resume);
        return true;
    }
    // Pages reached from the pause page (the controls) go back to it first.
    if (data.currentScene < 0)
        return false;
    data.resumeScene = data.currentScene;
    WorldManager::getInstance().StashWorld();
    Map::getInstance().ChangeScene(SceneNumber::SettingsMenu);
    return true;
}

void PlayControls::Back()
{
    if (Backlog::IsOpen())
        Backlog::Close();
    else if (OnPausePage())
        TogglePause();
    else
        KeyboardFocus::getInstance().PressBack();
}

void PlayControls::ToggleBacklog()
{
    if (Backlog::IsOpen())
        Backlog::Close();
    else
        Backlog::Open();
}

PlayControls::Pad& PlayControls::PadOf(std::uint32_t id)
{
    const auto found = std::find_if(pads.begin(), pads.end(), [id](const Pad& pad) { return pad.id == id; });
    if (found != pads.end())
        return *found;
    std::size_t place = 0;
    while (std::any_of(pads.begin(), pads.end(), [place](const Pad& pad) { return pad.place == place; }))
        ++place;
    pads.push_back(Pad{id, place});
    return pads.back();
}

void PlayControls::HandlePad(const EventJoystick& event)
{
    if (event.action == InputManager::Disconnected)
    {
        pads.erase(
            std::remove_if(pads.begin(), pads.end(), [&](const Pad& pad) { return pad.id == event.pad; }),
            pads.end());
        UpdateAxes();
        return;
    }
    Pad& pad = PadOf(event.pad);
    if (event.action == InputManager::Moved)
    {
        using Axis = sf::Joystick::Axis;
        if (event.axis == Axis::X)
            pad.stickX = event.position;
        else if (event.axis == Axis::Y)
            pad.stickY = event.position;
        else if (event.axis == Axis::PovX)
            pad.dpadX = event.position;
        else if (event.axis == Axis::PovY)
            pad.dpadY = event.position;
        UpdateAxes();
        PointInMenu(pad);
    }
    else if (event.action == InputManager::Pressed && KeyBindings::getInstance().Capturing())
        // A pad names no key: any of its buttons ends the Controls page's wait for one.
        KeyBindings::getInstance().SetCapturing(false);
    else if (event.action == InputManager::Pressed)
        HandlePadButton(event.button);
}

void PlayControls::HandlePadButton(std::uint32_t button)
{
    switch (button)
    {
    case PadButton::South:
        if (Backlog::IsOpen())
            Backlog::Close();
        else if (!DialogManager::getInstance().Press(true))
            KeyboardFocus::getInstance().Activate();
        break;
    case PadButton::East: Back(); break;
    case PadButton::North: ToggleBacklog(); break;
    case PadButton::Start:
        if (Backlog::IsOpen())
            Backlog::Close();
        else
            TogglePause();
        break;
    default: break;
    }
}

void PlayControls::PointInMenu(Pad& pad)
{
    const double x = Lean(pad.stickX) + Lean(pad.dpadX);
    const double y = Lean(pad.stickY) + Lean(pad.dpadY);
    using Direction = KeyboardFocus::Direction;
    std::int32_t pointing = -1;
    if (x != 0.0 || y != 0.0)
    {
        const bool horizontal = std::abs(x) > std::abs(y);
        pointing = static_cast<std::int32_t>(horizontal ? (x < 0 ? Direction::Left : Direction::Right)
                                                        : (y < 0 ? Direction::Up : Direction::Down));
    }
    // One push moves the focus once; the stick must come back before it moves again.
    if (pointing == pad.pointing)
        return;
    pad.pointing = pointing;
    KeyboardFocus& focus = KeyboardFocus::getInstance();
    if (pointing == -1 || !focus.Available())
        return;
    const auto direction = static_cast<Direction>(pointing);
    const bool horizontal = direction == Direction::Left || direction == Direction::Right;
    if (!(horizontal && focus.Step(direction == Direction::Left ? -1 : 1)))
        focus.Move(direction);
}

void PlayControls::UpdateAxes()
{
    const KeyBindings& bindings = KeyBindings::getInstance();
    const bool twoDoors = MultiplayerOn();
    const auto keysOf = [&](const Walk(&table)[4], Axes& axes)
    {
        for (const Walk& walk : table)
            for (Key key : bindings.KeysOf(walk.action))
                if (held.count(static_cast<std::int32_t>(key)) != 0)
                    (walk.vertical ? axes.y : axes.x) += walk.direction;
    };
    Axes first;
    Axes second;
    keysOf(kFirstDoor, first);
    keysOf(kSecondDoor, twoDoors ? second : first);
    for (const Pad& pad : pads)
    {
        // With two doors a third pad has none to drive; with one, every pad drives it.
        if (twoDoors && pad.place > 1)
            continue;
        Axes& axes = twoDoors && pad.place == 1 ? second : first;
        axes.x += Lean(pad.stickX) + Lean(pad.dpadX);
        // A pad's y grows downwards; the doors' grows upwards.
        axes.y -= Lean(pad.stickY) + Lean(pad.dpadY);
    }
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    data.p1MoveX = std::clamp(first.x, -1.0, 1.0);
    data.p1MoveY = std::clamp(first.y, -1.0, 1.0);
    data.p2MoveX = std::clamp(second.x, -1.0, 1.0);
    data.p2MoveY = std::clamp(second.y, -1.0, 1.0);
}
