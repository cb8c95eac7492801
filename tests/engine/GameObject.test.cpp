#include "engine/GameObject.hpp"

#include "display/DisplayManager.hpp"
#include "engine/WorldManager.hpp"
#include "support/Harness.hpp"

#include <gtest/gtest.h>
#include <regex>

namespace
{
class GameObjectTest : public ::testing::Test
{
  protected:
    void TearDown() override { testsupport::DestroyWorld(); }
};

Sprite TwoFrames()
{
    Sprite sprite;
    sprite.frames = {"ab", "cd"};
    sprite.width = 2;
    sprite.height = 1;
    return sprite;
}
} // namespace

TEST_F(GameObjectTest, AFreshObjectIsAnXAtTheOriginAndTheLastObjectOfTheWorld)
{
    new GameObject();
    auto* object = new GameObject();
    EXPECT_EQ(WorldManager::getInstance().objects.back(), object);
    EXPECT_EQ(WorldManager::getInstance().objects.size(), 2u);

    EXPECT_EQ(object->x, 0.0);
    EXPECT_EQ(object->y, 0.0);
    EXPECT_EQ(object->depth, 0.0);
    EXPECT_EQ(object->velocityX, 0.0);
    EXPECT_EQ(object->velocityY, 0.0);
    EXPECT_EQ(object->solidness, Solid);
    EXPECT_EQ(object->type, "Generic");
    EXPECT_TRUE(std::regex_match(object->id, std::regex("ID_[0-9]+"))) << object->id;
    EXPECT_EQ(object->sprite.frames, std::vector<std::string>{"x"});
    EXPECT_EQ(object->sprite.width, 1);
    EXPECT_EQ(object->sprite.height, 1);
    EXPECT_DOUBLE_EQ(object->boxWidth, 0.32);
    EXPECT_DOUBLE_EQ(object->boxHeight, 0.7);
    EXPECT_EQ(object->boxOffsetX, 0.0);
    EXPECT_EQ(object->boxOffsetY, 0.0);
    EXPECT_TRUE(object->subscriptions.empty());
}

TEST_F(GameObjectTest, SetSpriteCopiesTheSpriteAndFitsTheBoxToItsTextAtScaleOne)
{
    auto* object = new GameObject();
    object->boxOffsetX = 1.0;
    object->boxOffsetY = -2.0;
    Sprite sprite;
    sprite.frames = {"0123456789\n0123456789\n0123456789"};
    sprite.width = 10;
    sprite.height = 3;
    sprite.scale = 2.5;
    sprite.colour = sf::Color::Red;
    sprite.frameSlowdown = -1;
    object->SetSprite(sprite);

    EXPECT_DOUBLE_EQ(object->boxWidth, 3.2);
    EXPECT_DOUBLE_EQ(object->boxHeight, 2.1);
    EXPECT_EQ(object->boxOffsetX, 0.0);
    EXPECT_EQ(object->boxOffsetY, 0.0);
    EXPECT_EQ(object->sprite.frames, sprite.frames);
    EXPECT_EQ(object->sprite.scale, 2.5);
    EXPECT_EQ(object->sprite.colour, sf::Color::Red);
    EXPECT_EQ(object->sprite.frameSlowdown, -1);
}

TEST_F(GameObjectTest, AHiddenObjectDrawsNothingAndKeepsItsFrame)
{
    DisplayManager::StartUp();
    DisplayManager& display = DisplayManager::getInstance();
    auto* object = new GameObject();
    object->SetSprite(TwoFrames());

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

TEST_F(GameObjectTest, DrawingBeforeTheDisplayStartsDoesNotAdvanceTheAnimation)
{
    const bool wasStarted = DisplayManager::started;
    DisplayManager::started = false;
    auto* object = new GameObject();
    object->SetSprite(TwoFrames());
    object->Draw();
    object->Draw();
    EXPECT_EQ(object->sprite.frameIndex, 0);
    DisplayManager::started = wasStarted;
}
