#pragma once

#include "core/Geometry.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Distance between the lines of prose at scale 1, in world units: the font's tallest glyphs
// (ascenders over descenders) are about 0.98 units high, so lines this far apart keep a few rows
// of background between them. Pictures keep the dense grid of kCellHeight.
constexpr double kProseLineStep = 1.15;

namespace sf
{
class RenderTarget;
}

// How DrawCells lays out one block of text.
struct CellDrawOptions
{
    // `position` is the centre of the block rather than the centre of its first cell.
    bool centred = false;
    double cellWidth = kCellWidth;
    double cellHeight = kCellHeight;
    // Distance between the centres of successive rows; 0 or less means cellHeight. The first row
    // stays where the grid puts it, so a longer step makes the block grow downward.
    double lineStep = 0.0;
    bool background = false;
    // Background only behind runs of non-space characters, row by row.
    bool backgroundPerRun = false;
    double textScale = 1.0;
    double backgroundHeight = 1.0;
    double backgroundOffset = 0.0;
    // Half the visible world height for this call; 0 or less means the camera's.
    double viewHalfHeight = 0.0;
};

// The character-cell renderer: every text block becomes one textured quad per glyph (and a
// plain quad per background), gathered into one batch that goes to the window when the glyph
// size changes and at the end of the frame. The display manager owns it for the program's life.
class CellRenderer
{
public:
    // The software renderer (Mesa's llvmpipe) takes markedly longer per vertex for a draw of more
    // than about 4,000 vertices: 20,000 glyphs in one draw took half as long again as in draws
    // of a few hundred, and a whole frame of the eagle bridge a fifth longer. Batches go out in
    // draws of at most this many vertices (170 glyphs).
    static constexpr std::size_t kDrawVertices = 1024;

    // The most vertices handed over in one draw (measuring tools raise it to keep the batch whole).
    std::size_t drawVertices = kDrawVertices;

    // Glyphs are rasterised at this size for a drawing area `referenceHeight` pixels high.
    std::uint32_t baseCharSize = 32;
    double verticalStretch = 1.1;
    // What backgrounds are filled with: the window's clear colour.
    sf::Color backgroundColour = sf::Color::Black;
    std::uint64_t vertexCount = 0;
    // CPU time this thread spent in the graphics driver handing batches over, since the loop last
    // set it to 0: a frame that switches glyph sizes hands over batches in the middle of drawing.
    std::int64_t driverCpuNs = 0;

    // Loads the font and draws onto `target` from now on. Throws when the font cannot be read.
    void Start(const std::string& fontPath, sf::RenderTarget& target);
    // The drawing area in pixels, and the height at which glyphs take `baseCharSize`.
    void SetArea(double width, double height, double referenceHeight);
    // Draws `text` (rows split at '\n', spaces transparent, '$' drawn as nothing) with
    // `viewHalfHeight` world units visible above and below the centre.
    void DrawCells(WorldPoint position, const std::string& text, sf::Color colour, const CellDrawOptions& o,
                   double viewHalfHeight);
    // Hands the batch to the target.
    void Flush();

    const std::vector<sf::Vertex>& Vertices() const { return vertices; }

private:
    struct GlyphEntry
    {
        bool valid = false;
        bool empty = true;
        float quadLeft = 0, quadRight = 0, quadTop = 0, quadBottom = 0;
        float texLeft = 0, texTop = 0, texRight = 0, texBottom = 0;
    };

    // One block placed on the drawing area, in pixels.
    struct Layout
    {
        double rows = 1.0;
        double columns = 0.0;
        double originX = 0.0; // centre of the first cell
        double originY = 0.0;
        double cellWidth = 0.0;
        double cellHeight = 0.0;
        double lineStep = 0.0;
        std::uint32_t charSize = 1;
        float glyphScale = 1.f;
        // How far beyond the area a glyph may start and still show.
        double margin = 0.0;
        // Top edge of the background of the first row.
        double backgroundTop = 0.0;
    };

    Layout Place(WorldPoint position, const std::string& text, const CellDrawOptions& o,
                 double viewHalfHeight) const;
    bool OffArea(const Layout& block) const;
    void AppendBackground(const Layout& block, const std::string& text, const CellDrawOptions& o);
    void AppendRows(const Layout& block, const std::string& text, sf::Color colour);
    void UseGlyphSize(std::uint32_t charSize);
    const GlyphEntry& Glyph(unsigned char code);
    void AppendGlyph(const GlyphEntry& glyph, float x, float y, float s, sf::Color colour);
    void AppendBox(double left, double top, double right, double bottom);
    sf::Vertex* Reserve(std::size_t count);

    sf::Font font;
    sf::RenderTarget* target = nullptr;
    double areaWidth = 0.0;
    double areaHeight = 0.0;
    double referenceHeight = 720.0;
    std::array<GlyphEntry, 256> glyphCache{};
    std::uint32_t glyphCharSize = 0;
    float referenceCentreY = 0.0f;
    std::vector<sf::Vertex> vertices;
};
