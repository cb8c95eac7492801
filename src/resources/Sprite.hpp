#pragma once

#include <SFML/Graphics/Color.hpp>
#include <cstdint>
#include <string>
#include <vector>

// The appearance of an object: text frames of equal height plus drawing attributes.
// A plain value; every object keeps its own copy.
struct Sprite
{
    std::vector<std::string> frames;
    sf::Color colour = sf::Color::White;
    double scale = 1.0;
    // Draws per frame; negative holds the frame the owner picks through frameIndex.
    std::int32_t frameSlowdown = 0;
    std::int32_t frameIndex = 0;
    std::int32_t slowdownCounter = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    double backgroundHeight = 1.0;
    double backgroundOffset = 0.0;
    bool followsCamera = true;
    bool background = false;
    bool backgroundPerRun = false;
    // The rows are lines of prose rather than a picture: drawn a prose line step apart (the first
    // row where the picture's would be) instead of on the dense grid.
    bool prose = false;

    // One frame made from text; width and height measured from it.
    static Sprite FromText(const std::string& text);
    // A sprite with no frames at all (draws nothing, box 0 x 0).
    static Sprite Empty();

    // The frame to draw now; advances the animation by one draw.
    const std::string& TakeFrame();
};
