#pragma once

#include "engine/Manager.hpp"

#include <cstdint>

// The scene machine: builds numbered scenes from the catalogue and moves between them,
// through the loading screen (ChangeScene) or at once (LoadScene).
class Map : public Manager<Map>
{
public:
    void BuildScene(std::int32_t n);
    void ClearWorld();
    void ChangeScene(std::int32_t n);
    void LoadScene(std::int32_t n);
};
