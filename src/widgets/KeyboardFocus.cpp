#include "widgets/KeyboardFocus.hpp"

#include "dialogue/DialogManager.hpp"
#include "display/InputManager.hpp"
#include "state/KeyBindings.hpp"
#include "widgets/MouseFollower.hpp"
#include "widgets/Slider.hpp"
#include "world/GameManager.hpp"
#include "world/WorldManager.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
using Key = sf::Keyboard::Key;

// Buttons whose centres lie this close in height share a row of the reading order.
constexpr double kRowTolerance = 0.5;
// A button must lie at least this far in a direction to be "that way".
constexpr double kMinimumStep = 0.3;
// Straying sideways counts twice as much as distance ahead when finding the nearest button.
constexpr double kSidewaysWeight = 2.0;

WorldPoint Centre(const ButtonBase& button)
{
    return {button.x + button.boxOffsetX, button.y + button.boxOffsetY};
}

bool ReadsBefore(const ButtonBase* a, const ButtonBase* b)
{
    const WorldPoint pa = Centre(*a);
    const WorldPoint pb = Centre(*b);
    if (std::abs(pa.y - pb.y) > kRowTolerance)
        return pa.y > pb.y;
    return pa.x < pb.x;
}

bool IsKey(std::int32_t code, Key key)
{
    return code == static_cast<std::int32_t>(key);
}
} // namespace

void KeyboardFocus::StartUp()
{
    InputManager::getInstance().keyboardEvent.Subscribe(&getInstance());
    GameManager::getInstance().tickEvent.Subscribe(&getInstance());
}

void KeyboardFocus::Reset()
{
    showing = true;
    showingThisFrame = false;
    litThisFrame = nullptr;
    focused = nullptr;
    shiftHeld = false;
    doorCanWalk = nullptr;
    startOn = nullptr;
}

std::vector<ButtonBase*> KeyboardFocus::Buttons() const
{
    std::vector<ButtonBase*> buttons;
    for (GameObject* object : WorldManager::getInstance().objects)
    {
        auto* button = dynamic_cast<ButtonBase*>(object);
        if (button != nullptr && button->focusable && !button->markedForDeletion)
            buttons.push_back(button);
    }
    std::stable_sort(buttons.begin(), buttons.end(), ReadsBefore);
    return buttons;
}

std::vector<ButtonBase*> KeyboardFocus::Candidates() const
{
    if (doorCanWalk && doorCanWalk())
        return {};
    const auto& objects = WorldManager::getInstance().objects;
    const bool pointer =
        std::any_of(objects.begin(), objects.end(),
                    [](GameObject* object)
                    { return !object->markedForDeletion && dynamic_cast<MouseFollower*>(object); });
    return pointer ? Buttons() : std::vector<ButtonBase*>{};
}

bool KeyboardFocus::Available() const
{
    return !Candidates().empty();
}

bool KeyboardFocus::Showing() const
{
    return showing && Current() != nullptr;
}

ButtonBase* KeyboardFocus::Current() const
{
    const std::vector<ButtonBase*> buttons = Candidates();
    if (buttons.empty())
        return nullptr;
    if (focused.Live() && std::find(buttons.begin(), buttons.end(), focused.get()) != buttons.end())
        return focused.get();
    auto first = startOn ? std::find_if(buttons.begin(), buttons.end(), startOn) : buttons.end();
    startOn = nullptr;
    if (first == buttons.end())
        first = std::find_if(buttons.begin(), buttons.end(), [](ButtonBase* b) { return b->focusFirst; });
    focused = first != buttons.end() ? *first : buttons.front();
    return focused.get();
}

bool KeyboardFocus::Take()
{
    if (Current() == nullptr)
        return false;
    showing = true;
    return true;
}

void KeyboardFocus::HandToPointer()
{
    showing = false;
}

bool KeyboardFocus::Move(Direction direction)
{
    if (!showing || Current() == nullptr)
        return Take();
    const WorldPoint from = Centre(*Current());
    ButtonBase* best = nullptr;
    double bestScore = std::numeric_limits<double>::max();
    for (ButtonBase* button : Buttons())
    {
        const WorldPoint to = Centre(*button);
        const double dx = to.x - from.x;
        const double dy = to.y - from.y;
        const bool vertical = direction == Direction::Up || direction == Direction::Down;
        const double sign = direction == Direction::Up || direction == Direction::Right ? 1.0 : -1.0;
        const double ahead = sign * (vertical ? dy : dx);
        const double sideways = std::abs(vertical ? dx : dy);
        if (ahead < kMinimumStep)
            continue;
        const double score = ahead + kSidewaysWeight * sideways;
        if (score < bestScore)
        {
            bestScore = score;
            best = button;
        }
    }
    if (best != nullptr)
        focused = best;
    return true;
}

bool KeyboardFocus::Cycle(std::int32_t direction)
{
    if (!showing || Current() == nullptr)
        return Take();
    const std::vector<ButtonBase*> buttons = Buttons();
    const auto count = static_cast<std::int32_t>(buttons.size());
    const auto at =
        static_cast<std::int32_t>(std::find(buttons.begin(), buttons.end(), Current()) - buttons.begin());
    focused = buttons[static_cast<std::size_t>(((at + direction) % count + count) % count)];
    return true;
}

bool KeyboardFocus::Activate()
{
    if (!showing || Current() == nullptr)
        return Take();
    ButtonBase* button = Current();
    // A slider is set with Left and Right; pressing it would drag it to the pointer.
    if (dynamic_cast<Slider*>(button) == nullptr)
        PressButton(*button);
    return true;
}

bool KeyboardFocus::Step(std::int32_t direction)
{
    auto* slider = showing ? dynamic_cast<Slider*>(Current()) : nullptr;
    if (slider == nullptr)
        return false;
    slider->StepBy(direction);
    return true;
}

bool KeyboardFocus::PressBack()
{
    for (ButtonBase* button : Candidates())
        if (button->goesBack)
            return PressButton(*button);
    return false;
}

void KeyboardFocus::HandleEvent(Event& event)
{
    if (event.GetName() == "Tick")
    {
        // Once a frame: every button asks, and finding them means going through the world.
        litThisFrame = showing ? Current() : nullptr;
        showingThisFrame = litThisFrame.get() != nullptr;
        return;
    }
    if (event.GetName() != "Keyboard")
        return;
    const auto& keyboard = static_cast<const EventKeyboard&>(event);
    if (IsKey(keyboard.key, Key::LShift) || IsKey(keyboard.key, Key::RShift))
        shiftHeld = keyboard.action == InputManager::Pressed;
    else if (keyboard.action == InputManager::Pressed && !KeyBindings::getInstance().Capturing())
        HandleKey(keyboard.key, shiftHeld);
}

void KeyboardFocus::HandleKey(std::int32_t key, bool shift)
{
    const bool horizontal = IsKey(key, Key::Left) || IsKey(key, Key::Right);
    const std::int32_t sign = IsKey(key, Key::Left) ? -1 : 1;
    if (horizontal && Step(sign))
        return;
    if (IsKey(key, Key::Up))
        Move(Direction::Up);
    else if (IsKey(key, Key::Down))
        Move(Direction::Down);
    else if (horizontal)
        Move(sign < 0 ? Direction::Left : Direction::Right);
    else if (IsKey(key, Key::Tab))
        Cycle(shift ? -1 : 1);
    else if (IsKey(key, Key::Enter) || IsKey(key, Key::Space) ||
             KeyBindings::getInstance().Is(Action::Advance, key))
    {
        // The dialogue takes these first: a press that turned its page is not a button's.
        if (!DialogManager::getInstance().pressTaken)
            Activate();
    }
}
