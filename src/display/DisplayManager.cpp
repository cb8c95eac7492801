#include "display/DisplayManager.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <algorithm>
#include <cmath>
#include <locale>
#include <stdexcept>

namespace
{
constexpr double kAspect = 1.7777777777777777;
constexpr std::uint32_t kWindowedStyle = 7; // titlebar, resize, close
constexpr std::uint32_t kBorderlessStyle = 0;

std::uint32_t Round(double v)
{
    return static_cast<std::uint32_t>(std::llround(v));
}
} // namespace

void DisplayManager::StartUp()
{
    DisplayManager& display = getInstance();
    started = true;
    display.CreateWindow({display.windowWidth, display.windowHeight}, kWindowedStyle);
    if (!display.window.isOpen())
        throw std::runtime_error("DisplayManager: failed to create SFML window!");
    display.SetIcon();
    display.letterboxWidth = display.windowWidth;
    display.letterboxHeight = display.windowHeight;
    if (!display.font.openFromFile(display.fontPath))
        throw std::runtime_error("DisplayManager: failed to load font: " + display.fontPath);
    display.glyphVertices.assign(kInitialBatch, sf::Vertex{});
    display.glyphVertexCount = 0;
    for (GlyphEntry& entry : display.glyphCache)
        entry.valid = false;
    display.glyphCharSize = 0;
}

void DisplayManager::CreateWindow(sf::Vector2u size, std::uint32_t style)
{
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
    if (width == 0 || height == 0)
        return;
    sf::View view(sf::FloatRect({0.f, 0.f}, {static_cast<float>(w), static_cast<float>(h)}));
    const float fw = static_cast<float>(w) / static_cast<float>(width);
    const float fh = static_cast<float>(h) / static_cast<float>(height);
    view.setViewport(sf::FloatRect({(1.f - fw) / 2.f, (1.f - fh) / 2.f}, {fw, fh}));
    window.setView(view);
}

WorldPoint DisplayManager::PixelToWorld(sf::Vector2i pixel) const
{
    const sf::Vector2f c = window.mapPixelToCoords(pixel);
    if (cameraHalfHeight <= 0.0)
        return {0.0, 0.0};
    const double u = letterboxHeight / (2.0 * cameraHalfHeight);
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
    if (const auto* key = event.getIf<sf::Event::KeyPressed>(); key && key->code == sf::Keyboard::Key::F11)
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
        {
            const std::uint32_t newWidth = Round(h * kAspect);
            if (newWidth != w)
            {
                w = newWidth;
                window.setSize({w, h});
            }
        }
        else
        {
            const std::uint32_t newHeight = Round(w / kAspect);
            if (newHeight != h)
            {
                h = newHeight;
                window.setSize({w, h});
            }
        }
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
        CreateWindow(desktop, kBorderlessStyle);
    }
    else
    {
        sf::Vector2u size = savedWindowSize;
        if (size.x == 0 || size.y == 0 || size.x >= desktop.x || size.y >= desktop.y)
            size = {windowWidth, windowHeight};
        CreateWindow(size, kWindowedStyle);
        position = savedWindowPosition;
    }
    window.setPosition(position);
    fullscreen = on;
    SetIcon();
    ApplyLetterbox(window.getSize().x, window.getSize().y);
    window.requestFocus();
}
