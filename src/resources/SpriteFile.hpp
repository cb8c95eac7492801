#pragma once

#include "resources/Sprite.hpp"

#include <istream>
#include <string>

// Reads the text of a sprite file (ResourceManager::LoadSprite opens the file); `path` only
// appears in error messages.
Sprite ReadSpriteFile(std::istream& in, const std::string& path);
