#pragma once

#include "world/GameObject.hpp"

#include <cstdint>

// Requests a scene change once `delay` seconds of frame time have passed.
class SceneChangeTimer : public GameObject
{
public:
    double elapsed = 0.0;
    double delay = 0.0;
    std::int32_t targetScene = 0;
    bool fired = false;

    SceneChangeTimer(double seconds, std::int32_t scene);
    void HandleEvent(Event& event) override;
};
