#include "resources/Colour.hpp"

#include "resources/ErrorText.hpp"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <vector>

namespace
{
struct NamedColour
{
    const char* name;
    sf::Color colour;
};

// clang-format off
const NamedColour kNamedColours[] = {
    {"black",       {0, 0, 0, 255}},
    {"white",       {255, 255, 255, 255}},
    {"red",         {255, 0, 0, 255}},
    {"green",       {0, 255, 0, 255}},
    {"blue",        {0, 0, 255, 255}},
    {"yellow",      {255, 255, 0, 255}},
    {"magenta",     {255, 0, 255, 255}},
    {"cyan",        {0, 255, 255, 255}},
    {"transparent", {0, 0, 0, 0}},
};
// clang-format on

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

[[noreturn]] void Fail(const std::string& message, const std::string& path)
{
    throw std::runtime_error(ShowNulBytes("ResourceManager: " + message + " in: " + path));
}

std::uint8_t Component(const std::string& text, const std::string& path)
{
    int value = 0;
    std::size_t used = 0;
    try
    {
        value = std::stoi(text, &used);
    }
    catch (const std::exception&)
    {
        Fail("bad color component \"" + text + "\"", path);
    }
    if (used != text.size())
        Fail("bad color component \"" + text + "\"", path);
    if (value < 0 || value > 255)
        Fail("color component out of range (0-255)", path);
    return static_cast<std::uint8_t>(value);
}
} // namespace

sf::Color ParseColour(const std::string& text, const std::string& path)
{
    std::string compact;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            compact += c;
    if (compact.empty())
        Fail("empty color", path);

    if (std::isalpha(static_cast<unsigned char>(compact[0])))
    {
        const std::string lowered = Lower(compact);
        for (const NamedColour& named : kNamedColours)
            if (lowered == named.name)
                return named.colour;
        Fail("unknown color name \"" + compact + "\"", path);
    }

    if (compact.back() == ',')
        Fail("bad color component \"\" (trailing comma)", path);
    std::vector<std::uint8_t> parts;
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t comma = compact.find(',', start);
        parts.push_back(Component(compact.substr(start, comma - start), path));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (parts.size() == 3)
        return {parts[0], parts[1], parts[2], 255};
    if (parts.size() == 4)
        return {parts[0], parts[1], parts[2], parts[3]};
    Fail("color must be a name or \"R,G,B[,A]\"", path);
}
