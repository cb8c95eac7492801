#include "game/PlayControls.hpp"

#include "display/InputManager.hpp"
#include "game/PlayerDoors.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "world/WorldManager.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <algorithm>

namespace
{
using Key = sf::Keyboard::Key;

constexpr std::int32_t Code(Key key)
{
    return static_cast<std::int32_t>(key);
}

enum class Axis
{
    P1X,
    P1Y,
    P2X,
    P2Y
};

struct Binding
{
    Key key;
    Axis axis;
    int direction; // added on press, taken away on release
};

// clang-format off
constexpr Binding kMultiplayer[] = {
    {Key::A,     Axis::P1X, -1}, {Key::D,     Axis::P1X, +1},
    {Key::S,     Axis::P1Y, -1}, {Key::W,     Axis::P1Y, +1},
    {Key::Left,  Axis::P2X, -1}, {Key::Right, Axis::P2X, +1},
    {Key::Down,  Axis::P2Y, -1}, {Key::Up,    Axis::P2Y, +1},
};
constexpr Binding kSinglePlayer[] = {
    {Key::A,     Axis::P1X, -1}, {Key::D,     Axis::P1X, +1},
    {Key::S,     Axis::P1Y, -1}, {Key::W,     Axis::P1Y, +1},
    {Key::Left,  Axis::P1X, -1}, {Key::Right, Axis::P1X, +1},
    {Key::Down,  Axis::P1Y, -1}, {Key::Up,    Axis::P1Y, +1},
};
// clang-format on
} // namespace

void PlayControls::StartUp()
{
    InputManager::getInstance().keyboardEvent.Subscribe(&getInstance());
}

void PlayControls::Steer(std::int32_t key, int sign, bool multiplayer)
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    double* axes[] = {&data.p1MoveX, &data.p1MoveY, &data.p2MoveX, &data.p2MoveY};
    const auto apply = [&](const auto& table)
    {
        for (const Binding& binding : table)
            if (Code(binding.key) == key)
                *axes[static_cast<int>(binding.axis)] += sign * binding.direction;
    };
    if (multiplayer)
        apply(kMultiplayer);
    else
        apply(kSinglePlayer);
    for (double* axis : axes)
        *axis = std::clamp(*axis, -1.0, 1.0);
}

void PlayControls::HandleEscape()
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    if (data.currentScene == SceneNumber::SettingsMenu)
    {
        Map::getInstance().ChangeScene(SceneNumber::Resume);
        return;
    }
    data.resumeScene = data.currentScene;
    WorldManager::getInstance().StashWorld();
    Map::getInstance().ChangeScene(SceneNumber::SettingsMenu);
}

void PlayControls::HandleEvent(Event& event)
{
    if (event.GetName() != "Keyboard")
        return;
    const auto& keyboard = static_cast<const EventKeyboard&>(event);
    if (keyboard.action == InputManager::Pressed)
        Steer(keyboard.key, +1, MultiplayerOn());
    else if (keyboard.action == InputManager::Released)
        Steer(keyboard.key, -1, MultiplayerOn());

    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    if (!data.controlsLocked && data.dialogNumber == -1 && data.currentScene != SceneNumber::Loading &&
        data.resumeScene != SceneNumber::NoGame && keyboard.action == InputManager::Pressed &&
        keyboard.key == Code(Key::Escape))
        HandleEscape();
}
