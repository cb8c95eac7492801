#pragma once

#include "resources/Mp3Header.hpp"

#include <SFML/System/Time.hpp>
#include <optional>
#include <string>

namespace sf
{
class Music;
}

// Sets the stream's loop span to its real audio and returns where that audio starts, or
// nothing when no span could be decided. Reports each decision on standard output.
std::optional<sf::Time> ComputeLoopPoints(sf::Music& music, const std::string& path);
std::optional<sf::Time> TrimBySilence(sf::Music& music, const std::string& path);
