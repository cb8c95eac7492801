#include "display/DisplayManager.hpp"
#include "support/Harness.hpp"
#include "support/RecordingObject.hpp"
#include "world/GameObject.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using Log = std::vector<std::string>;

namespace
{
// At view half-height 10 in a 1280 x 720 area: 36 px per unit, cells of 11.52 x 25.2 px.
constexpr double kUnit = 36.0;
constexpr double kCellW = 0.32 * kUnit;
constexpr double kCellH = 0.7 * kUnit;

class Renderer : public ::testing::Test
{
protected:
    DisplayManager& display = DisplayManager::getInstance();

    void SetUp() override { testsupport::ResetWindow(10.0); }
};
} // namespace

TEST_F(Renderer, TheDrawingAreaIsSixteenByNineCentredInAnyWindowAndPixelsInTheBarsMapOutsideTheWorld)
{
    display.cameraHalfHeight = 12.0;
    display.cameraPosition = {40.0, -7.0}; // not part of the conversion
    // clang-format off
    const sf::Vector2u cases[][2] = { // window, drawing area
        {{1280, 720}, {1280, 720}}, {{1000, 1000}, {1000, 563}}, {{1000, 400}, {711, 400}}};
    // clang-format on
    for (const auto& [window, area] : cases)
    {
        display.window.setSize(window);
        display.ApplyLetterbox(window.x, window.y);
        ASSERT_EQ(display.window.getSize(), window);
        EXPECT_EQ(sf::Vector2u(display.letterboxWidth, display.letterboxHeight), area);
        // The drawing area's centre is the world's origin, 24 units high; a corner pixel lies in a
        // bar, if any, beyond the visible world.
        const double u = area.y / 24.0;
        const WorldPoint corner = display.PixelToWorld({5, 5});
        EXPECT_NEAR(corner.x, (5.0 - (window.x - area.x) / 2.0 - area.x / 2.0) / u, 0.1);
        EXPECT_NEAR(corner.y, (area.y / 2.0 + (window.y - area.y) / 2.0 - 5.0) / u, 0.1);
    }
}

TEST_F(Renderer, F11TogglesFullscreenAndLeavingItRestoresTheRememberedSizeUnlessItIsDesktopWide)
{
    const sf::Vector2u desktop = sf::VideoMode::getDesktopMode().size;
    Log heard;
    testsupport::RecordingReceiver receiver(&heard, "display");
    display.fullscreenEvent.Subscribe(&receiver);
    display.defocusEvent.Subscribe(&receiver);
    display.SetEventCallback([&](const sf::Event&) { heard.push_back("passed on"); });
    const sf::Vector2u cases[][2] = {
        {{1000, 600},      {1000, 600}},
        {{desktop.x, 600}, {1280, 720}}
    };
    for (const auto& [remembered, restored] : cases)
    {
        display.window.setSize(remembered);
        display.HandleWindowEvent(sf::Event::KeyPressed{sf::Keyboard::Key::F11});
        display.HandleWindowEvent(sf::Event::KeyReleased{sf::Keyboard::Key::F11}); // only a press toggles
        EXPECT_TRUE(display.fullscreen);
        EXPECT_EQ(display.window.getSize(), desktop);
        display.HandleWindowEvent(sf::Event::KeyPressed{sf::Keyboard::Key::F11});
        EXPECT_FALSE(display.fullscreen);
        EXPECT_EQ(display.window.getSize(), restored);
    }
    display.HandleWindowEvent(sf::Event::FocusLost{});
    EXPECT_FALSE(display.HandleWindowEvent(sf::Event::Closed{}));
    const char* on = "display:Fullscreen";
    EXPECT_EQ(heard, (Log{on, "passed on", "passed on", on, "passed on", on, "passed on", "passed on", on,
                          "passed on", "display:Defocus", "passed on"}))
        << "the display acts first; a close is not passed on";
}

namespace
{
// A block of text whose centre is drawn at pixel (px, py).
GameObject* Text(const std::string& text, sf::Color colour, double px, double py, bool followsCamera)
{
    auto* object = new GameObject();
    object->SetSprite(Sprite::FromText(text));
    object->sprite.colour = colour;
    object->sprite.followsCamera = followsCamera;
    const WorldPoint camera = followsCamera ? DisplayManager::getInstance().cameraPosition : WorldPoint{};
    object->x = (px - 640.0) / kUnit + camera.x;
    object->y = (360.0 - py) / kUnit + camera.y;
    return object;
}
} // namespace

TEST_F(Renderer, ARenderedFrameShowsGlyphColoursTransparentSpacesAndOpaqueBoxes)
{
    display.cameraPosition = {2.0, 1.0};
    GameObject* following = Text("#   #", sf::Color::Red, 352.0, 180.0, true);
    GameObject* overGreen = Text("#   #", sf::Color::Red, 800.0, 200.0, false);
    GameObject* boxed = Text("#   #", sf::Color::Blue, 1000.0, 200.0, false);
    boxed->sprite.background = true;
    GameObject* runs = Text("#$$  #", sf::Color::Magenta, 900.0, 330.0, false);
    runs->sprite.background = runs->sprite.backgroundPerRun = true;
    display.BeginFrame();
    sf::RectangleShape beneath({400.f, 300.f}); // under the screen-fixed texts
    beneath.setPosition({700.f, 100.f});
    beneath.setFillColor(sf::Color::Green);
    display.window.draw(beneath);
    for (GameObject* object : {following, overGreen, boxed, runs})
        object->Draw();
    display.cells.Flush();
    sf::Texture capture(display.window.getSize());
    capture.update(display.window);
    const sf::Image image = capture.copyToImage();
    EXPECT_EQ(image.getPixel({966, 200}), sf::Color::Green) << "just left of the box";

    // Each probe looks at one cell of a block (by its offset from the block's centre) for a glyph
    // stroke in a colour, or for every pixel or no pixel of it. Cells probed for what lies beneath
    // stand two cells from any glyph: glyphs of this font reach into the next cell.
    constexpr int Glyph = 0, All = 1, None = 2;
    const sf::Color black = display.clearColour, green = sf::Color::Green, red = sf::Color::Red;
    const sf::Color blue = sf::Color::Blue, magenta = sf::Color::Magenta;
    // clang-format off
    const std::tuple<double, double, double, sf::Color, int> probes[] = {
        // Glyphs in the sprite's colour; spaces show what lies beneath: the clear colour or the green.
        {-2, 352, 180, red, Glyph}, {2, 352, 180, red, Glyph}, {0, 352, 180, black, All},
        {-2, 800, 200, red, Glyph}, {0, 800, 200, green, All},
        // A whole-block box hides the green everywhere, glyphs drawn on top.
        {-2, 1000, 200, blue, Glyph}, {2, 1000, 200, blue, Glyph}, {-2, 1000, 200, green, None},
        {-1, 1000, 200, green, None}, {0, 1000, 200, green, None}, {1, 1000, 200, green, None},
        {2, 1000, 200, green, None},
        // Per-run boxes cover runs of non-spaces, '$' (no glyph) included; between runs the green shows.
        {-2.5, 900, 330, magenta, Glyph}, {-2.5, 900, 330, green, None}, {-0.5, 900, 330, black, All},
        {0.5, 900, 330, green, All}, {2.5, 900, 330, green, None}, {2.5, 900, 330, magenta, Glyph}};
    // clang-format on
    for (const auto& [cell, px, py, colour, expect] : probes)
    {
        int near = 0, exact = 0, total = 0;
        const double cx = px + cell * kCellW;
        for (int y = int(py - kCellH / 2 + 2); y <= int(py + kCellH / 2 - 2); ++y)
            for (int x = int(cx - kCellW / 2 + 2); x <= int(cx + kCellW / 2 - 2); ++x, ++total)
            {
                const sf::Color c = image.getPixel({unsigned(x), unsigned(y)});
                near += std::abs(c.r - colour.r) + std::abs(c.g - colour.g) + std::abs(c.b - colour.b) < 150;
                exact += c == colour;
            }
        const bool met = expect == Glyph ? near >= 10 : expect == All ? exact == total : exact == 0;
        EXPECT_TRUE(met) << "cell " << cell << " of the block at " << px << "," << py;
    }
}

namespace
{
sf::Image Capture(DisplayManager& display)
{
    display.cells.Flush();
    sf::Texture capture(display.window.getSize());
    capture.update(display.window);
    return capture.copyToImage();
}

// The runs of pixel rows, between `top` and `bottom`, in which some pixel from `left` to `right`
// differs from `background`: each run is [first, last].
std::vector<std::pair<int, int>> InkBands(const sf::Image& image, sf::Color background, int left, int right,
                                          int top, int bottom)
{
    std::vector<std::pair<int, int>> bands;
    for (int y = top; y <= bottom; ++y)
    {
        bool ink = false;
        for (int x = left; x <= right && !ink; ++x)
            ink = image.getPixel({unsigned(x), unsigned(y)}) != background;
        if (!ink)
            continue;
        if (!bands.empty() && bands.back().second == y - 1)
            bands.back().second = y;
        else
            bands.emplace_back(y, y);
    }
    return bands;
}

// Every printable character the font draws, so each line holds its tallest and its deepest glyphs.
std::string EveryGlyph()
{
    std::string line;
    for (char c = '!'; c <= '~'; ++c)
        if (c != '$')
            line += c;
    return line;
}
} // namespace

TEST_F(Renderer, LinesOfProseKeepRowsOfBackgroundBetweenThemWhereTheGridsRowsTouch)
{
    const std::string line = EveryGlyph();
    const std::string text = line + "\n" + line;
    const sf::Vector2u sizes[] = {
        {1280, 720},
        {640,  360}
    };
    for (const sf::Vector2u size : sizes)
    {
        SCOPED_TRACE(std::to_string(size.x) + " x " + std::to_string(size.y));
        display.window.setSize(size);
        display.ApplyLetterbox(size.x, size.y);
        const int w = int(size.x), h = int(size.y);
        // The block, centred, spans the middle of the area; a margin on each side of its columns.
        const int left = w / 2 - int(static_cast<double>(line.size()) * kCellW * w / 1280.0 / 2.0) - 4;
        const int right = w - left;
        const auto draw = [&](bool prose)
        {
            display.BeginFrame();
            if (prose)
            {
                // Green beneath, from the centre of one line to the centre of the next: the block's
                // background must hide it between the lines too.
                const double unit = h / 20.0;
                sf::RectangleShape beneath({float(right - left), float(kProseLineStep * unit)});
                beneath.setPosition({float(left), float(h / 2.0 - kCellHeight / 2.0 * unit)});
                beneath.setFillColor(sf::Color::Green);
                display.window.draw(beneath);
                DisplayManager::DrawScreenProse({0.0, 0.0}, text, sf::Color::White, 10.0, true);
            }
            else
                DisplayManager::DrawScreenText({0.0, 0.0}, text, sf::Color::White);
            return InkBands(Capture(display), display.clearColour, left + 8, right - 8, 0, h - 1);
        };
        const auto grid = draw(false);
        const auto prose = draw(true);
        ASSERT_EQ(grid.size(), 1u) << "on the grid the two lines touch";
        ASSERT_EQ(prose.size(), 2u) << "each line of prose apart, and no green between them";
        EXPECT_GE(prose[1].first - prose[0].second - 1, 2 * h / 720) << "rows of background between";
        EXPECT_EQ(prose[0].first, grid[0].first) << "the first line where the grid puts it";
        EXPECT_GT(prose[1].second, grid[0].second) << "the block grows downward";
    }
}

TEST_F(Renderer, ASpritesRowsStayOnTheGridAndAProseSpritesRowsTakeTheProseStep)
{
    const std::vector<std::string> rows = {" ___ ", "]$$$|", "|gjo|", "]___|", " d b "};
    std::string frame;
    for (const std::string& row : rows)
        frame += (frame.empty() ? "" : "\n") + row;
    for (const bool prose : {false, true})
    {
        SCOPED_TRACE(prose ? "prose" : "picture");
        constexpr double scale = 1.5;
        const double step = (prose ? kProseLineStep : kCellHeight) * scale;
        auto* block = new GameObject();
        block->SetSprite(Sprite::FromText(frame));
        block->sprite.followsCamera = false;
        block->sprite.scale = scale;
        block->sprite.prose = prose;
        block->x = 1.0;
        block->y = 2.0;
        display.BeginFrame();
        block->Draw();
        const sf::Image whole = Capture(display);

        // The same rows drawn one by one, each a block of its own: the first where the grid puts
        // the first row of the block, the others `step` below each other.
        const double firstRow = block->y + static_cast<double>(rows.size() - 1) * kCellHeight * scale / 2.0;
        display.BeginFrame();
        for (std::size_t r = 0; r < rows.size(); ++r)
        {
            GameObject row;
            row.SetSprite(Sprite::FromText(rows[r]));
            row.sprite.followsCamera = false;
            row.sprite.scale = scale;
            row.x = block->x;
            row.y = firstRow - static_cast<double>(r) * step;
            row.Draw();
        }
        const sf::Image byRows = Capture(display);

        int differing = 0, inked = 0;
        for (unsigned y = 0; y < 720; ++y)
            for (unsigned x = 0; x < 1280; ++x)
            {
                const sf::Color a = whole.getPixel({x, y}), b = byRows.getPixel({x, y});
                differing += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 24;
                inked += a != display.clearColour;
            }
        EXPECT_GT(inked, 500);
        EXPECT_EQ(differing, 0);
    }
}
