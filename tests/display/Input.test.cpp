#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
struct Heard
{
    std::string name;
    int key = 0;
    int action = 0;
    int button = 0;
    WorldPoint position;
};

struct Recorder : EventReceiver
{
    std::vector<Heard> heard;
    void HandleEvent(Event& event) override
    {
        Heard h;
        h.name = event.GetName();
        if (auto* key = dynamic_cast<EventKeyboard*>(&event))
        {
            h.key = key->key;
            h.action = key->action;
        }
        else if (auto* mouse = dynamic_cast<EventMouse*>(&event))
        {
            h.action = mouse->action;
            h.button = mouse->button;
            h.position = mouse->position;
        }
        heard.push_back(h);
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
        if (!display.window.isOpen())
            DisplayManager::StartUp();
        display.SetFullscreen(false);
        display.window.setSize({1280, 720});
        display.ApplyLetterbox(1280, 720);
        display.cameraHalfHeight = 12.0;
        InputManager::StartUp();
        input.keyboardEvent.Subscribe(&recorder);
        input.mouseEvent.Subscribe(&recorder);
    }
};
} // namespace

TEST_F(Input, KeysArePublishedWithTheirCodeAndActionAndUnknownKeysAsMinusOne)
{
    input.HandleWindowEvent(Key<Press>(sf::Keyboard::Key::A));
    input.HandleWindowEvent(Key<Press>(sf::Keyboard::Key::Escape));
    input.HandleWindowEvent(Key<Release>(sf::Keyboard::Key::Down));
    input.HandleWindowEvent(Key<Press>(sf::Keyboard::Key::Unknown));
    input.HandleWindowEvent(Key<Release>(sf::Keyboard::Key::Unknown));
    ASSERT_EQ(recorder.heard.size(), 5u);
    const int keys[] = {0, 36, 74, -1, -1};
    const int actions[] = {1, 1, 2, 1, 2};
    for (std::size_t i = 0; i < 5; ++i)
    {
        EXPECT_EQ(recorder.heard[i].name, "Keyboard");
        EXPECT_EQ(recorder.heard[i].key, keys[i]) << i;
        EXPECT_EQ(recorder.heard[i].action, actions[i]) << i;
    }
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
    ASSERT_EQ(recorder.heard.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i)
    {
        const int expectedButton = i / 2 < 5 ? int(i / 2) + 1 : 0;
        EXPECT_EQ(recorder.heard[i].name, "Mouse");
        EXPECT_EQ(recorder.heard[i].button, expectedButton) << i;
        EXPECT_EQ(recorder.heard[i].action, i % 2 == 0 ? 1 : 2) << i;
    }
}

TEST_F(Input, MovesAndClicksCarryWorldPositionsFromTheCentreOfTheDrawingArea)
{
    display.cameraPosition = {30.0, -12.0};
    input.HandleWindowEvent(Move({640 + 120, 360 - 60})); // 30 px per unit at half-height 12
    ASSERT_EQ(recorder.heard.size(), 1u);
    EXPECT_EQ(recorder.heard[0].action, 3);
    EXPECT_EQ(recorder.heard[0].button, 0);
    EXPECT_NEAR(recorder.heard[0].position.x, 4.0, 1e-6);
    EXPECT_NEAR(recorder.heard[0].position.y, 2.0, 1e-6);
    EXPECT_NEAR(input.mousePosition.x, 4.0, 1e-6);
    EXPECT_NEAR(input.mousePosition.y, 2.0, 1e-6);

    input.HandleWindowEvent(Click<Down>(sf::Mouse::Button::Left, {640, 360}));
    EXPECT_NEAR(recorder.heard.back().position.x, 0.0, 1e-9);
    EXPECT_NEAR(recorder.heard.back().position.y, 0.0, 1e-9);
    EXPECT_NEAR(input.mousePosition.x, 0.0, 1e-9);

    // A square window: the drawing area is 1000 x 563 with bars above and below.
    display.window.setSize({1000, 1000});
    display.ApplyLetterbox(1000, 1000);
    input.HandleWindowEvent(Click<Down>(sf::Mouse::Button::Left, {500, 500}));
    EXPECT_NEAR(recorder.heard.back().position.y, 0.0, 0.05);
    input.HandleWindowEvent(Click<Up>(sf::Mouse::Button::Right, {500, 20}));
    ASSERT_EQ(recorder.heard.size(), 4u) << "a click in the black bar is still published";
    EXPECT_GT(recorder.heard.back().position.y, 12.0);
    EXPECT_EQ(recorder.heard.back().button, 2);
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
    ASSERT_EQ(recorder.heard.size(), 2u);
    EXPECT_EQ(recorder.heard[0].name, "Fullscreen");
    EXPECT_EQ(recorder.heard[1].name, "Keyboard");
    EXPECT_EQ(recorder.heard[1].key, 95);
    EXPECT_EQ(recorder.heard[1].action, 1);

    display.HandleWindowEvent(Key<Release>(sf::Keyboard::Key::F11));
    EXPECT_TRUE(display.fullscreen) << "only a press toggles";
    display.HandleWindowEvent(Key<Press>(sf::Keyboard::Key::F11));
    EXPECT_FALSE(display.fullscreen);
    EXPECT_EQ(display.window.getSize(), sf::Vector2u(1280, 720));

    display.HandleWindowEvent(sf::Event::FocusLost{});
    ASSERT_EQ(displayEvents.heard.size(), 3u);
    EXPECT_EQ(displayEvents.heard[2].name, "Defocus");

    recorder.heard.clear();
    int passedOn = 0;
    display.SetEventCallback([&](const sf::Event&) { ++passedOn; });
    EXPECT_FALSE(display.HandleWindowEvent(sf::Event::Closed{}));
    EXPECT_FALSE(display.window.isOpen());
    EXPECT_EQ(passedOn, 0);
}
