// Colour lines come from player-editable sprite files. Any text must either give a colour or
// be refused with the reader's own error naming the file; a colour written back as
// "R,G,B,A" reads as the same colour.
#include "resources/Colour.hpp"

#include "Support.hpp"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "sprites/Fuzz.txt";
    const std::string text(reinterpret_cast<const char*>(data), size);

    sf::Color colour;
    try
    {
        colour = ParseColour(text, path);
    }
    catch (const std::runtime_error& error)
    {
        const std::string message = error.what();
        fuzz::Require(message.rfind("ResourceManager: ", 0) == 0, "an error message lacks its prefix");
        fuzz::Require(fuzz::EndsWith(message, " in: " + path), "an error message does not name the path");
        return 0;
    }
    const std::string written = std::to_string(colour.r) + "," + std::to_string(colour.g) + "," +
                                std::to_string(colour.b) + "," + std::to_string(colour.a);
    fuzz::Require(ParseColour(written, path) == colour, "a colour written as components reads differently");
    return 0;
}
