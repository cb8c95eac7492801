#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "support/Harness.hpp"

#include <SFML/Window/Event.hpp>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Log = std::vector<std::string>;
using K = sf::Keyboard::Key;
using B = sf::Mouse::Button;
using Press = sf::Event::KeyPressed;
using Down = sf::Event::MouseButtonPressed;

namespace
{
// Writes each event as "Keyboard KEY ACTION", "Mouse BUTTON ACTION at X,Y", "Mouse moved to X,Y" or
// its bare name.
struct Recorder : EventReceiver
{
    Log heard;
    void HandleEvent(Event& event) override
    {
        char line[64];
        if (auto* key = dynamic_cast<EventKeyboard*>(&event))
            std::snprintf(line, sizeof line, "Keyboard %d %d", key->key, key->action);
        else if (auto* pad = dynamic_cast<EventJoystick*>(&event))
            std::snprintf(line, sizeof line, "Pad %u %d button %u axis %d at %.0f", pad->pad, pad->action,
                          pad->button, static_cast<int>(pad->axis), pad->position);
        else if (auto* mouse = dynamic_cast<EventMouse*>(&event);
                 mouse && mouse->action == InputManager::Moved)
            std::snprintf(line, sizeof line, "Mouse moved to %.1f,%.1f", mouse->position.x,
                          mouse->position.y);
        else if (mouse && mouse->action == InputManager::Wheeled)
            std::snprintf(line, sizeof line, "Mouse wheel %.1f at %.1f,%.1f", mouse->wheel, mouse->position.x,
                          mouse->position.y);
        else if (mouse)
            std::snprintf(line, sizeof line, "Mouse %d %d at %.1f,%.1f", static_cast<int>(mouse->button),
                          mouse->action, mouse->position.x, mouse->position.y);
        else
            std::snprintf(line, sizeof line, "%s", event.GetName().c_str());
        heard.emplace_back(line);
    }
};
} // namespace

TEST(Input, KeysAndButtonsArePublishedWithTheirCodesActionsAndScreenPositionsAndNothingElseIs)
{
    testsupport::ResetWindow(12.0);                               // 30 px per unit
    DisplayManager::getInstance().cameraPosition = {30.0, -12.0}; // not part of the position
    InputManager& input = InputManager::getInstance();
    Recorder recorder;
    input.keyboardEvent.Subscribe(&recorder);
    input.mouseEvent.Subscribe(&recorder);
    input.joystickEvent.Subscribe(&recorder);
    // clang-format off
    const sf::Event events[] = {
        Press{K::A}, Press{K::Escape}, sf::Event::KeyReleased{K::Down}, Press{K::Unknown},
        Down{B::Left, {760, 300}}, sf::Event::MouseButtonReleased{B::Right, {640, 360}}, Down{B::Middle, {}},
        Down{B::Extra1, {}}, Down{B::Extra2, {}}, Down{static_cast<B>(sf::Mouse::ButtonCount), {}},
        sf::Event::MouseWheelScrolled{sf::Mouse::Wheel::Vertical, 1.5f, {640, 360}},
        sf::Event::MouseWheelScrolled{sf::Mouse::Wheel::Horizontal, 1.f, {}}, sf::Event::MouseMoved{{580, 390}},
        sf::Event::JoystickConnected{1}, sf::Event::JoystickButtonPressed{1, 0}, sf::Event::JoystickButtonReleased{1, 7},
        sf::Event::JoystickMoved{1, sf::Joystick::Axis::PovY, -100.f}, sf::Event::JoystickDisconnected{1},
        sf::Event::TextEntered{U'a'},
        sf::Event::FocusGained{}, sf::Event::Resized{{1280, 720}}};
    // clang-format on
    InputManager::inputStarted = false;
    input.HandleWindowEvent(events[0]);
    EXPECT_TRUE(recorder.heard.empty()) << "nothing before start-up";
    InputManager::StartUp();
    for (const sf::Event& event : events)
        input.HandleWindowEvent(event);
    EXPECT_EQ(recorder.heard,
              (Log{"Keyboard 0 1", "Keyboard 36 1", "Keyboard 74 2", "Keyboard -1 1", "Mouse 0 1 at 4.0,2.0",
                   "Mouse 1 2 at 0.0,0.0", "Mouse 2 1 at -21.3,12.0", "Mouse 3 1 at -21.3,12.0",
                   "Mouse 4 1 at -21.3,12.0", "Mouse 5 1 at -21.3,12.0", "Mouse wheel 1.5 at 0.0,0.0",
                   "Mouse moved to -2.0,-1.0", "Pad 1 5 button 0 axis 0 at 0", "Pad 1 1 button 0 axis 0 at 0",
                   "Pad 1 2 button 7 axis 0 at 0", "Pad 1 3 button 7 axis 7 at -100",
                   "Pad 1 6 button 7 axis 7 at -100"}));
    EXPECT_NEAR(input.mousePosition.y, -1.0, 1e-6);
}
