// The end of the first game's question: the answers come with the question above them, and both
// go with the answer.
#include "game/AnswerButtons.hpp"

#include "support/GameTest.hpp"
#include "widgets/MouseFollower.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

namespace
{
// Pixels that are not the clear colour in a band of the window, `top` to `bottom` pixels down.
int LitPixelsIn(unsigned top, unsigned bottom)
{
    const sf::RenderWindow& window = DisplayManager::getInstance().window;
    sf::Texture capture(window.getSize());
    capture.update(window);
    const sf::Image image = capture.copyToImage();
    int lit = 0;
    for (unsigned y = top; y < bottom; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x)
            lit += image.getPixel({x, y}) != DisplayManager::getInstance().clearColour ? 1 : 0;
    return lit;
}
} // namespace

TEST(AnswerButtons, TheQuestionStaysOnScreenWhileItsAnswersWaitAndGoesWithThem)
{
    GameDriver game;
    ResetWindow(12.0);
    new MouseFollower();
    ASSERT_TRUE(PlayDialogue(game, 44));
    ASSERT_EQ(LiveObjects<AnswerQuestion>().size(), 1u);
    AnswerQuestion* question = LiveObjects<AnswerQuestion>().at(0);
    EXPECT_EQ(question->question, "So. Should I knock?") << "the dialogue's last page";
    game.Frames(30);
    EXPECT_FALSE(LiveObjects<AnswerQuestion>().empty()) << "it waits as long as the answers";

    // Drawn alone, it lights the band above the Yes button (y 3 is 252 px down).
    DisplayManager& display = DisplayManager::getInstance();
    display.BeginFrame();
    question->Draw();
    display.cells.Flush();
    EXPECT_GT(LitPixelsIn(100, 160), 300);
    EXPECT_EQ(LitPixelsIn(160, 720), 0);

    ClickOn(game, kMaybe);
    game.Frame();
    EXPECT_TRUE(LiveObjects<AnswerQuestion>().empty());
    EXPECT_TRUE(LiveObjects<AnswerButton>().empty());
    EXPECT_EQ(Data().dialogNumber, 49);
}
