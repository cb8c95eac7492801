// Reading sprite files: a dimensions line "WxH", a frame-slowdown line, a colour line, then
// the frames, `height` lines each.
#include "resources/SpriteFile.hpp"

#include "resources/Colour.hpp"
#include "resources/ErrorText.hpp"
#include "resources/ResourceManager.hpp"

#include <fstream>
#include <stdexcept>
#include <vector>

namespace
{
[[noreturn]] void Fail(const std::string& message, const std::string& path)
{
    throw std::runtime_error(ShowNulBytes("ResourceManager: " + message + path));
}

bool ReadLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}
} // namespace

Sprite ResourceManager::LoadSprite(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        Fail("failed to open sprite file: ", path);
    return ReadSpriteFile(file, path);
}

Sprite ReadSpriteFile(std::istream& in, const std::string& path)
{
    std::string line;
    if (!std::getline(in, line))
        Fail("missing dimensions line in: ", path);
    if (line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    const std::size_t x = line.find('x');
    if (x == std::string::npos)
        Fail("bad dimensions \"" + line + "\" in: ", path);
    Sprite sprite;
    sprite.width = std::stoi(line.substr(0, x));
    sprite.height = std::stoi(line.substr(x + 1));
    if (sprite.width < 1 || sprite.height < 1)
        Fail("non-positive dimensions in: ", path);

    if (!ReadLine(in, line))
        Fail("missing frame slowdown line in: ", path);
    sprite.frameSlowdown = std::stoi(line);

    if (!ReadLine(in, line))
        Fail("missing color line in: ", path);
    sprite.colour = ParseColour(line, path);

    std::vector<std::string> lines;
    while (ReadLine(in, line))
        lines.push_back(line);
    const auto height = static_cast<std::size_t>(sprite.height);
    if (lines.empty() || lines.size() % height != 0)
        Fail("frame data doesn't divide evenly by height in: ", path);

    for (std::size_t first = 0; first < lines.size(); first += height)
    {
        std::string frame = lines[first];
        for (std::size_t i = first + 1; i < first + height; ++i)
            frame += "\n" + lines[i];
        sprite.frames.push_back(std::move(frame));
    }
    return sprite;
}
