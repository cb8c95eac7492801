// The character-cell renderer of DisplayManager: text blocks become batched glyph quads.
#include "core/ClockSystem.hpp"
#include "display/DisplayManager.hpp"

#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <algorithm>
#include <cmath>

namespace
{
struct BlockSize
{
    std::size_t rows = 1;
    std::size_t cols = 0;
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
            size.cols = std::max(size.cols, ++column);
        }
    }
    return size;
}
} // namespace

void DisplayManager::DrawCells(WorldPoint position, const std::string& text, sf::Color colour,
                               const CellDrawOptions& o)
{
    const double W = letterboxWidth;
    const double H = letterboxHeight;
    const double k = o.viewHalfHeight > 0.0 ? o.viewHalfHeight : cameraHalfHeight;
    if (H == 0.0 || k <= 0.0)
        return;

    const BlockSize block = Measure(text);
    double X = position.x;
    double Y = position.y;
    if (o.centred)
    {
        X -= (static_cast<double>(block.cols) - 1.0) * o.cellWidth * 0.5;
        Y += (static_cast<double>(block.rows) - 1.0) * o.cellHeight * 0.5;
    }

    const double u = H / (2.0 * k);
    const double cw = u * o.cellWidth;
    const double ch = u * o.cellHeight;
    const double x0 = u * X + W * 0.5;
    const double y0 = H * 0.5 - u * Y;

    const double g = std::max(baseCharSize * (H / windowHeight) * (10.0 / k), 1.0);
    const auto charSize = static_cast<std::uint32_t>(std::clamp<long long>(std::llround(g), 1, 256));
    const float s = static_cast<float>(g / charSize * o.textScale);
    const double m = std::max({cw, ch, 2.0 * g * o.textScale});

    if (x0 + block.cols * cw < -m || x0 - cw > W + m || y0 + block.rows * ch < -m || y0 - ch > H + m)
        return;

    if (charSize != glyphCharSize)
        SetGlyphSize(charSize);

    // Backgrounds go into the same batch as the glyphs, just before the block's own glyphs, so
    // the picture keeps its drawing order without a draw call per block.
    if (o.background)
    {
        const double bx = x0 - cw * 0.5;
        const double by = y0 - (u * o.backgroundOffset + ch) * 0.5 * o.backgroundHeight;
        DrawBackground(bx, by, cw, ch, block.rows, block.cols, text, o);
    }

    double x = x0;
    double y = y0;
    std::size_t row = 0;
    bool visible = -m <= y && y <= H + m;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;)
    {
        const char c = text[i];
        if (c == '\r')
        {
            ++i;
            continue;
        }
        if (c == '\n')
        {
            ++row;
            y = y0 + row * ch;
            visible = -m <= y && y <= H + m;
            if (y > H + m)
                return;
            x = x0;
            ++i;
            continue;
        }
        if (!visible || x > W + m)
        {
            i = text.find('\n', i);
            if (i == std::string::npos)
                return;
            continue;
        }
        if (c != ' ' && x >= -m)
        {
            const GlyphEntry& glyph = Glyph(static_cast<unsigned char>(c == '$' ? ' ' : c));
            if (!glyph.empty)
                AppendGlyph(glyph, static_cast<float>(x), static_cast<float>(y), s, colour);
        }
        x += cw;
        ++i;
    }
}

void DisplayManager::DrawBackground(double bx, double by, double cw, double ch, std::size_t rows,
                                    std::size_t cols, const std::string& text, const CellDrawOptions& o)
{
    const double rh = o.backgroundHeight * ch;
    if (!o.backgroundPerRun)
    {
        AppendBox(bx, by, bx + cols * cw, by + rows * rh);
        return;
    }
    std::size_t row = 0;
    std::size_t column = 0;
    bool open = false;
    std::size_t start = 0;
    const auto endRun = [&]
    { AppendBox(bx + start * cw, by + row * rh, bx + column * cw, by + (row + 1) * rh); };
    for (char c : text)
    {
        if (c == '\r')
            continue;
        if (c == '\n' || c == ' ')
        {
            if (open)
                endRun();
            open = false;
            if (c == '\n')
            {
                ++row;
                column = 0;
            }
            else
            {
                ++column;
            }
            continue;
        }
        if (!open)
        {
            open = true;
            start = column;
        }
        ++column;
    }
    if (open)
        endRun();
}

void DisplayManager::AppendBox(double left, double top, double right, double bottom)
{
    if (glyphVertexCount + 6 > glyphVertices.size())
        glyphVertices.resize(std::max<std::size_t>(2 * glyphVertices.size(), kInitialBatch));
    // The font's texture keeps a small white square at its corner (for underlines); sampling its
    // middle gives plain colour, so boxes share the glyphs' texture and batch.
    const sf::Vector2f white{1.f, 1.f};
    const auto l = static_cast<float>(left), t = static_cast<float>(top);
    const auto r = static_cast<float>(right), b = static_cast<float>(bottom);
    sf::Vertex* v = &glyphVertices[glyphVertexCount];
    v[0] = {
        {l, t},
        clearColour, white
    };
    v[1] = {
        {r, t},
        clearColour, white
    };
    v[2] = {
        {l, b},
        clearColour, white
    };
    v[3] = v[2];
    v[4] = v[1];
    v[5] = {
        {r, b},
        clearColour, white
    };
    glyphVertexCount += 6;
}

void DisplayManager::SetGlyphSize(std::uint32_t charSize)
{
    FlushGlyphs();
    for (GlyphEntry& entry : glyphCache)
        entry.valid = false;
    glyphCharSize = charSize;
    const sf::FloatRect bounds = font.getGlyph(U'M', glyphCharSize, false, 0.f).bounds;
    referenceCentreY = bounds.position.y + bounds.size.y / 2.f;
}

const DisplayManager::GlyphEntry& DisplayManager::Glyph(unsigned char code)
{
    GlyphEntry& entry = glyphCache[code];
    if (entry.valid)
        return entry;
    const sf::Glyph& glyph = font.getGlyph(static_cast<char32_t>(code), glyphCharSize, false, 0.f);
    const sf::FloatRect b = glyph.bounds;
    const sf::IntRect t = glyph.textureRect;
    entry.valid = true;
    entry.empty = t.size.x < 1 || t.size.y < 1;
    entry.quadLeft = -b.size.x / 2.f - 1.f;
    entry.quadRight = b.size.x / 2.f + 1.f;
    entry.quadTop = b.position.y - 1.f;
    entry.quadBottom = b.position.y + b.size.y + 1.f;
    entry.centreY = b.position.y + b.size.y / 2.f;
    entry.texLeft = static_cast<float>(t.position.x) - 1.f;
    entry.texTop = static_cast<float>(t.position.y) - 1.f;
    entry.texRight = static_cast<float>(t.position.x + t.size.x) + 1.f;
    entry.texBottom = static_cast<float>(t.position.y + t.size.y) + 1.f;
    return entry;
}

// Written out in full: a shared quad writer called per glyph made a screen of text take half as
// long again to batch.
void DisplayManager::AppendGlyph(const GlyphEntry& glyph, float x, float y, float s, sf::Color colour)
{
    if (glyphVertexCount + 6 > glyphVertices.size())
        glyphVertices.resize(std::max<std::size_t>(2 * glyphVertices.size(), kInitialBatch));
    const float stretch = static_cast<float>(verticalStretch);
    const float left = x + s * glyph.quadLeft;
    const float right = x + s * glyph.quadRight;
    const float top = y + (glyph.quadTop - referenceCentreY) * stretch * s;
    const float bottom = y + (glyph.quadBottom - referenceCentreY) * stretch * s;
    sf::Vertex* v = &glyphVertices[glyphVertexCount];
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
    glyphVertexCount += 6;
}

void DisplayManager::FlushGlyphs()
{
    if (glyphVertexCount == 0)
        return;
    const std::int64_t start = ClockSystem::ThreadCpuNow();
    sf::RenderStates states;
    states.texture = &font.getTexture(glyphCharSize);
    window.draw(glyphVertices.data(), static_cast<std::size_t>(glyphVertexCount),
                sf::PrimitiveType::Triangles, states);
    glyphVertexCount = 0;
    driverCpuNs += ClockSystem::ThreadCpuNow() - start;
}

void DisplayManager::DrawScreenText(WorldPoint position, const std::string& text, sf::Color colour,
                                    double viewHalfHeight, bool background, double textScale)
{
    if (!started)
        return;
    CellDrawOptions options;
    options.centred = true;
    options.background = background;
    options.textScale = textScale;
    options.viewHalfHeight = viewHalfHeight;
    getInstance().DrawCells(position, text, colour, options);
}
