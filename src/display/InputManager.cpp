#include "display/InputManager.hpp"

#include "display/DisplayManager.hpp"

#include <SFML/Window/Event.hpp>

namespace
{
std::int32_t ButtonNumber(sf::Mouse::Button button)
{
    switch (button)
    {
    case sf::Mouse::Button::Left: return 1;
    case sf::Mouse::Button::Right: return 2;
    case sf::Mouse::Button::Middle: return 3;
    case sf::Mouse::Button::Extra1: return 4;
    case sf::Mouse::Button::Extra2: return 5;
    }
    return 0;
}
} // namespace

void InputManager::StartUp()
{
    inputStarted = true;
    InputManager& input = getInstance();
    input.mousePosition = {0.0, 0.0};
    DisplayManager::getInstance().SetEventCallback([](const sf::Event& event)
                                                   { InputManager::getInstance().HandleWindowEvent(event); });
}

void InputManager::Reset()
{
    keyboardEvent = EventKeyboard();
    mouseEvent = EventMouse();
    mousePosition = {};
}

void InputManager::HandleWindowEvent(const sf::Event& event)
{
    if (!inputStarted)
        return;
    if (const auto* key = event.getIf<sf::Event::KeyPressed>())
    {
        keyboardEvent.key = static_cast<std::int32_t>(key->code);
        keyboardEvent.action = Pressed;
        keyboardEvent.Publish();
    }
    else if (const auto* released = event.getIf<sf::Event::KeyReleased>())
    {
        keyboardEvent.key = static_cast<std::int32_t>(released->code);
        keyboardEvent.action = Released;
        keyboardEvent.Publish();
    }
    else if (const auto* press = event.getIf<sf::Event::MouseButtonPressed>())
    {
        PublishMouse(Pressed, ButtonNumber(press->button), press->position);
    }
    else if (const auto* release = event.getIf<sf::Event::MouseButtonReleased>())
    {
        PublishMouse(Released, ButtonNumber(release->button), release->position);
    }
    else if (const auto* move = event.getIf<sf::Event::MouseMoved>())
    {
        PublishMouse(Moved, 0, move->position);
    }
}

void InputManager::PublishMouse(std::int32_t action, std::int32_t button, sf::Vector2i pixel)
{
    mousePosition = DisplayManager::getInstance().PixelToWorld(pixel);
    mouseEvent.action = action;
    mouseEvent.button = button;
    mouseEvent.position = mousePosition;
    mouseEvent.Publish();
}
