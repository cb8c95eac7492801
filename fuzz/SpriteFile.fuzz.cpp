// Sprite files can be edited or replaced by the player. Any text must either give a sprite of
// the stated shape or be refused with one of the reader's errors: its own runtime_error naming
// the file, or the standard integer conversion's invalid_argument / out_of_range. The file is
// also read through ResourceManager::LoadSprite, which must agree with the text reader.
#include "resources/SpriteFile.hpp"

#include "Support.hpp"
#include "resources/ResourceManager.hpp"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace
{
struct Outcome
{
    std::string error;
    Sprite sprite;
};

template <typename Read> Outcome Run(Read read, const std::string& path)
{
    Outcome outcome;
    try
    {
        outcome.sprite = read();
    }
    catch (const std::invalid_argument& error)
    {
        outcome.error = std::string("invalid_argument: ") + error.what();
    }
    catch (const std::out_of_range& error)
    {
        outcome.error = std::string("out_of_range: ") + error.what();
    }
    catch (const std::runtime_error& error)
    {
        const std::string message = error.what();
        fuzz::Require(message.rfind("ResourceManager: ", 0) == 0, "an error message lacks its prefix");
        fuzz::Require(fuzz::EndsWith(message, path), "an error message does not end with the path");
        outcome.error = "runtime_error: " + message;
    }
    return outcome;
}

bool SameSprite(const Sprite& a, const Sprite& b)
{
    return a.frames == b.frames && a.colour == b.colour && a.width == b.width && a.height == b.height &&
           a.frameSlowdown == b.frameSlowdown;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = fuzz::ScratchPath("Sprite.txt");
    const std::string text(reinterpret_cast<const char*>(data), size);

    const Outcome parsed = Run(
        [&]
        {
            std::istringstream in(text, std::ios::binary);
            return ReadSpriteFile(in, path);
        },
        path);
    fuzz::WriteBytes(path, data, size);
    const Outcome loaded = Run([&] { return ResourceManager::LoadSprite(path); }, path);
    fuzz::Require(parsed.error == loaded.error, "the file and the text reader disagree on the error");
    if (!parsed.error.empty())
        return 0;
    fuzz::Require(SameSprite(parsed.sprite, loaded.sprite), "the file and the text reader disagree");

    Sprite sprite = parsed.sprite;
    fuzz::Require(sprite.width >= 1 && sprite.height >= 1, "a loaded sprite has no size");
    fuzz::Require(!sprite.frames.empty(), "a loaded sprite has no frame");
    for (const std::string& frame : sprite.frames)
        fuzz::Require(std::count(frame.begin(), frame.end(), '\n') == sprite.height - 1,
                      "a frame does not hold `height` lines");
    // A few draws of the animation, as the renderer takes them.
    for (int draw = 0; draw < 8; ++draw)
        sprite.TakeFrame();
    return 0;
}
