#include "display/DisplayManager.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <SFML/Window/WindowEnums.hpp>
#include <algorithm>
#include <cmath>
#include <locale>
#include <stdexcept>

namespace
{
constexpr double kAspect = 16.0 / 9.0;

std::uint32_t Round(double v)
{
    return static_cast<std::uint32_t>(std::llround(v));
}
} // namespace

void DisplayManager::StartUp()
{
    DisplayManager& display = getInstance();
    started = true;
    display.CreateWindow({display.windowWidth, display.windowHeight}, false);
    if (!display.window.isOpen())
        throw std::runtime_error("DisplayManager: failed to create SFML window!");
    display.SetIcon();
    display.cells.backgroundColour = display.clearColour;
    display.cells.Start(display.fontPath, display.window);
    display.ApplyLetterbox(display.windowWidth, display.windowHeight);
}

void DisplayManager::Reset()
{
    cameraPosition = {};
    cameraHalfHeight = kScreenHalfHeight;
    fullscreenKeys = {sf::Keyboard::Key::F11};
    defocusEvent = EventDefocus();
    fullscreenEvent = FullscreenChangeEvent();
}

void DisplayManager::CreateWindow(sf::Vector2u size, bool borderless)
{
    const auto style =
        borderless ? sf::Style::None : sf::Style::Titlebar | sf::Style::Resize | sf::Style::Close;
    window.create(sf::VideoMode(size, 32), sf::String(title, std::locale()), style, sf::State::Windowed);
}

void DisplayManager::SetIcon()
{
    sf::Image icon;
    if (icon.loadFromFile("cool_image.png"))
        window.setIcon(icon.getSize(), icon.getPixelsPtr());
}

void DisplayManager::SetEventCallback(std::function<void(const sf::Event&)> callback)
{
    eventCallback = std::move(callback);
}

void DisplayManager::DrawCells(WorldPoint position, const std::string& text, sf::Color colour,
                               const CellDrawOptions& o)
{
    cells.DrawCells(position, text, colour, o, o.viewHalfHeight > 0.0 ? o.viewHalfHeight : cameraHalfHeight);
}

void DisplayManager::DrawScreenText(WorldPoint position, const std::string& text, sf::Color colour,
                                    double viewHalfHeight, bool background, double textScale)
{
    CellDrawOptions options;
    options.background = background;
    options.textScale = textScale;
    options.viewHalfHeight = viewHalfHeight;
    DrawScreenBlock(position, text, colour, options);
}

void DisplayManager::DrawScreenProse(WorldPoint position, const std::string& text, sf::Color colour,
                                     double viewHalfHeight, bool background)
{
    CellDrawOptions options;
    options.lineStep = kProseLineStep;
    options.background = background;
    options.viewHalfHeight = viewHalfHeight;
    DrawScreenBlock(position, text, colour, options);
}

void DisplayManager::DrawScreenBlock(WorldPoint position, const std::string& text, sf::Color colour,
                                     CellDrawOptions options)
{
    if (!started)
        return;
    options.centred = true;
    getInstance().DrawCells(position, text, colour, options);
}

void DisplayManager::BeginFrame()
{
    window.clear(clearColour);
}

void DisplayManager::Present()
{
    cells.Flush();
    window.display();
}

void DisplayManager::ApplyLetterbox(std::uint32_t width, std::uint32_t height)
{
    std::uint32_t w = width;
    std::uint32_t h = Round(width / kAspect);
    if (h > height)
    {
        h = height;
        w = Round(height * kAspect);
    }
    letterboxWidth = w;
    letterboxHeight = h;
    cells.SetArea(w, h, windowHeight);
    if (width == 0 || height == 0)
        return;
    sf::View view(sf::FloatRect({0.f, 0.f}, {static_cast<float>(w), static_cast<float>(h)}));
    const float fw = static_cast<float>(w) / static_cast<float>(width);
    const float fh = static_cast<float>(h) / static_cast<float>(height);
    view.setViewport(sf::FloatRect({(1.f - fw) / 2.f, (1.f - fh) / 2.f}, {fw, fh}));
    window.setView(view);
}

double DisplayManager::PixelsPerUnit(double viewHalfHeight) const
{
    return viewHalfHeight > 0.0 ? letterboxHeight / (2.0 * viewHalfHeight) : 0.0;
}

double DisplayManager::ScreenUnitsPerWorldUnit() const
{
    return cameraHalfHeight > 0.0 ? kScreenHalfHeight / cameraHalfHeight : 1.0;
}

WorldPoint DisplayManager::PixelToWorld(sf::Vector2i pixel) const
{
    const sf::Vector2f c = window.mapPixelToCoords(pixel);
    const double u = PixelsPerUnit(cameraHalfHeight);
    if (u <= 0.0)
        return {0.0, 0.0};
    return {(c.x - letterboxWidth * 0.5) / u, (letterboxHeight * 0.5 - c.y) / u};
}

bool DisplayManager::PollWindowEvents()
{
    while (const std::optional<sf::Event> event = window.pollEvent())
    {
        if (!HandleWindowEvent(*event))
            return false;
    }
    return window.isOpen();
}

bool DisplayManager::HandleWindowEvent(const sf::Event& event)
{
    if (event.is<sf::Event::Closed>())
    {
        window.close();
        return false;
    }
    if (event.is<sf::Event::FocusLost>())
        defocusEvent.Publish();
    if (const auto* key = event.getIf<sf::Event::KeyPressed>();
        key && std::find(fullscreenKeys.begin(), fullscreenKeys.end(), key->code) != fullscreenKeys.end())
    {
        SetFullscreen(!fullscreen);
        fullscreenEvent.Publish();
    }
    if (const auto* resized = event.getIf<sf::Event::Resized>();
        resized && resized->size.x && resized->size.y)
        HandleResize(resized->size);
    if (eventCallback)
        eventCallback(event);
    return true;
}

void DisplayManager::HandleResize(sf::Vector2u size)
{
    const sf::Vector2u desktop = sf::VideoMode::getDesktopMode().size;
    std::uint32_t w = size.x;
    std::uint32_t h = size.y;
    if (w < desktop.x && h < desktop.y)
    {
        const auto movedX = std::abs(static_cast<long long>(w) - letterboxWidth);
        const auto movedY = std::abs(static_cast<long long>(h) - letterboxHeight);
        // Keep 16:9 by correcting the dimension the user moved less.
        if (movedX < movedY)
            w = Round(h * kAspect);
        else
            h = Round(w / kAspect);
        if (w != size.x || h != size.y)
            window.setSize({w, h});
    }
    ApplyLetterbox(w, h);
}

void DisplayManager::SetFullscreen(bool on)
{
    if (on == fullscreen || !window.isOpen())
        return;
    const sf::Vector2u desktop = sf::VideoMode::getDesktopMode().size;
    sf::Vector2i position{0, 0};
    if (on)
    {
        savedWindowSize = window.getSize();
        savedWindowPosition = window.getPosition();
        CreateWindow(desktop, true);
    }
    else
    {
        sf::Vector2u size = savedWindowSize;
        if (size.x == 0 || size.y == 0 || size.x >= desktop.x || size.y >= desktop.y)
            size = {windowWidth, windowHeight};
        CreateWindow(size, false);
        position = savedWindowPosition;
    }
    window.setPosition(position);
    fullscreen = on;
    SetIcon();
    ApplyLetterbox(window.getSize().x, window.getSize().y);
    window.requestFocus();
}
