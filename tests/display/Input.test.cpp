#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "support/Harness.hpp"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Log = std::vector<std::string>;

namespace
{
// Writes each event as "Keyboard KEY ACTION", "Mouse BUTTON ACTION" or its bare name, and keeps
// the mouse positions.
struct Recorder : EventReceiver
{
    Log heard;
    std::vector<WorldPoint> positions;
    void HandleEvent(Event& event) override
    {
        std::string line = event.GetName();
        if (auto* key = dynamic_cast<EventKeyboard*>(&event))
            line += " " + std::to_string(key->key) + " " + std::to_string(key->action);
        else if (auto* mouse = dynamic_cast<EventMouse*>(&event))
        {
            line += " " + std::to_string(mouse->button) + " " + std::to_string(mouse->action);
            positions.push_back(mouse->position);
        }
        heard.push_back(line);
    }
};

template <typename Kind> sf::Event Key(sf::Keyboard::Key code)
{
    Kind e;
    e.code = code;
    return e;
}

template <typename Kind> sf::Event Click(sf::Mouse::Button button, sf::Vector2i at)
{
    Kind e;
    e.button = button;
    e.position = at;
    return e;
}

sf::Event Move(sf::Vector2i at)
{
    sf::Event::MouseMoved e;
    e.position = at;
    return e;
}

using Press = sf::Event::KeyPressed;
using Release = sf::Event::KeyReleased;
using Down = sf::Event::MouseButtonPressed;
using Up = sf::Event::MouseButtonReleased;

class Input : public ::testing::Test
{
protected:
    DisplayManager& display = DisplayManager::getInstance();
    InputManager& input = InputManager::getInstance();
    Recorder recorder;

    void SetUp() override
    {
        testsupport::ResetWindow(12.0);
        InputManager::StartUp();
        input.keyboardEvent.Subscribe(&recorder);
        input.mouseEvent.Subscribe(&recorder);
    }
};
} // namespace

TEST_F(Input, KeysArePublishedWithTheirCodeAndActionAndUnknownKeysAsMinusOne)
{
    using K = sf::Keyboard::Key;
    for (const sf::Event& e : {Key<Press>(K::A), Key<Press>(K::Escape), Key<Release>(K::Down),
                               Key<Press>(K::Unknown), Key<Release>(K::Unknown)})
        input.HandleWindowEvent(e);
    EXPECT_EQ(recorder.heard,
              (Log{"Keyboard 0 1", "Keyboard 36 1", "Keyboard 74 2", "Keyboard -1 1", "Keyboard -1 2"}));
    EXPECT_EQ(input.keyboardEvent.key, -1) << "the payload keeps the last values";
}

TEST_F(Input, MouseButtonsMapToOneToFiveAndAnythingElseToZero)
{
    // Left, Right, Middle, Extra1, Extra2, then one past the last SFML button.
    for (int b = 0; b <= static_cast<int>(sf::Mouse::ButtonCount); ++b)
    {
        input.HandleWindowEvent(Click<Down>(static_cast<sf::Mouse::Button>(b), {640, 360}));
        input.HandleWindowEvent(Click<Up>(static_cast<sf::Mouse::Button>(b), {640, 360}));
    }
    EXPECT_EQ(recorder.heard,
              (Log{"Mouse 1 1", "Mouse 1 2", "Mouse 2 1", "Mouse 2 2", "Mouse 3 1", "Mouse 3 2", "Mouse 4 1",
                   "Mouse 4 2", "Mouse 5 1", "Mouse 5 2", "Mouse 0 1", "Mouse 0 2"}));
}

TEST_F(Input, MovesAndClicksCarryWorldPositionsFromTheCentreOfTheDrawingArea)
{
    display.cameraPosition = {30.0, -12.0};
    input.HandleWindowEvent(Move({640 + 120, 360 - 60})); // 30 px per unit at half-height 12
    EXPECT_NEAR(input.mousePosition.x, 4.0, 1e-6);
    EXPECT_NEAR(input.mousePosition.y, 2.0, 1e-6);
    input.HandleWindowEvent(Click<Down>(sf::Mouse::Button::Left, {640, 360}));
    EXPECT_NEAR(input.mousePosition.x, 0.0, 1e-9);

    // A square window: the drawing area is 1000 x 563 with bars above and below.
    display.window.setSize({1000, 1000});
    display.ApplyLetterbox(1000, 1000);
    input.HandleWindowEvent(Click<Down>(sf::Mouse::Button::Left, {500, 500}));
    input.HandleWindowEvent(Click<Up>(sf::Mouse::Button::Right, {500, 20}));
    EXPECT_EQ(recorder.heard, (Log{"Mouse 0 3", "Mouse 1 1", "Mouse 1 1", "Mouse 2 2"}))
        << "a click in the black bar is still published";
    const std::vector<WorldPoint>& at = recorder.positions;
    EXPECT_NEAR(at[0].x, 4.0, 1e-6);
    EXPECT_NEAR(at[0].y, 2.0, 1e-6);
    EXPECT_NEAR(at[1].x, 0.0, 1e-9);
    EXPECT_NEAR(at[1].y, 0.0, 1e-9);
    EXPECT_NEAR(at[2].y, 0.0, 0.05);
    EXPECT_GT(at[3].y, 12.0);
    EXPECT_GT(input.mousePosition.y, 12.0);
}

TEST_F(Input, EventsBeforeStartUpAndOtherKindsPublishNothing)
{
    InputManager::inputStarted = false;
    input.HandleWindowEvent(Key<Press>(sf::Keyboard::Key::A));
    input.HandleWindowEvent(Click<Down>(sf::Mouse::Button::Left, {1, 1}));
    input.HandleWindowEvent(Move({100, 100}));
    EXPECT_TRUE(recorder.heard.empty());
    EXPECT_EQ(input.mousePosition.x, 0.0);

    InputManager::StartUp();
    sf::Event::MouseWheelScrolled wheel;
    wheel.delta = 1.f;
    sf::Event::TextEntered text;
    text.unicode = U'a';
    input.HandleWindowEvent(wheel);
    input.HandleWindowEvent(text);
    input.HandleWindowEvent(sf::Event::FocusGained());
    input.HandleWindowEvent(sf::Event::FocusLost());
    input.HandleWindowEvent(sf::Event::Resized{sf::Vector2u(800, 450)});
    EXPECT_TRUE(recorder.heard.empty());
}

TEST_F(Input, TheDisplayHandlesF11AndFocusLossFirstThenPassesEveryEventButCloseOn)
{
    Recorder displayEvents;
    display.fullscreenEvent.Subscribe(&displayEvents);
    display.defocusEvent.Subscribe(&displayEvents);
    display.fullscreenEvent.Subscribe(&recorder); // one list shows the order

    EXPECT_TRUE(display.HandleWindowEvent(Key<Press>(sf::Keyboard::Key::F11)));
    EXPECT_TRUE(display.fullscreen);
    EXPECT_EQ(display.window.getSize(), sf::VideoMode::getDesktopMode().size);
    EXPECT_EQ(recorder.heard, (Log{"Fullscreen", "Keyboard 95 1"}));

    display.HandleWindowEvent(Key<Release>(sf::Keyboard::Key::F11));
    EXPECT_TRUE(display.fullscreen) << "only a press toggles";
    display.HandleWindowEvent(Key<Press>(sf::Keyboard::Key::F11));
    EXPECT_FALSE(display.fullscreen);
    EXPECT_EQ(display.window.getSize(), sf::Vector2u(1280, 720));
    display.HandleWindowEvent(sf::Event::FocusLost{});
    EXPECT_EQ(displayEvents.heard, (Log{"Fullscreen", "Fullscreen", "Defocus"}));

    int passedOn = 0;
    display.SetEventCallback([&](const sf::Event&) { ++passedOn; });
    EXPECT_FALSE(display.HandleWindowEvent(sf::Event::Closed{}));
    EXPECT_FALSE(display.window.isOpen());
    EXPECT_EQ(passedOn, 0);
}
