#pragma once

#include <SFML/Graphics/Color.hpp>
#include <string>

// Reads a colour name ("red", "transparent", ...) or "R,G,B[,A]"; `path` only appears in
// error messages.
sf::Color ParseColour(const std::string& text, const std::string& path);
