#include "engine/world/GameObject.hpp"

#include "display/DisplayManager.hpp"
#include "support/Harness.hpp"

#include <gtest/gtest.h>

namespace
{
class GameObjectTest : public ::testing::Test
{
protected:
    void TearDown() override { testsupport::DestroyWorld(); }
};
} // namespace

TEST_F(GameObjectTest, SetSpriteCopiesTheSpriteAndFitsTheBoxToItsTextAtScaleOne)
{
    auto* object = new GameObject();
    object->boxOffsetX = 1.0;
    object->boxOffsetY = -2.0;
    Sprite sprite = Sprite::FromText("0123456789\n0123456789\n0123456789");
    sprite.scale = 2.5;
    sprite.colour = sf::Color::Red;
    object->SetSprite(sprite);

    EXPECT_DOUBLE_EQ(object->boxWidth, 3.2);
    EXPECT_DOUBLE_EQ(object->boxHeight, 2.1);
    EXPECT_EQ(object->boxOffsetX, 0.0);
    EXPECT_EQ(object->boxOffsetY, 0.0);
    EXPECT_EQ(object->sprite.frames, sprite.frames);
    EXPECT_EQ(object->sprite.scale, 2.5);
    EXPECT_EQ(object->sprite.colour, sf::Color::Red);
}

TEST_F(GameObjectTest, OnlyAVisibleObjectOnAStartedDisplayDrawsAndAdvancesItsAnimation)
{
    DisplayManager::started = false;
    auto* object = new GameObject();
    object->SetSprite(Sprite::FromText("ab"));
    object->sprite.frames.push_back("cd");
    object->Draw();
    object->Draw();
    EXPECT_EQ(object->sprite.frameIndex, 0) << "drawn before the display started";

    DisplayManager::StartUp();
    DisplayManager& display = DisplayManager::getInstance();
    for (double hidden : {0.0, -1.0})
    {
        object->sprite.scale = hidden;
        object->Draw();
        EXPECT_EQ(display.glyphVertexCount, 0u);
        EXPECT_EQ(object->sprite.frameIndex, 0);
    }
    object->sprite.scale = 1.0;
    object->Draw();
    EXPECT_GT(display.glyphVertexCount, 0u);
    EXPECT_EQ(object->sprite.frameIndex, 1);
    display.FlushGlyphs();
}
