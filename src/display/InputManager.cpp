#include "display/InputManager.hpp"

#include "display/DisplayManager.hpp"

#include <SFML/Window/Event.hpp>

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
        PublishMouse(Pressed, press->button, press->position);
    }
    else if (const auto* release = event.getIf<sf::Event::MouseButtonReleased>())
    {
        PublishMouse(Released, release->button, release->position);
    }
    else if (const auto* move = event.getIf<sf::Event::MouseMoved>())
    {
        PublishMouse(Moved, sf::Mouse::Button::Left, move->position);
    }
}

void InputManager::PublishMouse(std::int32_t action, sf::Mouse::Button button, sf::Vector2i pixel)
{
    mousePosition = DisplayManager::getInstance().PixelToWorld(pixel);
    mouseEvent.action = action;
    mouseEvent.button = button;
    mouseEvent.position = mousePosition;
    mouseEvent.Publish();
}
