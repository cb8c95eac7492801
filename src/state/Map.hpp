#pragma once

#include "core/Manager.hpp"

#include <cstdint>
#include <functional>

// The scene machine: moves between numbered scenes, through the loading screen (ChangeScene)
// or at once (LoadScene). What each scene holds is the catalogue's business: it registers its
// builder here at start-up, so that doors, triggers and the pause key can ask for a scene
// without knowing how scenes are made.
class Map : public Manager<Map>
{
public:
    std::function<void(std::int32_t)> catalogue;

    // Builds scene n with the registered catalogue; nothing when none is registered.
    void BuildScene(std::int32_t n);
    void ClearWorld();
    void ChangeScene(std::int32_t n);
    // Entering a game scene from the loading screen records it for Continue (SavedGame).
    void LoadScene(std::int32_t n);
};
