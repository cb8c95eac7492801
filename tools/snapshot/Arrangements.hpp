#pragma once

#include <string>
#include <utility>
#include <vector>

// Named test arrangements: small fixed worlds that show one feature at known places.
// Build returns false when there is no arrangement of that name.
bool BuildArrangement(const std::string& name);
std::vector<std::string> ArrangementNames();

// A sprite file drawn as the game draws it. Without a frame number every frame is shown in a
// row (wrapping) with its number beneath; with one, that frame alone at `at`.
struct SpriteView
{
    std::string file;
    double scale = 1.0;
    int frame = -1;
    std::pair<double, double> at{0.0, 0.0};
    // Camera-following (world units, half-height 12) instead of screen-fixed.
    bool world = false;
};
void ShowSprite(const SpriteView& view);
