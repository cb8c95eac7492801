#pragma once

#include "world/GameObject.hpp"

#include <string>

// The code door's keyboard panel, raised when dialogue 84 or 85 ends. Digits and the letters
// D, O and R are typed; Enter submits, Escape closes. The right code opens the door
// (dialogue 86); anything with DOOR in it is a secret of its own. It holds the player's
// controls for as long as it exists, so the door stands still and Escape does not pause.
class Puzzle : public GameObject
{
public:
    std::string typed;

    Puzzle();
    void HandleEvent(Event& event) override;
    void Draw() override;
    void OnDestroy() override;

private:
    void Submit();
    void Close();
};

// The code the big door wants.
inline constexpr const char* kDoorCode = "40718265";
