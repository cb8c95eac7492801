#include "resources/Sprite.hpp"

#include <algorithm>

Sprite Sprite::FromText(const std::string& text)
{
    Sprite sprite;
    sprite.frames.push_back(text);
    std::int32_t rows = 1;
    std::int32_t longest = 0;
    std::int32_t column = 0;
    for (char c : text)
    {
        if (c == '\n')
        {
            ++rows;
            column = 0;
        }
        else if (c != '\r')
        {
            longest = std::max(longest, ++column);
        }
    }
    sprite.width = longest;
    sprite.height = rows;
    return sprite;
}

Sprite Sprite::Empty()
{
    return Sprite{};
}

const std::string& Sprite::TakeFrame()
{
    static const std::string nothing;
    const auto count = static_cast<std::int32_t>(frames.size());
    if (count == 0)
        return nothing;
    if (frameIndex < 0 || frameIndex >= count)
        frameIndex = 0;
    const std::string& current = frames[static_cast<std::size_t>(frameIndex)];
    if (frameSlowdown >= 0 && ++slowdownCounter >= frameSlowdown)
    {
        frameIndex = (frameIndex + 1) % count;
        slowdownCounter = 0;
    }
    return current;
}
