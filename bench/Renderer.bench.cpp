// The character-cell renderer against a naive one sf::Text per block, on 20,000 visible glyphs.
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

// The batch only: glyph lookup and vertex writing, emptied instead of flushed to the GPU.
void BM_DrawCellsIntoTheBatch(benchmark::State& state)
{
    DisplayManager& display = Display();
    for (auto _ : state)
    {
        DrawAll(display);
        benchmark::DoNotOptimize(display.cells.Vertices().data());
        display.cells.vertexCount = 0;
    }
    state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_DrawCellsIntoTheBatch)->Unit(benchmark::kMillisecond);

// The naive way without drawing either: one sf::Text per block, built every frame.
void BM_NaiveTextGeometry(benchmark::State& state)
{
    DisplayManager& display = Display();
    for (auto _ : state)
    {
        for (const Block& block : Blocks())
        {
            sf::Text text(NaiveFont(), block.text, 32);
            text.setFillColor(block.colour);
            text.setPosition({static_cast<float>(block.position.x * 30.0 + 640.0),
                              static_cast<float>(360.0 - block.position.y * 30.0)});
            benchmark::DoNotOptimize(text.getLocalBounds()); // builds the glyph quads
        }
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

void BM_NaiveTextFrame(benchmark::State& state)
{
    DisplayManager& display = Display();
    std::vector<sf::Text> texts;
    for (const Block& block : Blocks())
    {
        sf::Text& text = texts.emplace_back(NaiveFont(), block.text, 32);
        text.setFillColor(block.colour);
        text.setPosition({static_cast<float>(block.position.x * 30.0 + 640.0),
                          static_cast<float>(360.0 - block.position.y * 30.0)});
    }
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
