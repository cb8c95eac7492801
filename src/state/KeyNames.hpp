#pragma once

#include <SFML/Window/Keyboard.hpp>
#include <optional>
#include <string>

// The names keys have in the settings file and on the Controls page ("W", "Space", "Up", "F11").
std::string KeyName(sf::Keyboard::Key key);
// The key a name stands for; none for a name no key has (case matters: "Up", not "up").
std::optional<sf::Keyboard::Key> KeyFromName(const std::string& name);
