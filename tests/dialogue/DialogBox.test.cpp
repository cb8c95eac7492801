// The dialogue box as drawn: each speaker's page, portrait and waiting marker measured on the
// rendered pixels.
#include "dialogue/DialogBox.hpp"

#include "display/DisplayManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "support/Harness.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace
{
struct Box
{
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;

    bool Empty() const { return right < left; }
    void Add(int x, int y)
    {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    bool Meets(const Box& o) const
    {
        return !Empty() && !o.Empty() && left <= o.right && o.left <= right && top <= o.bottom &&
               o.top <= bottom;
    }
    // Inside the box `o`, whose edges are pixels of something else, with rows and columns of
    // background between.
    bool Within(const Box& o) const
    {
        constexpr int gap = 3;
        return Empty() ||
               (o.left + gap < left && right + gap < o.right && o.top + gap < top && bottom + gap < o.bottom);
    }
};

std::ostream& operator<<(std::ostream& out, const Box& b)
{
    return out << "[" << b.left << ".." << b.right << " x " << b.top << ".." << b.bottom << "]";
}

sf::Image Capture()
{
    DisplayManager& display = DisplayManager::getInstance();
    display.cells.Flush();
    sf::Texture capture(display.window.getSize());
    capture.update(display.window);
    return capture.copyToImage();
}

// One object alone on a cleared window.
sf::Image DrawnAlone(GameObject& object)
{
    DisplayManager::getInstance().BeginFrame();
    object.Draw();
    return Capture();
}

// The pixels of `image` that differ from `under`.
Box Ink(const sf::Image& image, const sf::Image& under)
{
    Box ink;
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x)
            if (image.getPixel({x, y}) != under.getPixel({x, y}))
                ink.Add(int(x), int(y));
    return ink;
}

// The inner edges of the frame around pixel (x, y): the first drawn pixel to each side.
Box Inside(const sf::Image& frame, int x, int y, sf::Color background)
{
    const auto drawn = [&](int px, int py) {
        return frame.getPixel({unsigned(px), unsigned(py)}) != background;
    };
    Box inside;
    for (inside.left = x; inside.left > 0 && !drawn(inside.left, y);)
        --inside.left;
    for (inside.right = x; inside.right < int(frame.getSize().x) - 1 && !drawn(inside.right, y);)
        ++inside.right;
    for (inside.top = y; inside.top > 0 && !drawn(x, inside.top);)
        --inside.top;
    for (inside.bottom = y; inside.bottom < int(frame.getSize().y) - 1 && !drawn(x, inside.bottom);)
        ++inside.bottom;
    return inside;
}

// Four full lines of the page's width, every glyph of the font among them, so the page reaches as
// far right, up and down as any page can.
std::string FullPage(std::int32_t columns, bool wrapped)
{
    std::string glyphs;
    for (char c = '!'; c <= '~'; ++c)
        if (c != '$')
            glyphs += c;
    std::string page;
    std::size_t next = 0;
    for (int line = 0; line < 4; ++line)
    {
        std::string text;
        for (std::int32_t i = 0; i < columns; ++i)
            text += i == columns / 2 ? ' ' : glyphs[next++ % glyphs.size()];
        page += (line == 0 ? "" : wrapped ? " " : "\n") + text;
    }
    return page;
}

double Luminance(sf::Color c)
{
    const auto linear = [](std::uint8_t v)
    {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}
} // namespace

TEST(DialogBox, PagePortraitAndMarkerKeepTheirOwnPlacesInsideTheBorder)
{
    testsupport::ResetWindow(10.0);
    DisplayManager& display = DisplayManager::getInstance();
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    DialogBox box;
    DialogDisplay portrait;
    DialogFlasher marker;
    marker.sprite.colour.a = 255; // at the height of its pulse
    const sf::Image frame = DrawnAlone(box);
    const Box inside = Inside(frame, int(640 + 36 * box.x), int(360 - 36 * box.y), display.clearColour);
    ASSERT_GT(inside.right - inside.left, 900) << inside;
    ASSERT_GT(inside.bottom - inside.top, 150) << inside;
    const sf::Image blank = [&]
    {
        display.BeginFrame();
        return Capture();
    }();
    const Box markerInk = Ink(DrawnAlone(marker), blank);
    EXPECT_TRUE(markerInk.Within(inside)) << markerInk << " in " << inside;

    // A page of each speaker, as the snapshots show them: dialogue, page.
    // clang-format off
    const struct { const char* who; std::int32_t dialogue, page; bool portrait; } speakers[] = {
        {"door", 2, 3, true}, {"door on the right", 8, 1, true}, {"brown door", 32, 2, true},
        {"bridge", 52, 1, true}, {"dragon", 45, 3, true}, {"unknown", 50, 9, true},
        {"narrator", 51, 2, false}, {"wizard", 90, 4, true}, {"eagle", 112, 0, true},
        {"big door", 84, 1, true}};
    // clang-format on
    for (const auto& s : speakers)
    {
        SCOPED_TRACE(s.who);
        data.dialogNumber = s.dialogue;
        data.dialogPage = s.page;
        data.dialogText = FullPage(box.sprite.width - 30, s.portrait);
        const Box page = Ink(DrawnAlone(box), frame);
        portrait.SetSpeaker(s.dialogue, s.page);
        const sf::Image drawnPortrait = DrawnAlone(portrait);
        const Box picture = Ink(drawnPortrait, blank);
        EXPECT_EQ(!picture.Empty(), s.portrait);

        EXPECT_GT(page.bottom - page.top, 3 * 36) << "four lines: " << page;
        EXPECT_TRUE(page.Within(inside)) << page << " in " << inside;
        EXPECT_TRUE(picture.Within(inside)) << picture << " in " << inside;
        EXPECT_FALSE(page.Meets(picture)) << page << " and " << picture;
        EXPECT_FALSE(page.Meets(markerInk)) << page << " and " << markerInk;
        EXPECT_FALSE(picture.Meets(markerInk)) << picture << " and " << markerInk;

        // Its brightest stroke stands out from the box's black as text should (4.5 : 1).
        double brightest = 0.0;
        for (int y = picture.top; y <= picture.bottom; ++y)
            for (int x = picture.left; x <= picture.right; ++x)
                brightest =
                    std::max(brightest, Luminance(drawnPortrait.getPixel({unsigned(x), unsigned(y)})));
        EXPECT_GE((brightest + 0.05) / (Luminance(display.clearColour) + 0.05), s.portrait ? 4.5 : 1.0);
    }
}
