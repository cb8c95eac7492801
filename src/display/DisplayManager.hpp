#pragma once

#include "core/Manager.hpp"
#include "display/CellRenderer.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Owns the window: its letterboxed 16:9 drawing area, full screen, the camera, and the cell
// renderer that draws onto it. Every visible thing is a block of text handed to DrawCells.
class DisplayManager : public Manager<DisplayManager>
{
public:
    static inline bool started = false;

    std::uint32_t windowWidth = 1280;
    std::uint32_t windowHeight = 720;
    WorldPoint cameraPosition;
    // Half the world height the camera shows; screen-fixed objects see kScreenHalfHeight.
    double cameraHalfHeight = kScreenHalfHeight;
    std::string title = "Hingewalk";
    std::string fontPath = "font-fixed-v3.ttf";
    sf::Color clearColour = sf::Color::Black;
    sf::RenderWindow window;
    std::uint32_t letterboxWidth = 1280;
    std::uint32_t letterboxHeight = 720;
    bool fullscreen = false;
    // The keys that switch full screen; the key bindings hand them down.
    std::vector<sf::Keyboard::Key> fullscreenKeys{sf::Keyboard::Key::F11};
    std::function<void(const sf::Event&)> eventCallback;
    EventDefocus defocusEvent;
    FullscreenChangeEvent fullscreenEvent;
    CellRenderer cells;

    static void StartUp();
    void Reset();

    void DrawCells(WorldPoint position, const std::string& text, sf::Color colour, const CellDrawOptions& o);
    // Screen-fixed text centred on `position`, in cells of the usual size; a smaller view
    // half-height draws it larger. Nothing before start-up. The labels, messages and panels of
    // the interface all draw through this.
    static void DrawScreenText(WorldPoint position, const std::string& text, sf::Color colour,
                               double viewHalfHeight = kScreenHalfHeight, bool background = false,
                               double textScale = 1.0);
    // The same for prose: its lines kProseLineStep apart, the first one where DrawScreenText puts
    // it, so more lines reach further down.
    static void DrawScreenProse(WorldPoint position, const std::string& text, sf::Color colour,
                                double viewHalfHeight = kScreenHalfHeight, bool background = false);
    // Clears the window for a new picture, and shows the finished one.
    void BeginFrame();
    void Present();

    // False when the window was closed during this poll, else whether it is still open.
    bool PollWindowEvents();
    // One window event as the poll handles it; false means the window was closed.
    bool HandleWindowEvent(const sf::Event& event);
    void SetEventCallback(std::function<void(const sf::Event&)> callback);
    void SetFullscreen(bool on);
    void ApplyLetterbox(std::uint32_t width, std::uint32_t height);

    // Pixels of the drawing area per world unit when `viewHalfHeight` units show above and below
    // its centre; 0 while there is nothing to draw on.
    double PixelsPerUnit(double viewHalfHeight) const;
    // Screen-fixed units per world unit at the camera's zoom.
    double ScreenUnitsPerWorldUnit() const;
    WorldPoint PixelToWorld(sf::Vector2i pixel) const;

private:
    static void DrawScreenBlock(WorldPoint position, const std::string& text, sf::Color colour,
                                CellDrawOptions options);
    void CreateWindow(sf::Vector2u size, bool borderless);
    void SetIcon();
    void HandleResize(sf::Vector2u size);

    sf::Vector2u savedWindowSize{1280, 720};
    sf::Vector2i savedWindowPosition{0, 0};
};
