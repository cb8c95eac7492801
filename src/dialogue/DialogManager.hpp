#pragma once

#include "engine/core/Manager.hpp"

#include <cstdint>
#include <string>

class GameObject;

// Plays the numbered dialogues page by page. Start-up subscribes it to the tick, the mouse and
// the keyboard; the player door stands still while `active` is set.
class DialogManager : public Manager<DialogManager>
{
public:
    std::uint64_t revealed = 0;
    bool pageComplete = false;
    bool active = false;
    bool autoAdvance = false;
    double silentExtraDelay = 0.5;
    double autoDelay = 0.5;
    double autoTimer = 0.0;
    std::string voiceName;
    GameObject* dialogBox = nullptr;
    GameObject* dialogDisplay = nullptr;
    GameObject* flasher = nullptr;
    std::int32_t tickCounter = 0;

    static void StartUp();
};
