#pragma once

#include "world/GameObject.hpp"

#include <cstdint>
#include <string>

// Requests a scene change once `delay` seconds of frame time have passed. A story's ending
// closes the game through its ending card instead, with the ending's words.
class SceneChangeTimer : public GameObject
{
public:
    double elapsed = 0.0;
    double delay = 0.0;
    std::int32_t targetScene = 0;
    bool fired = false;
    std::string endingWords;

    SceneChangeTimer(double seconds, std::int32_t scene);
    void HandleEvent(Event& event) override;
};
