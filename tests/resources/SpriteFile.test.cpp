// Sprite files and colours: what a file reads as, the message of every way it can be wrong, and
// how a sprite steps through its frames.
#include "resources/SpriteFile.hpp"

#include "resources/Colour.hpp"
#include "resources/ResourceManager.hpp"
#include "support/Harness.hpp"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <utility>

namespace
{
const std::string kPath = "sprites-under-test/Sample.txt";

// An error's message without its "ResourceManager: " prefix and " in: PATH" suffix, which every
// message must have; "" without an error.
std::string Problem(const std::function<void()>& action, const std::string& path)
{
    const std::string error = testsupport::ErrorOf(action),
                      prefix = "ResourceManager: ", suffix = " in: " + path;
    if (error == "(no error)")
        return "";
    EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
    EXPECT_EQ(error.size() - error.rfind(suffix), suffix.size()) << error;
    return error.substr(prefix.size(), error.size() - prefix.size() - suffix.size());
}

// "WxH slowdown|frame|frame..." for a file that loads, else the problem.
std::string Read(const std::string& content)
{
    testsupport::WriteFile(kPath, content);
    Sprite sprite;
    const std::string problem = Problem([&] { sprite = ResourceManager::LoadSprite(kPath); }, kPath);
    std::string shown = std::to_string(sprite.width) + "x" + std::to_string(sprite.height) + " " +
                        std::to_string(sprite.frameSlowdown);
    for (const std::string& frame : sprite.frames)
        shown += "|" + frame;
    return problem.empty() ? shown : problem;
}

// "R,G,B,A", else the problem.
std::string Colour(const std::string& text)
{
    sf::Color c;
    const std::string problem = Problem([&] { c = ParseColour(text, "sprites/X.txt"); }, "sprites/X.txt");
    const auto part = [](std::uint8_t value) { return std::to_string(value); };
    return !problem.empty() ? problem : part(c.r) + "," + part(c.g) + "," + part(c.b) + "," + part(c.a);
}
} // namespace

TEST(SpriteFile, FramesAreGroupsOfHeightLinesAndEveryErrorNamesTheProblemAndThePath)
{
    using namespace std::string_literals;
    const std::string uneven = "frame data doesn't divide evenly by height";
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        // A final line break adds no line, an empty line is one; a byte-order mark and CR LF read
        // like plain text, but only one CR per line ends it; numbers read like std::stoi.
        {"3x2\n4\ncyan\n a$\n\nc  \nd\n", "3x2 4| a$\n|c  \nd"}, {"1x1\n0\ncyan\na", "1x1 0|a"},
        {"1x1\n0\ncyan\na\n\n", "1x1 0|a|"}, {"1x1\n0\ncyan\nx\r\r\n", "1x1 0|x\r"},
        {"5x1cm\n2\ncyan\nr\n", "5x1 2|r"},
        {"\xEF\xBB\xBF" "2x2\r\n-1\r\ncyan\r\n/\\\r\n\\/\r\n", "2x2 -1|/\\\n\\/"},
        {"12 x 1\n  -3 draws\ncyan\nrow\n", "12x1 -3|row"}, {"", "missing dimensions line"},
        {"1x1\n0\n", "missing color line"}, {"1x1", "missing frame slowdown line"},
        {"3x2\n4\ncyan\n", uneven}, {"0x5\n0\nred\na\n", "non-positive dimensions"},
        {"3x-1\n0\nred\na\n", "non-positive dimensions"}, {"5X5\n0\nred\na\n", "bad dimensions \"5X5\""},
        {"3x2\n4\ncyan\na\nb\nc\nd\ne\n", uneven}, {"1x1\n0\nmauve\na\n", "unknown color name \"mauve\""},
        // An error's text ends at its first NUL byte, so a NUL quoted from a file shows as "\0"
        // and the path still follows (a file saved as UTF-16 is full of them).
        {"5\0X5\n0\nred\na\n"s, "bad dimensions \"5\\0X5\""},
        {"1x1\n0\nre\0d\na\n"s, "unknown color name \"re\\0d\""},
        {"\xFF\xFE" "5\0X\0" "5\0\r\0\n\0"s, "bad dimensions \"\xFF\xFE" "5\\0X\\05\\0\r\\0\""},
    };
    // clang-format on
    for (const auto& [content, outcome] : cases)
        EXPECT_EQ(Read(content), outcome) << "file: " << content;
    std::filesystem::remove(kPath);
    EXPECT_EQ(testsupport::ErrorOf([] { ResourceManager::LoadSprite(kPath); }),
              "ResourceManager: failed to open sprite file: " + kPath);
}

TEST(Colour, NamesAndComponentListsIgnoreWhitespaceAndNameCaseAndEveryErrorHasItsOwnMessage)
{
    using namespace std::string_literals;
    const std::string notAColour = "color must be a name or \"R,G,B[,A]\"";
    const std::string outOfRange = "color component out of range (0-255)";
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {" 255 , 128 , 0 ", "255,128,0,255"}, {"255,128,0,64", "255,128,0,64"}, {"\t1,\n2,+3\r", "1,2,3,255"},
        {"RED", "255,0,0,255"}, {"ma genta", "255,0,255,255"}, {"transparent", "0,0,0,0"},
        {" \t ", "empty color"}, {" Dark Red ", "unknown color name \"DarkRed\""},
        {"255,0,", "bad color component \"\" (trailing comma)"}, {"255,,0", "bad color component \"\""},
        // Components are read left to right; the first bad one decides.
        {"255,1.5,0", "bad color component \"1.5\""}, {"300,x,0", outOfRange},
        {"0,0,99999999999", "bad color component \"99999999999\""}, {"0,x,300", "bad color component \"x\""},
        {"256,0,0", outOfRange}, {"-1,0,0", outOfRange}, {"255,128", notAColour}, {"1,2,3,4,5", notAColour},
        {"1,\0,3"s, "bad color component \"\\0\""}, {"\0\0"s, "bad color component \"\\0\\0\""},
    };
    // clang-format on
    for (const auto& [text, outcome] : cases)
        EXPECT_EQ(Colour(text), outcome) << "colour: " << text;
}

TEST(SpriteAnimation, EachFrameShowsForSlowdownDrawsAndAnIndexOutsideStartsAgain)
{
    // Slowdown, first index, frames shown; a negative slowdown holds the frame its owner picks.
    // clang-format off
    const std::tuple<std::int32_t, std::int32_t, std::string> cases[] = {{0, 0, "abca"}, {1, 0, "abca"},
        {2, 0, "aabbcca"}, {-1, 2, "cc"}, {0, 3, "ab"}, {0, -1, "ab"}};
    // clang-format on
    const std::vector<std::string> abc = {"a", "b", "c"};
    for (const auto& [slowdown, index, expected] : cases)
    {
        Sprite sprite{abc, sf::Color::White, 1.0, slowdown, index};
        std::string shown;
        while (shown.size() < expected.size())
            shown += sprite.TakeFrame();
        EXPECT_EQ(shown, expected) << "slowdown " << slowdown << ", index " << index;
    }
    EXPECT_EQ(Sprite().TakeFrame(), "");
}
