// The character-cell renderer against a naive one sf::Text per block, on 20,000 visible glyphs laid
// out on the same cells, so that both draw the same glyphs over the same pixels.
#include "display/DisplayManager.hpp"

#include <SFML/Graphics/Text.hpp>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
struct Block
{
    WorldPoint position;
    std::string text;
    sf::Color colour;
};

// 500 blocks of 5 rows x 8 glyphs spread over the camera area (half-height 12): 20,000 glyphs.
const std::vector<Block>& Blocks()
{
    static const std::vector<Block> blocks = []
    {
        std::vector<Block> result;
        for (int i = 0; i < 500; ++i)
        {
            std::string text;
            for (int row = 0; row < 5; ++row)
            {
                if (row)
                    text += '\n';
                for (int col = 0; col < 8; ++col)
                    text += static_cast<char>('!' + (i * 7 + row * 8 + col) % 94);
            }
            const double x = -19.0 + (i % 25) * 1.6;
            const double y = 10.0 - (i / 25) * 1.1;
            result.push_back({
                {x, y},
                text, sf::Color(40 + i % 200, 255 - i % 200, 120)
            });
        }
        return result;
    }();
    return blocks;
}

DisplayManager& Display()
{
    DisplayManager& display = DisplayManager::getInstance();
    if (!display.window.isOpen())
    {
        display.fontPath = (std::filesystem::path(HINGEWALK_GAME_DATA_DIR) / "font-fixed-v3.ttf").string();
        DisplayManager::StartUp();
    }
    display.cameraHalfHeight = 12.0;
    return display;
}

// The same font for the naive texts, which the renderer keeps to itself.
const sf::Font& NaiveFont()
{
    static const sf::Font font(
        (std::filesystem::path(HINGEWALK_GAME_DATA_DIR) / "font-fixed-v3.ttf").string());
    return font;
}

CellDrawOptions Options()
{
    CellDrawOptions o;
    o.centred = true;
    return o;
}

void DrawAll(DisplayManager& display)
{
    const CellDrawOptions o = Options();
    for (const Block& block : Blocks())
        display.DrawCells(block.position, block.text, block.colour, o);
}

// The batch only: glyph lookup and vertex writing, emptied instead of flushed to the GPU (kept
// whole for it, where the game hands it over in draws of kDrawVertices).
void BM_DrawCellsIntoTheBatch(benchmark::State& state)
{
    DisplayManager& display = Display();
    display.cells.drawVertices = SIZE_MAX;
    for (auto _ : state)
    {
        DrawAll(display);
        benchmark::DoNotOptimize(display.cells.Vertices().data());
        display.cells.vertexCount = 0;
    }
    display.cells.drawVertices = CellRenderer::kDrawVertices;
    state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_DrawCellsIntoTheBatch)->Unit(benchmark::kMillisecond);

// The naive way: one sf::Text per block, laid out on the same cells as the renderer lays its glyphs
// (the same glyph size, the same 10 % taller glyphs, a glyph per cell, a row per cell height), so
// that both frames draw the same glyphs over the same pixels.
std::vector<sf::Text> NaiveTexts()
{
    // The renderer's layout at the camera's half-height of 12 on a 1280 x 720 area: 30 pixels per
    // unit, glyphs rasterised at 27 px and scaled to 26.7.
    constexpr double kPixelsPerUnit = 30.0;
    constexpr unsigned kCharSize = 27;
    const float scale = static_cast<float>(32.0 * 10.0 / 12.0 / kCharSize);
    const double cellWidth = kCellWidth * kPixelsPerUnit;
    const double cellHeight = kCellHeight * kPixelsPerUnit;
    const sf::Font& font = NaiveFont();
    const float advance = font.getGlyph(U' ', kCharSize, false).advance;
    const sf::FloatRect m = font.getGlyph(U'M', kCharSize, false).bounds;
    // sf::Text adds a third of a space per step of its letter-spacing factor.
    const float letterSpacing = 1.f + 3.f * (static_cast<float>(cellWidth) / scale - advance) / advance;
    const float lineSpacing =
        static_cast<float>(cellHeight) / (scale * 1.1f * font.getLineSpacing(kCharSize));
    std::vector<sf::Text> texts;
    for (const Block& block : Blocks())
    {
        sf::Text& text = texts.emplace_back(font, block.text, kCharSize);
        text.setFillColor(block.colour);
        text.setLetterSpacing(letterSpacing);
        text.setLineSpacing(lineSpacing);
        text.setScale({scale, scale * 1.1f});
        // The block's centre as the renderer places it; a row's glyphs are centred on it by the
        // middle of an M.
        const double left = kPixelsPerUnit * (block.position.x - 3.5 * kCellWidth) + 640.0 - cellWidth / 2;
        const double firstRow = 360.0 - kPixelsPerUnit * (block.position.y + 2.0 * kCellHeight);
        text.setPosition(
            {static_cast<float>(left),
             static_cast<float>(firstRow - scale * 1.1f * (kCharSize + m.position.y + m.size.y / 2))});
    }
    return texts;
}

// Building the naive texts' glyph quads, without drawing them.
void BM_NaiveTextGeometry(benchmark::State& state)
{
    Display(); // the window and its context, as for the others
    for (auto _ : state)
    {
        std::vector<sf::Text> texts = NaiveTexts();
        for (const sf::Text& text : texts)
            benchmark::DoNotOptimize(text.getLocalBounds()); // builds the glyph quads
    }
    state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_NaiveTextGeometry)->Unit(benchmark::kMillisecond);

// Whole frames as shown: clear, draw, present.
void BM_DrawCellsFrame(benchmark::State& state)
{
    DisplayManager& display = Display();
    for (auto _ : state)
    {
        display.BeginFrame();
        DrawAll(display);
        display.Present();
    }
    state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_DrawCellsFrame)->Unit(benchmark::kMillisecond);

// The naive frame draws texts built once: each keeps its glyph quads, as a game's texts would.
void BM_NaiveTextFrame(benchmark::State& state)
{
    DisplayManager& display = Display();
    const std::vector<sf::Text> texts = NaiveTexts();
    for (auto _ : state)
    {
        display.BeginFrame();
        for (const sf::Text& text : texts)
            display.window.draw(text);
        display.window.display();
    }
    state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_NaiveTextFrame)->Unit(benchmark::kMillisecond);
} // namespace
