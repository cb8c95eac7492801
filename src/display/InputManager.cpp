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
    joystickEvent = EventJoystick();
    mousePosition = {};
}

void InputManager::HandleWindowEvent(const sf::Event& event)
{
    if (!inputStarted || HandlePadEvent(event))
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
    else if (const auto* scroll = event.getIf<sf::Event::MouseWheelScrolled>();
             scroll && scroll->wheel == sf::Mouse::Wheel::Vertical)
    {
        mouseEvent.wheel = scroll->delta;
        PublishMouse(Wheeled, sf::Mouse::Button::Left, scroll->position);
        mouseEvent.wheel = 0.f;
    }
}

bool InputManager::HandlePadEvent(const sf::Event& event)
{
    if (const auto* press = event.getIf<sf::Event::JoystickButtonPressed>())
    {
        joystickEvent.button = press->button;
        PublishPad(Pressed, press->joystickId);
    }
    else if (const auto* release = event.getIf<sf::Event::JoystickButtonReleased>())
    {
        joystickEvent.button = release->button;
        PublishPad(Released, release->joystickId);
    }
    else if (const auto* move = event.getIf<sf::Event::JoystickMoved>())
    {
        joystickEvent.axis = move->axis;
        joystickEvent.position = move->position;
        PublishPad(Moved, move->joystickId);
    }
    else if (const auto* connected = event.getIf<sf::Event::JoystickConnected>())
        PublishPad(Connected, connected->joystickId);
    else if (const auto* gone = event.getIf<sf::Event::JoystickDisconnected>())
        PublishPad(Disconnected, gone->joystickId);
    else
        return false;
    return true;
}

void InputManager::PublishPad(std::int32_t action, std::uint32_t pad)
{
    joystickEvent.action = action;
    joystickEvent.pad = pad;
    joystickEvent.Publish();
}

void InputManager::PublishMouse(std::int32_t action, sf::Mouse::Button button, sf::Vector2i pixel)
{
    mousePosition = DisplayManager::getInstance().PixelToWorld(pixel);
    mouseEvent.action = action;
    mouseEvent.button = button;
    mouseEvent.position = mousePosition;
    mouseEvent.Publish();
}
