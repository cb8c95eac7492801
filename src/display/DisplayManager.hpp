#pragma once

#include "core/Manager.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/Window/Event.hpp>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// How DrawCells lays out one block of text.
struct CellDrawOptions
{
    // `position` is the centre of the block rather than the centre of its first cell.
    bool centred = false;
    double cellWidth = 0.32;
    double cellHeight = 0.7;
    bool background = false;
    // Background only behind runs of non-space characters, row by row.
    bool backgroundPerRun = false;
    double textScale = 1.0;
    double backgroundHeight = 1.0;
    double backgroundOffset = 0.0;
    // Half the visible world height for this call; 0 or less means cameraHalfHeight.
    double viewHalfHeight = 0.0;
};

// Owns the window, the font, the camera and the character-cell renderer. Every visible thing
// is a block of text handed to DrawCells, which batches one textured quad per glyph.
class DisplayManager : public Manager<DisplayManager>
{
public:
    struct GlyphEntry
    {
        bool valid = false;
        bool empty = true;
        float quadLeft = 0, quadRight = 0, quadTop = 0, quadBottom = 0;
        float centreY = 0;
        float texLeft = 0, texTop = 0, texRight = 0, texBottom = 0;
    };

    static inline bool started = false;
    static constexpr std::size_t kInitialBatch = 24576;

    std::uint32_t windowWidth = 1280;
    std::uint32_t windowHeight = 720;
    WorldPoint cameraPosition;
    std::string title = "Hingewalk";
    sf::Color clearColour = sf::Color::Black;
    sf::RenderWindow window;
    std::uint32_t letterboxWidth = 1280;
    std::uint32_t letterboxHeight = 720;
    std::string fontPath = "font-fixed-v3.ttf";
    sf::Font font;
    std::uint32_t baseCharSize = 32;
    double verticalStretch = 1.1;
    std::function<void(const sf::Event&)> eventCallback;
    EventDefocus defocusEvent;
    FullscreenChangeEvent fullscreenEvent;
    double cameraHalfHeight = 10.0;
    bool fullscreen = false;
    sf::Vector2u savedWindowSize{1280, 720};
    sf::Vector2i savedWindowPosition{0, 0};
    std::array<GlyphEntry, 256> glyphCache{};
    std::uint32_t glyphCharSize = 0;
    float referenceCentreY = 0.0f;
    std::vector<sf::Vertex> glyphVertices;
    std::uint64_t glyphVertexCount = 0;
    // CPU time this thread spent in the graphics driver handing batches over, since the loop last
    // set it to 0: a frame that switches glyph sizes hands over batches in the middle of drawing.
    std::int64_t driverCpuNs = 0;

    static void StartUp();

    void DrawCells(WorldPoint position, const std::string& text, sf::Color colour, const CellDrawOptions& o);
    // Screen-fixed text centred on `position`, in cells of the usual size; a smaller view
    // half-height draws it larger. Nothing before start-up. The labels, messages and panels of
    // the interface all draw through this.
    static void DrawScreenText(WorldPoint position, const std::string& text, sf::Color colour,
                               double viewHalfHeight = 10.0, bool background = false, double textScale = 1.0);
    void FlushGlyphs();
    // False when the window was closed during this poll, else whether it is still open.
    bool PollWindowEvents();
    void SetFullscreen(bool on);
    WorldPoint PixelToWorld(sf::Vector2i pixel) const;
    void ApplyLetterbox(std::uint32_t width, std::uint32_t height);
    void SetEventCallback(std::function<void(const sf::Event&)> callback);

    // One window event as the poll handles it; false means the window was closed.
    bool HandleWindowEvent(const sf::Event& event);

private:
    void CreateWindow(sf::Vector2u size, std::uint32_t style);
    void SetIcon();
    void HandleResize(sf::Vector2u size);
    void DrawBackground(double bx, double by, double cw, double ch, std::size_t rows, std::size_t cols,
                        const std::string& text, const CellDrawOptions& o);
    void SetGlyphSize(std::uint32_t charSize);
    const GlyphEntry& Glyph(unsigned char code);
    void AppendGlyph(const GlyphEntry& glyph, float x, float y, float s, sf::Color colour);
    void AppendBox(double left, double top, double right, double bottom);
};
