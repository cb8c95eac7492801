#include "game/Backlog.hpp"

#include "dialogue/DialogBox.hpp"
#include "dialogue/DialogManager.hpp"
#include "dialogue/Speaker.hpp"
#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/KeyBindings.hpp"
#include "state/KeyNames.hpp"
#include "world/WorldManager.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <algorithm>

namespace
{
using Key = sf::Keyboard::Key;

// The panel, in screen-fixed units: the lines start at its top left and step down.
constexpr double kLeft = -16.0;
constexpr double kRight = 16.0;
constexpr double kTop = 8.2;
constexpr double kBottom = -8.2;
constexpr double kFirstLine = 7.4;
// A line step at which no glyph of one line touches the next.
constexpr double kLineStep = 0.9;
constexpr std::int32_t kColumns = 96;
const sf::Color kFrameColour(150, 150, 150);
const sf::Color kTextColour(230, 230, 230);

ObjectRef<Backlog> current;

void DrawLeftAligned(WorldPoint firstCell, const std::string& text, sf::Color colour)
{
    if (!DisplayManager::started)
        return;
    CellDrawOptions options;
    options.viewHalfHeight = kScreenHalfHeight;
    DisplayManager::getInstance().DrawCells(firstCell, text, colour, options);
}

std::vector<Backlog::Line> LinesOf(const PageHistory& history)
{
    std::vector<Backlog::Line> lines;
    for (const ShownPage& page : history.Pages())
    {
        if (!lines.empty())
            lines.push_back({"", kTextColour});
        lines.push_back({std::string(SpeakerName(page.speaker)) + ":", SpeakerColour(page.speaker)});
        const std::string wrapped = WrapText(page.text, kColumns - 2);
        for (std::size_t start = 0; start < wrapped.size();)
        {
            const std::size_t end = std::min(wrapped.find('\n', start), wrapped.size());
            lines.push_back({"  " + wrapped.substr(start, end - start), kTextColour});
            start = end + 1;
        }
    }
    return lines;
}
} // namespace

Backlog::Backlog() : lines(LinesOf(DialogManager::getInstance().history))
{
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    depth = 1e9;
    type = "Backlog";
    top = std::max(0, static_cast<std::int32_t>(lines.size()) - kVisibleLines);
    InputManager::getInstance().keyboardEvent.Subscribe(this);
    InputManager::getInstance().mouseEvent.Subscribe(this);
}

bool Backlog::CanOpen()
{
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    return !IsOpen() && !data.controlsLocked && data.currentScene >= 0 && data.currentScene <= 15 &&
           data.resumeScene != SceneNumber::NoGame;
}

Backlog* Backlog::Open()
{
    if (!CanOpen())
        return nullptr;
    WorldManager::getInstance().StashWorld();
    DialogManager::getInstance().Suspend();
    auto* backlog = new Backlog();
    current = backlog;
    return backlog;
}

bool Backlog::IsOpen()
{
    return current.Live();
}

void Backlog::Close()
{
    if (!IsOpen())
        return;
    WorldManager& world = WorldManager::getInstance();
    world.MarkForDeletion(current.get());
    current = nullptr;
    world.RestoreWorld();
    DialogManager::getInstance().Unsuspend();
}

void Backlog::Scroll(std::int32_t delta)
{
    const std::int32_t last = std::max(0, static_cast<std::int32_t>(lines.size()) - kVisibleLines);
    top = std::clamp(top + delta, 0, last);
}

void Backlog::HandleEvent(Event& event)
{
    if (event.GetName() == "Keyboard")
    {
        const auto& keyboard = static_cast<const EventKeyboard&>(event);
        if (keyboard.action != InputManager::Pressed)
            return;
        switch (static_cast<Key>(keyboard.key))
        {
        case Key::Up: Scroll(-1); break;
        case Key::Down: Scroll(1); break;
        case Key::PageUp: Scroll(-kVisibleLines); break;
        case Key::PageDown: Scroll(kVisibleLines); break;
        default: break;
        }
        return;
    }
    const auto& mouse = static_cast<const EventMouse&>(event);
    if (mouse.action == InputManager::Wheeled)
    {
        Scroll(mouse.wheel > 0.f ? -3 : 3);
        return;
    }
    if (mouse.action != InputManager::Pressed || mouse.button != sf::Mouse::Button::Left)
        return;
    const double scale = DisplayManager::getInstance().ScreenUnitsPerWorldUnit();
    const double atX = mouse.position.x * scale;
    const double atY = mouse.position.y * scale;
    if (atX < kLeft || atX > kRight || atY < kBottom || atY > kTop)
        Close();
}

std::string Backlog::Closers()
{
    std::string closers;
    for (const Key key : KeyBindings::getInstance().KeysOf(Action::Backlog))
        if (!Scrolls(key))
            closers += KeyName(key) + ", ";
    return closers + "Escape or a click outside";
}

bool Backlog::Scrolls(Key key)
{
    return key == Key::Up || key == Key::Down || key == Key::PageUp || key == Key::PageDown;
}

void Backlog::Draw()
{
    const std::string rule(static_cast<std::size_t>((kRight - kLeft) / kCellWidth), '-');
    DisplayManager::DrawScreenText({0.0, 9.2}, "Backlog", sf::Color(255, 205, 56));
    DrawLeftAligned({kLeft, kTop}, rule, kFrameColour);
    DrawLeftAligned({kLeft, kBottom}, rule, kFrameColour);
    const auto count = static_cast<std::int32_t>(lines.size());
    if (count == 0)
        DrawLeftAligned({kLeft + 0.5, kFirstLine}, "Nothing has been said yet.", kTextColour);
    for (std::int32_t i = 0; i < kVisibleLines && top + i < count; ++i)
    {
        const std::int32_t shown = top + i;
        const Line& line = lines[static_cast<std::size_t>(shown)];
        DrawLeftAligned({kLeft + 0.5, kFirstLine - i * kLineStep}, line.text, line.colour);
    }
    if (top > 0)
        DisplayManager::DrawScreenText({kRight - 1.0, kTop + 0.6}, "^ older", kFrameColour);
    if (top + kVisibleLines < count)
        DisplayManager::DrawScreenText({kRight - 1.0, kBottom - 0.6}, "v newer", kFrameColour);
    DisplayManager::DrawScreenText(
        {0.0, -9.3}, "Wheel, arrows, Page Up/Down: scroll    " + Closers() + ": close", kFrameColour);
}
