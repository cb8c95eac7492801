#pragma once

#include "world/GameObject.hpp"

#include <cstdint>

// A floating door in the world showing a knob style; the player's door walks into it to obtain
// that cosmetic. Placed by the scene builders (which set its position after construction).
// Gone at once when the cosmetic is owned, or, past the first two, while the character
// creator is still locked.
class KnobGiver : public GameObject
{
public:
    std::int32_t reward;
    double homeX = 0.0;
    double homeY = 0.0;
    bool started = false;
    double bobTime = 0.0;

    explicit KnobGiver(std::int32_t cosmetic);
    void HandleEvent(Event& event) override;

private:
    void Bob();
};
