#include "resources/Colour.hpp"
#include "resources/ResourceManager.hpp"
#include "support/Harness.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
const std::string kPath = "sprites-under-test/Sample.txt";

Sprite Load(const std::string& content)
{
    testsupport::WriteFile(kPath, content);
    return ResourceManager::LoadSprite(kPath);
}

std::string FailureOf(const std::string& content)
{
    return testsupport::ErrorOf([&] { Load(content); });
}

std::string ColourFailure(const std::string& text)
{
    return testsupport::ErrorOf([&] { ParseColour(text, "sprites/X.txt"); });
}

std::vector<std::string> Frames(Sprite sprite, int draws)
{
    std::vector<std::string> shown;
    for (int i = 0; i < draws; ++i)
        shown.push_back(sprite.TakeFrame());
    return shown;
}

// Frames, width, height and slowdown.
using Lines = std::vector<std::string>;
using Shape = std::tuple<Lines, std::int32_t, std::int32_t, std::int32_t>;

Shape ShapeOf(const Sprite& sprite)
{
    return {sprite.frames, sprite.width, sprite.height, sprite.frameSlowdown};
}

Sprite ThreeFrames(std::int32_t slowdown)
{
    Sprite sprite;
    sprite.frames = {"a", "b", "c"};
    sprite.frameSlowdown = slowdown;
    return sprite;
}
} // namespace

TEST(SpriteFile, FramesAreGroupsOfHeightLinesWhereAFinalLineBreakAddsNoLineButEmptyLinesCount)
{
    const Sprite sprite = Load("3x2\n4\ncyan\n a$\n\nc  \nd\n");
    EXPECT_EQ(ShapeOf(sprite), Shape({" a$\n", "c  \nd"}, 3, 2, 4));
    EXPECT_EQ(sprite.colour, sf::Color::Cyan);
    EXPECT_EQ(Load("1x1\n0\nred\na").frames, Lines{"a"});
    EXPECT_EQ(Load("1x1\n0\nred\na\n").frames, Lines{"a"});
    EXPECT_EQ(Load("1x1\n0\nred\na\n\n").frames, (Lines{"a", ""}));
}

TEST(SpriteFile, AByteOrderMarkAndCrLfLineEndsReadLikePlainText)
{
    const Sprite plain = Load("2x2\n-1\n255,128,0\n/\\\n\\/\n");
    const Sprite windows = Load("\xEF\xBB\xBF"
                                "2x2\r\n-1\r\n255,128,0\r\n/\\\r\n\\/\r\n");
    EXPECT_EQ(ShapeOf(windows), ShapeOf(plain));
    EXPECT_EQ(ShapeOf(windows), Shape({"/\\\n\\/"}, 2, 2, -1));
    EXPECT_EQ(windows.colour, plain.colour);
    // Only one '\r' per line is a line end; any other is kept.
    EXPECT_EQ(Load("1x1\n0\nred\nx\r\r\n").frames, Lines{"x\r"});
}

TEST(SpriteFile, NumbersAreReadLikeTheStandardIntegerConversion)
{
    EXPECT_EQ(ShapeOf(Load("12 x 1\n  -3 draws\nblue\nrow\n")), Shape({"row"}, 12, 1, -3));
    EXPECT_EQ(Load("5x1cm\n2\nred\nr\n").width, 5);
    EXPECT_THROW(Load("ax1\n0\nred\nr\n"), std::invalid_argument);
    EXPECT_THROW(Load("1x1\nslow\nred\nr\n"), std::invalid_argument);
    EXPECT_THROW(Load("99999999999x1\n0\nred\nr\n"), std::out_of_range);
}

TEST(SpriteFile, EveryFileErrorNamesTheProblemAndThePath)
{
    const std::string in = " in: " + kPath;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"",                              "ResourceManager: missing dimensions line" + in                   },
        {"0x5\n0\nred\na\n",              "ResourceManager: non-positive dimensions" + in                   },
        {"3x-1\n0\nred\na\n",             "ResourceManager: non-positive dimensions" + in                   },
        {"5X5\n0\nred\na\n",              "ResourceManager: bad dimensions \"5X5\"" + in                    },
        {"\xEF\xBB\xBF"
         "5X5\r\n",              "ResourceManager: bad dimensions \"5X5\"" + in                    },
        {"1x1",                           "ResourceManager: missing frame slowdown line" + in               },
        {"1x1\n0\n",                      "ResourceManager: missing color line" + in                        },
        {"3x2\n4\ncyan\n",                "ResourceManager: frame data doesn't divide evenly by height" + in},
        {"3x2\n4\ncyan\na\nb\nc\nd\ne\n", "ResourceManager: frame data doesn't divide evenly by height" + in},
        {"1x1\n0\nmauve\na\n",            "ResourceManager: unknown color name \"mauve\"" + in              },
    };
    for (const auto& [content, message] : cases)
        EXPECT_EQ(FailureOf(content), message) << "file: " << content;

    EXPECT_EQ(FailureOf("3x2\n4\ncyan\na\nb\nc\nd\n"), "(no error)");
    std::filesystem::remove(kPath);
    EXPECT_EQ(testsupport::ErrorOf([] { ResourceManager::LoadSprite(kPath); }),
              "ResourceManager: failed to open sprite file: " + kPath);
}

TEST(Colour, NamesAndComponentListsIgnoreWhitespaceAndNameCase)
{
    EXPECT_EQ(ParseColour(" 255 , 128 , 0 ", "p"), sf::Color(255, 128, 0, 255));
    EXPECT_EQ(ParseColour("255,128,0,64", "p"), sf::Color(255, 128, 0, 64));
    EXPECT_EQ(ParseColour("\t1,\n2,+3\r", "p"), sf::Color(1, 2, 3, 255));
    EXPECT_EQ(ParseColour("Red", "p"), sf::Color::Red);
    EXPECT_EQ(ParseColour("RED", "p"), sf::Color::Red);
    EXPECT_EQ(ParseColour("ma genta", "p"), sf::Color::Magenta);
    EXPECT_EQ(ParseColour("transparent", "p"), sf::Color(0, 0, 0, 0));
}

TEST(Colour, EveryColourErrorHasItsOwnMessage)
{
    const std::string in = " in: sprites/X.txt";
    const std::string notAColour = "ResourceManager: color must be a name or \"R,G,B[,A]\"" + in;
    const std::string outOfRange = "ResourceManager: color component out of range (0-255)" + in;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {" \t ",            "ResourceManager: empty color" + in                              },
        {" Dark Red ",      "ResourceManager: unknown color name \"DarkRed\"" + in           },
        {"255,0,",          "ResourceManager: bad color component \"\" (trailing comma)" + in},
        {"255,,0",          "ResourceManager: bad color component \"\"" + in                 },
        {"255,1.5,0",       "ResourceManager: bad color component \"1.5\"" + in              },
        {"0,0,99999999999", "ResourceManager: bad color component \"99999999999\"" + in      },
        {"256,0,0",         outOfRange                                                       },
        {"-1,0,0",          outOfRange                                                       },
        {"255,128",         notAColour                                                       },
        {"1,2,3,4,5",       notAColour                                                       },
 // Components are read left to right; the first bad one decides.
        {"300,x,0",         outOfRange                                                       },
        {"0,x,300",         "ResourceManager: bad color component \"x\"" + in                },
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(ColourFailure(text), message) << "colour: " << text;
}

TEST(SpriteAnimation, TakeFrameShowsEachFrameForSlowdownDrawsAndAnIndexOutsideStartsAgain)
{
    const Lines everyDraw = {"a", "b", "c", "a"};
    EXPECT_EQ(Frames(ThreeFrames(0), 4), everyDraw);
    EXPECT_EQ(Frames(ThreeFrames(1), 4), everyDraw);
    EXPECT_EQ(Frames(ThreeFrames(2), 7), (Lines{"a", "a", "b", "b", "c", "c", "a"}));
    EXPECT_EQ(Frames(ThreeFrames(-1), 3), (Lines{"a", "a", "a"}));

    // A held animation shows whatever frame its owner picks.
    Sprite held = ThreeFrames(-1);
    held.frameIndex = 2;
    EXPECT_EQ(Frames(held, 2), (Lines{"c", "c"}));

    for (std::int32_t index : {3, 17, -1})
    {
        Sprite sprite = ThreeFrames(0);
        sprite.frameIndex = index;
        EXPECT_EQ(Frames(sprite, 2), (Lines{"a", "b"})) << index;
    }
    Sprite empty;
    empty.frameIndex = 4;
    EXPECT_EQ(empty.TakeFrame(), "");
}
