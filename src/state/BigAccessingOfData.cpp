#include "state/BigAccessingOfData.hpp"

#include "display/InputManager.hpp"
#include "state/Map.hpp"
#include "state/SettingManager.hpp"
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

void BigAccessingOfData::SubscribeInput()
{
    InputManager::getInstance().keyboardEvent.Subscribe(this);
}

void BigAccessingOfData::ResetRunFlags()
{
    hasChicken = false;
    codeIntroSeen = false;
    codeSolved = false;
}

std::int64_t BigAccessingOfData::TileCellKey(std::int32_t gridX, std::int32_t gridY)
{
    const auto high = static_cast<std::uint64_t>(static_cast<std::uint32_t>(gridX)) << 32;
    return static_cast<std::int64_t>(high | static_cast<std::uint32_t>(gridY));
}

void BigAccessingOfData::Steer(std::int32_t key, int sign, bool multiplayer)
{
    const auto apply = [&](const auto& table)
    {
        for (const Binding& binding : table)
        {
            if (Code(binding.key) != key)
                continue;
            double* axes[] = {&p1MoveX, &p1MoveY, &p2MoveX, &p2MoveY};
            *axes[static_cast<int>(binding.axis)] += sign * binding.direction;
        }
    };
    if (multiplayer)
        apply(kMultiplayer);
    else
        apply(kSinglePlayer);
}

void BigAccessingOfData::HandleEscape()
{
    if (currentScene == SceneNumber::SettingsMenu)
    {
        Map::getInstance().ChangeScene(SceneNumber::Resume);
        return;
    }
    resumeScene = currentScene;
    WorldManager::getInstance().StashWorld();
    Map::getInstance().ChangeScene(SceneNumber::SettingsMenu);
}

void BigAccessingOfData::HandleEvent(Event& event)
{
    if (event.GetName() != "Keyboard")
        return;
    const auto& keyboard = static_cast<const EventKeyboard&>(event);
    const bool multiplayer = SettingManager::getInstance().Get("Multiplayer", "0") == "1";

    if (keyboard.action == InputManager::Pressed)
        Steer(keyboard.key, +1, multiplayer);
    else if (keyboard.action == InputManager::Released)
        Steer(keyboard.key, -1, multiplayer);

    if (!controlsLocked && dialogNumber == -1 && currentScene != SceneNumber::Loading &&
        resumeScene != SceneNumber::NoGame && keyboard.action == InputManager::Pressed &&
        keyboard.key == Code(Key::Escape))
        HandleEscape();

    for (double* axis : {&p1MoveX, &p1MoveY, &p2MoveX, &p2MoveY})
        *axis = std::clamp(*axis, -1.0, 1.0);
}
