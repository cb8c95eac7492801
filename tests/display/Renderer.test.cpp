#include "display/DisplayManager.hpp"
#include "engine/world/GameObject.hpp"
#include "support/Harness.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// At view half-height 10 in a 1280 x 720 area: 36 px per unit, cells of 11.52 x 25.2 px,
// glyph size 32 and a culling margin of 64 px.
constexpr double kUnit = 36.0;
constexpr double kCellW = 0.32 * kUnit;
constexpr double kCellH = 0.7 * kUnit;

struct Bounds
{
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
};

Bounds BoundsOf(const std::vector<sf::Vertex>& vertices, std::size_t from = 0, std::size_t count = ~0u)
{
    Bounds b;
    for (std::size_t i = from; i < vertices.size() && i - from < count; ++i)
    {
        b.left = std::min(b.left, vertices[i].position.x);
        b.right = std::max(b.right, vertices[i].position.x);
        b.top = std::min(b.top, vertices[i].position.y);
        b.bottom = std::max(b.bottom, vertices[i].position.y);
    }
    return b;
}

CellDrawOptions Cells(bool centred = true)
{
    CellDrawOptions o;
    o.centred = centred;
    o.viewHalfHeight = 10.0;
    return o;
}

class Renderer : public ::testing::Test
{
protected:
    DisplayManager& display = DisplayManager::getInstance();

    void SetUp() override { testsupport::ResetWindow(10.0); }
    void TearDown() override { testsupport::DestroyWorld(); }

    // The glyph vertices one DrawCells call adds to an empty batch.
    std::vector<sf::Vertex> Glyphs(const std::string& text, WorldPoint at, const CellDrawOptions& o)
    {
        display.FlushGlyphs();
        display.backgroundVertices.clear();
        display.DrawCells(at, text, sf::Color::White, o);
        return {display.glyphVertices.begin(),
                display.glyphVertices.begin() + static_cast<std::ptrdiff_t>(display.glyphVertexCount)};
    }
};
} // namespace

TEST_F(Renderer, BlocksOutsideTheAreaAreCulledRowByRowAndCellByCell)
{
    const CellDrawOptions o = Cells(false);
    // First row at y = 800, beyond 720 + 64: nothing, whether or not the whole block is culled.
    EXPECT_TRUE(Glyphs("ab\nab\nab", {0.0, (360.0 - 800.0) / kUnit}, o).empty());
    EXPECT_TRUE(Glyphs("ab\nab\nab", {0.0, (360.0 - 2000.0) / kUnit}, o).empty());

    // 100 rows starting 10.5 rows above -64 px: rows 11 to 44 lie within [-64, 784].
    std::string tall;
    for (int row = 0; row < 100; ++row)
        tall += row ? "\nab" : "ab";
    const double y0 = -64.0 - 10.5 * kCellH;
    EXPECT_EQ(Glyphs(tall, {0.0, (360.0 - y0) / kUnit}, o).size(), 34u * 2u * 6u);

    // A row of 200 cells from x = -200 px: cells 12 to 134 lie within [-64, 1344].
    const std::string wide(200, 'a');
    const auto row = Glyphs(wide, {(-200.0 - 640.0) / kUnit, 0.0}, o);
    ASSERT_EQ(row.size(), 123u * 6u);
    EXPECT_NEAR((row[0].position.x + row[1].position.x) / 2.0, -200.0 + 12 * kCellW, 0.01);
}

TEST_F(Renderer, PerRunBackgroundsCoverRunsOfNonSpaceCellsDollarDrawsNothingAndReturnsTakeNoColumn)
{
    CellDrawOptions o = Cells();
    o.background = o.backgroundPerRun = true;

    const auto dollar = Glyphs("a$b", {0.0, 0.0}, o);
    ASSERT_EQ(display.backgroundVertices.size(), 6u) << "one run";
    Bounds run = BoundsOf(display.backgroundVertices);
    EXPECT_NEAR(run.right - run.left, 3 * kCellW, 1e-3);
    EXPECT_NEAR(run.bottom - run.top, kCellH, 1e-3);
    for (const sf::Vertex& v : display.backgroundVertices)
        EXPECT_EQ(v.color, display.clearColour);
    ASSERT_EQ(dollar.size(), 12u) << "'$' is a space glyph, which has no bitmap";
    const float bCentre = (dollar[6].position.x + dollar[7].position.x) / 2.f;
    EXPECT_NEAR(bCentre, 640.0 + kCellW, 0.01) << "'$' still takes its column";

    const auto space = Glyphs("a b", {0.0, 0.0}, o);
    ASSERT_EQ(display.backgroundVertices.size(), 12u) << "two runs";
    const Bounds first = BoundsOf(display.backgroundVertices, 0, 6);
    const Bounds second = BoundsOf(display.backgroundVertices, 6, 6);
    EXPECT_NEAR(first.right - first.left, kCellW, 1e-3);
    EXPECT_NEAR(second.left - first.left, 2 * kCellW, 1e-3);
    EXPECT_NEAR(second.right - second.left, kCellW, 1e-3);
    EXPECT_EQ(space.size(), 12u);

    // Two rows of two cells, centred on the middle of the area, whether or not lines end in '\r'.
    const auto plain = Glyphs("ab\ncd", {0.0, 0.0}, o);
    const auto withReturn = Glyphs("ab\r\ncd", {0.0, 0.0}, o);
    ASSERT_EQ(display.backgroundVertices.size(), 12u);
    const Bounds box = BoundsOf(display.backgroundVertices);
    EXPECT_NEAR(box.left, 640.0 - kCellW, 1e-3);
    EXPECT_NEAR(box.right, 640.0 + kCellW, 1e-3);
    EXPECT_NEAR(box.top, 360.0 - kCellH, 1e-3);
    EXPECT_NEAR(box.bottom, 360.0 + kCellH, 1e-3);
    ASSERT_EQ(withReturn.size(), 24u);
    for (std::size_t i = 0; i < plain.size(); ++i)
        EXPECT_EQ(plain.at(i).position, withReturn[i].position) << "vertex " << i;
}

TEST_F(Renderer, TheDrawingAreaKeepsSixteenByNineInsideAnyWindowShape)
{
    struct Case
    {
        unsigned w, h, areaW, areaH;
    };
    // clang-format off
    const Case cases[] = {{1920, 1080, 1920, 1080}, {1000, 1000, 1000, 563}, {1000, 400, 711, 400}};
    // clang-format on
    for (const auto& c : cases)
    {
        display.ApplyLetterbox(c.w, c.h);
        EXPECT_EQ(display.letterboxWidth, c.areaW);
        EXPECT_EQ(display.letterboxHeight, c.areaH);
        const sf::FloatRect viewport = display.window.getView().getViewport();
        EXPECT_NEAR(viewport.size.x, double(c.areaW) / c.w, 1e-6);
        EXPECT_NEAR(viewport.size.y, double(c.areaH) / c.h, 1e-6);
        EXPECT_NEAR(viewport.position.x * 2 + viewport.size.x, 1.0, 1e-6) << "centred";
        EXPECT_NEAR(viewport.position.y * 2 + viewport.size.y, 1.0, 1e-6) << "centred";
        EXPECT_EQ(display.window.getView().getSize(), sf::Vector2f(float(c.areaW), float(c.areaH)));
    }
}

TEST_F(Renderer, AResizedWindowIsPulledBackToSixteenByNineAlongTheSideMovedLess)
{
    int passedOn = 0;
    display.SetEventCallback([&](const sf::Event& e) { passedOn += e.is<sf::Event::Resized>(); });
    const auto resize = [&](unsigned w, unsigned h)
    { return display.HandleWindowEvent(sf::Event::Resized{sf::Vector2u(w, h)}); };

    // Width moved by 20, height by 2: the height follows the width.
    EXPECT_TRUE(resize(1300, 722));
    EXPECT_EQ(display.window.getSize(), sf::Vector2u(1300, 731));
    EXPECT_EQ(display.letterboxWidth, 1300u);
    EXPECT_EQ(display.letterboxHeight, 731u);

    // Height moved more: the width follows, rnd(800 * 16 / 9) = 1422.
    resize(1310, 800);
    EXPECT_EQ(display.window.getSize(), sf::Vector2u(1422, 800));
    EXPECT_EQ(display.letterboxWidth, 1422u);

    // As wide as the desktop: left alone, letterboxed.
    resize(sf::VideoMode::getDesktopMode().size.x, 600);
    EXPECT_EQ(display.window.getSize(), sf::Vector2u(1422, 800));
    EXPECT_EQ(display.letterboxHeight, 600u);
    EXPECT_EQ(display.letterboxWidth, 1067u);
    EXPECT_EQ(passedOn, 3);
}

TEST_F(Renderer, LeavingFullscreenRestoresTheRememberedSizeUnlessItIsDesktopWide)
{
    const sf::Vector2u desktop = sf::VideoMode::getDesktopMode().size;
    const sf::Vector2u cases[][3] = {
        {{1000, 600},      {1000, 600}, {1000, 563}},
        {{desktop.x, 600}, {1280, 720}, {1280, 720}}
    };
    for (const auto& [remembered, restored, area] : cases)
    {
        display.window.setSize(remembered);
        display.SetFullscreen(true);
        EXPECT_EQ(display.window.getSize(), desktop);
        EXPECT_EQ(display.letterboxHeight, std::min(desktop.y, unsigned(desktop.x * 9.0 / 16.0 + 0.5)));
        display.SetFullscreen(false);
        EXPECT_FALSE(display.fullscreen);
        EXPECT_EQ(display.window.getSize(), restored);
        EXPECT_EQ(sf::Vector2u(display.letterboxWidth, display.letterboxHeight), area);
    }
}

TEST_F(Renderer, PixelsInTheBlackBarsMapOutsideTheVisibleWorld)
{
    display.cameraHalfHeight = 12.0;
    display.cameraPosition = {40.0, -7.0}; // not part of the conversion
    display.window.setSize({1000, 1000});
    display.ApplyLetterbox(1000, 1000); // 1000 x 563, bars of 218.5 px above and below
    ASSERT_EQ(display.window.getSize(), sf::Vector2u(1000, 1000));
    const double u = 563.0 / 24.0;
    const WorldPoint centre = display.PixelToWorld({500, 500});
    EXPECT_NEAR(centre.x, 0.0, 0.05);
    EXPECT_NEAR(centre.y, 0.0, 0.05);
    const WorldPoint top = display.PixelToWorld({500, 10});
    EXPECT_NEAR(top.y, (281.5 + 208.5) / u, 0.05);
    EXPECT_GT(top.y, 12.0);
    EXPECT_LT(display.PixelToWorld({500, 990}).y, -12.0);

    display.window.setSize({1000, 400});
    display.ApplyLetterbox(1000, 400); // 711 x 400, bars of 144.5 px left and right
    const WorldPoint left = display.PixelToWorld({5, 200});
    EXPECT_NEAR(left.x, (5.0 - 144.5 - 355.5) / (400.0 / 24.0), 0.1);
    EXPECT_LT(left.x, -21.34);
    EXPECT_GT(display.PixelToWorld({995, 200}).x, 21.34);
}

TEST_F(Renderer, TheFontIsNeverAskedForMoreThan256PixelsAndTheGlyphsAreScaledInstead)
{
    CellDrawOptions o = Cells();
    o.viewHalfHeight = 0.5; // would be a 640 px glyph
    const auto huge = Glyphs("M", {0.0, 0.0}, o);
    EXPECT_EQ(display.glyphCharSize, 256u);
    ASSERT_EQ(huge.size(), 6u);
    const sf::FloatRect m = display.font.getGlyph(U'M', 256, false, 0.f).bounds;
    const Bounds quad = BoundsOf(huge);
    EXPECT_NEAR(quad.right - quad.left, 2.5 * (m.size.x + 2.0), 0.01);
    EXPECT_NEAR(quad.bottom - quad.top, 2.5 * 1.1 * (m.size.y + 2.0), 0.01);

    o.viewHalfHeight = 1e5; // far below one pixel: size 1
    Glyphs("M", {0.0, 0.0}, o);
    EXPECT_EQ(display.glyphCharSize, 1u);
    o.viewHalfHeight = 10.0;
    Glyphs("M", {0.0, 0.0}, o);
    EXPECT_EQ(display.glyphCharSize, 32u);
}

namespace
{
struct Cell
{
    int strong = 0; // pixels close to the glyph colour
    int other = 0;  // pixels showing the unwanted colour at all
    int exact = 0;  // pixels equal to the expected background
    int total = 0;
};

// Looks at the inside of one cell centred at (cx, cy). Glyphs of this font are wider than a cell
// and reach into their neighbours, so the clear cells probed lie two cells from any glyph.
template <typename Strong, typename Other>
Cell Inspect(const sf::Image& image, double cx, double cy, sf::Color background, Strong strong, Other other)
{
    Cell cell;
    for (int y = int(cy - kCellH / 2 + 2); y <= int(cy + kCellH / 2 - 2); ++y)
        for (int x = int(cx - kCellW / 2 + 2); x <= int(cx + kCellW / 2 - 2); ++x)
        {
            const sf::Color p = image.getPixel({unsigned(x), unsigned(y)});
            cell.strong += strong(p);
            cell.other += other(p);
            cell.exact += p == background;
            ++cell.total;
        }
    return cell;
}

GameObject* Text(const std::string& text, sf::Color colour, double px, double py, bool followsCamera)
{
    auto* object = new GameObject();
    object->SetSprite(Sprite::FromText(text));
    object->sprite.colour = colour;
    object->sprite.followsCamera = followsCamera;
    // Screen-fixed and camera-following objects both see 36 px per unit at half-height 10.
    object->x = (px - 640.0) / kUnit;
    object->y = (360.0 - py) / kUnit;
    return object;
}
} // namespace

TEST_F(Renderer, ARenderedFrameShowsGlyphColoursTransparentSpacesAndOpaqueBoxes)
{
    display.cameraPosition = {2.0, 1.0};
    // Camera-following: drawn at its position minus the camera, so add the camera back.
    GameObject* red = Text("#   #", sf::Color::Red, 352.0, 180.0, true);
    red->x += 2.0;
    red->y += 1.0;
    GameObject* overGreen = Text("#   #", sf::Color::Red, 800.0, 200.0, false);
    GameObject* boxed = Text("#   #", sf::Color::Blue, 1000.0, 200.0, false);
    boxed->sprite.background = true;
    GameObject* runs = Text("##   #", sf::Color::Magenta, 900.0, 330.0, false);
    runs->sprite.background = runs->sprite.backgroundPerRun = true;

    display.window.clear(display.clearColour);
    sf::RectangleShape green({400.f, 300.f}); // beneath the three screen-fixed texts
    green.setPosition({700.f, 100.f});
    green.setFillColor(sf::Color::Green);
    display.window.draw(green);
    for (GameObject* object : {red, overGreen, boxed, runs})
        object->Draw();
    display.FlushGlyphs();

    sf::Texture capture(display.window.getSize());
    capture.update(display.window);
    ASSERT_TRUE(capture.copyToImage().saveToFile("frame.png"));
    if (const char* keep = std::getenv("HINGEWALK_KEEP_PNG"))
        std::filesystem::copy_file("frame.png", keep, std::filesystem::copy_options::overwrite_existing);
    sf::Image image;
    ASSERT_TRUE(image.loadFromFile("frame.png"));

    const auto isRed = [](sf::Color p) { return p.r >= 200 && p.g < 60 && p.b < 60; };
    const auto isBlue = [](sf::Color p) { return p.b >= 200 && p.r < 60 && p.g < 60; };
    const auto isMagenta = [](sf::Color p) { return p.r >= 200 && p.b >= 200 && p.g < 60; };
    const auto anyGreen = [](sf::Color p) { return p.g > 10; };
    const auto anyLight = [](sf::Color p) { return p.r + p.g + p.b > 0; };
    const sf::Color black = display.clearColour;

    // Over the clear colour: glyph pixels in the sprite's colour, the spaces stay clear.
    for (int c : {0, 4})
        EXPECT_GE(Inspect(image, 352.0 + (c - 2) * kCellW, 180.0, black, isRed, anyLight).strong, 10)
            << "red cell " << c;
    const Cell gap = Inspect(image, 352.0, 180.0, black, isRed, anyLight);
    EXPECT_EQ(gap.exact, gap.total);

    // Without a box the green beneath shows through the spaces.
    const Cell through = Inspect(image, 800.0, 200.0, sf::Color::Green, isRed, anyGreen);
    EXPECT_EQ(through.exact, through.total);
    EXPECT_GE(Inspect(image, 800.0 - 2 * kCellW, 200.0, sf::Color::Green, isRed, anyGreen).strong, 10);

    // A whole-block box hides the green everywhere, glyphs drawn on top.
    for (int c = 0; c < 5; ++c)
    {
        const Cell cell = Inspect(image, 1000.0 + (c - 2) * kCellW, 200.0, black, isBlue, anyGreen);
        EXPECT_EQ(cell.other, 0) << "boxed cell " << c;
        EXPECT_GE(cell.strong, c % 4 == 0 ? 10 : 0) << "boxed cell " << c;
        EXPECT_TRUE(c != 2 || cell.exact == cell.total) << "the middle of the box is plain clear colour";
    }
    EXPECT_EQ(image.getPixel({966, 200}), sf::Color::Green) << "just left of the box";
    EXPECT_EQ(image.getPixel({1000, 184}), sf::Color::Green) << "just above the box";

    // Per-run boxes cover the runs only: between them the green shows.
    for (int c : {0, 1, 5})
    {
        const Cell cell = Inspect(image, 900.0 + (c - 2.5) * kCellW, 330.0, black, isMagenta, anyGreen);
        EXPECT_EQ(cell.other, 0) << "run cell " << c;
        EXPECT_GE(cell.strong, 10) << "run cell " << c;
    }
    const Cell runGap = Inspect(image, 900.0 + 0.5 * kCellW, 330.0, sf::Color::Green, isMagenta, anyGreen);
    EXPECT_EQ(runGap.exact, runGap.total);
}
