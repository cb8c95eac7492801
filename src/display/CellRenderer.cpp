#include "display/CellRenderer.hpp"

#include "core/ClockSystem.hpp"

#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace
{
struct BlockSize
{
    std::size_t rows = 1;
    std::size_t columns = 0;
};

BlockSize Measure(const std::string& text)
{
    BlockSize size;
    std::size_t column = 0;
    for (char c : text)
    {
        if (c == '\n')
        {
            ++size.rows;
            column = 0;
        }
        else if (c != '\r')
        {
            size.columns = std::max(size.columns, ++column);
        }
    }
    return size;
}
} // namespace

void CellRenderer::Start(const std::string& fontPath, sf::RenderTarget& renderTarget)
{
    if (!font.openFromFile(fontPath))
        throw std::runtime_error("DisplayManager: failed to load font: " + fontPath);
    target = &renderTarget;
    vertices.assign(kDrawVertices, sf::Vertex{});
    vertexCount = 0;
    for (GlyphEntry& entry : glyphCache)
        entry.valid = false;
    glyphCharSize = 0;
}

void CellRenderer::SetArea(double width, double height, double reference)
{
    areaWidth = width;
    areaHeight = height;
    referenceHeight = reference;
}

void CellRenderer::DrawCells(WorldPoint position, const std::string& text, sf::Color colour,
                             const CellDrawOptions& o, double viewHalfHeight)
{
    if (areaHeight == 0.0 || viewHalfHeight <= 0.0 || target == nullptr)
        return;
    const Layout block = Place(position, text, o, viewHalfHeight);
    if (OffArea(block))
        return;
    UseGlyphSize(block.charSize);
    // Backgrounds go into the same batch as the glyphs, just before the block's own glyphs, so
    // the picture keeps its drawing order without a draw call per block.
    if (o.background)
        AppendBackground(block, text, o);
    AppendRows(block, text, colour);
}

CellRenderer::Layout CellRenderer::Place(WorldPoint position, const std::string& text,
                                         const CellDrawOptions& o, double viewHalfHeight) const
{
    const BlockSize size = Measure(text);
    Layout block;
    block.rows = static_cast<double>(size.rows);
    block.columns = static_cast<double>(size.columns);
    if (o.centred)
    {
        position.x -= (block.columns - 1.0) * o.cellWidth * 0.5;
        position.y += (block.rows - 1.0) * o.cellHeight * 0.5;
    }
    const double pixelsPerUnit = areaHeight / (2.0 * viewHalfHeight);
    block.cellWidth = pixelsPerUnit * o.cellWidth;
    block.cellHeight = pixelsPerUnit * o.cellHeight;
    block.lineStep = o.lineStep > 0.0 ? pixelsPerUnit * o.lineStep : block.cellHeight;
    block.originX = pixelsPerUnit * position.x + areaWidth * 0.5;
    block.originY = areaHeight * 0.5 - pixelsPerUnit * position.y;

    // Glyphs are rasterised at the size they show, so they stay sharp at every window size.
    const double glyphPixels =
        std::max(baseCharSize * (areaHeight / referenceHeight) * (kScreenHalfHeight / viewHalfHeight), 1.0);
    block.charSize = static_cast<std::uint32_t>(std::clamp<long long>(std::llround(glyphPixels), 1, 256));
    block.glyphScale = static_cast<float>(glyphPixels / block.charSize * o.textScale);
    block.margin = std::max({block.cellWidth, block.cellHeight, 2.0 * glyphPixels * o.textScale});
    block.backgroundTop =
        block.originY - (pixelsPerUnit * o.backgroundOffset + block.cellHeight) * 0.5 * o.backgroundHeight;
    return block;
}

bool CellRenderer::OffArea(const Layout& block) const
{
    const double m = block.margin;
    return block.originX + block.columns * block.cellWidth < -m ||
           block.originX - block.cellWidth > areaWidth + m ||
           block.originY + (block.rows - 1.0) * block.lineStep + block.cellHeight < -m ||
           block.originY - block.cellHeight > areaHeight + m;
}

void CellRenderer::AppendRows(const Layout& block, const std::string& text, sf::Color colour)
{
    const double m = block.margin;
    const double bottomLimit = areaHeight + m;
    const double rightLimit = areaWidth + m;
    double y = block.originY;
    bool rowVisible = -m <= y && y <= bottomLimit;
    double x = block.originX;
    std::size_t row = 0;
    for (std::size_t i = 0; i < text.size();)
    {
        const char c = text[i];
        if (c == '\n')
        {
            y = block.originY + static_cast<double>(++row) * block.lineStep;
            if (y > bottomLimit)
                return;
            rowVisible = -m <= y;
            x = block.originX;
            ++i;
            continue;
        }
        // The rest of a row that is off the area: on to the next line break.
        if (!rowVisible || x > rightLimit)
        {
            i = text.find('\n', i);
            if (i == std::string::npos)
                return;
            continue;
        }
        if (c != ' ' && c != '\r' && c != '$' && x >= -m)
        {
            const GlyphEntry& glyph = Glyph(static_cast<unsigned char>(c));
            if (!glyph.empty)
                AppendGlyph(glyph, static_cast<float>(x), static_cast<float>(y), block.glyphScale, colour);
        }
        if (c != '\r')
            x += block.cellWidth;
        ++i;
    }
}

void CellRenderer::AppendBackground(const Layout& block, const std::string& text, const CellDrawOptions& o)
{
    const double left = block.originX - block.cellWidth * 0.5;
    const double top = block.backgroundTop;
    const double cell = block.cellWidth;
    const double rowHeight = o.backgroundHeight * block.cellHeight;
    // Rows of prose stand further apart than their cells are high: each row's box reaches down to
    // the next row, over the descenders, and the last one ends with its cells.
    const double pitch = o.backgroundHeight * block.lineStep;
    const double lastRow = block.rows - 1.0;
    if (!o.backgroundPerRun)
    {
        AppendBox(left, top, left + block.columns * cell, top + lastRow * pitch + rowHeight);
        return;
    }
    // One box per run of non-space characters, row by row.
    double row = 0.0;
    double column = 0.0;
    double runStart = 0.0;
    bool inRun = false;
    const auto endRun = [&]
    {
        if (inRun)
            AppendBox(left + runStart * cell, top + row * pitch, left + column * cell,
                      top + row * pitch + (row < lastRow ? pitch : rowHeight));
        inRun = false;
    };
    for (char c : text)
    {
        if (c == '\r')
            continue;
        if (c == '\n')
        {
            endRun();
            ++row;
            column = 0.0;
            continue;
        }
        if (c == ' ')
            endRun();
        else if (!inRun)
        {
            inRun = true;
            runStart = column;
        }
        ++column;
    }
    endRun();
}

sf::Vertex* CellRenderer::Reserve(std::size_t count)
{
    if (vertexCount + count > drawVertices)
        Flush();
    if (vertexCount + count > vertices.size())
        vertices.resize(std::max(2 * vertices.size(), vertexCount + count));
    sf::Vertex* slot = &vertices[vertexCount];
    vertexCount += count;
    return slot;
}

void CellRenderer::AppendBox(double left, double top, double right, double bottom)
{
    // The font's texture keeps a small white square at its corner (for underlines); sampling its
    // middle gives plain colour, so boxes share the glyphs' texture and batch.
    const sf::Vector2f white{1.f, 1.f};
    const auto l = static_cast<float>(left), t = static_cast<float>(top);
    const auto r = static_cast<float>(right), b = static_cast<float>(bottom);
    sf::Vertex* v = Reserve(6);
    v[0] = {
        {l, t},
        backgroundColour, white
    };
    v[1] = {
        {r, t},
        backgroundColour, white
    };
    v[2] = {
        {l, b},
        backgroundColour, white
    };
    v[3] = v[2];
    v[4] = v[1];
    v[5] = {
        {r, b},
        backgroundColour, white
    };
}

void CellRenderer::UseGlyphSize(std::uint32_t charSize)
{
    if (charSize == glyphCharSize)
        return;
    // The batch holds coordinates into the old size's texture.
    Flush();
    for (GlyphEntry& entry : glyphCache)
        entry.valid = false;
    glyphCharSize = charSize;
    const sf::FloatRect bounds = font.getGlyph(U'M', glyphCharSize, false, 0.f).bounds;
    referenceCentreY = bounds.position.y + bounds.size.y / 2.f;
}

const CellRenderer::GlyphEntry& CellRenderer::Glyph(unsigned char code)
{
    GlyphEntry& entry = glyphCache[code];
    if (entry.valid)
        return entry;
    const sf::Glyph& glyph = font.getGlyph(static_cast<char32_t>(code), glyphCharSize, false, 0.f);
    const sf::FloatRect b = glyph.bounds;
    const sf::IntRect t = glyph.textureRect;
    // One pixel of margin around the glyph keeps its anti-aliased edge when the quad is scaled.
    entry.valid = true;
    entry.empty = t.size.x < 1 || t.size.y < 1;
    entry.quadLeft = -b.size.x / 2.f - 1.f;
    entry.quadRight = b.size.x / 2.f + 1.f;
    entry.quadTop = b.position.y - 1.f;
    entry.quadBottom = b.position.y + b.size.y + 1.f;
    entry.texLeft = static_cast<float>(t.position.x) - 1.f;
    entry.texTop = static_cast<float>(t.position.y) - 1.f;
    entry.texRight = static_cast<float>(t.position.x + t.size.x) + 1.f;
    entry.texBottom = static_cast<float>(t.position.y + t.size.y) + 1.f;
    return entry;
}

// Written out in full: a shared quad writer called per glyph made a screen of text take half as
// long again to batch.
void CellRenderer::AppendGlyph(const GlyphEntry& glyph, float x, float y, float s, sf::Color colour)
{
    if (vertexCount + 6 > drawVertices)
        Flush();
    if (vertexCount + 6 > vertices.size())
        vertices.resize(2 * vertices.size() + 6);
    const float stretch = static_cast<float>(verticalStretch);
    const float left = x + s * glyph.quadLeft;
    const float right = x + s * glyph.quadRight;
    const float top = y + (glyph.quadTop - referenceCentreY) * stretch * s;
    const float bottom = y + (glyph.quadBottom - referenceCentreY) * stretch * s;
    sf::Vertex* v = &vertices[vertexCount];
    v[0] = {
        {left,          top         },
        colour, {glyph.texLeft, glyph.texTop}
    };
    v[1] = {
        {right,          top         },
        colour, {glyph.texRight, glyph.texTop}
    };
    v[2] = {
        {left,          bottom         },
        colour, {glyph.texLeft, glyph.texBottom}
    };
    v[3] = {
        {left,          bottom         },
        colour, {glyph.texLeft, glyph.texBottom}
    };
    v[4] = {
        {right,          top         },
        colour, {glyph.texRight, glyph.texTop}
    };
    v[5] = {
        {right,          bottom         },
        colour, {glyph.texRight, glyph.texBottom}
    };
    vertexCount += 6;
}

void CellRenderer::Flush()
{
    if (vertexCount == 0 || target == nullptr)
        return;
    const std::int64_t start = ClockSystem::ThreadCpuNow();
    sf::RenderStates states;
    states.texture = &font.getTexture(glyphCharSize);
    target->draw(vertices.data(), static_cast<std::size_t>(vertexCount), sf::PrimitiveType::Triangles,
                 states);
    vertexCount = 0;
    driverCpuNs += ClockSystem::ThreadCpuNow() - start;
}
