#pragma once

#include "engine/core/Events.hpp"

#include <SFML/Graphics/Color.hpp>
#include <string>

// Centred, screen-fixed text on a black box: the look of the puzzle panels' words. A smaller
// `viewHalfHeight` makes the letters larger (5 draws them twice the usual size).
void DrawPanelText(WorldPoint at, const std::string& text, sf::Color colour, double viewHalfHeight,
                   double textScale = 1.0);
