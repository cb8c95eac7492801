// The scene catalogue: which objects each numbered scene creates.
#include "engine/ProcessExit.hpp"
#include "scenes/Map.hpp"
#include "state/BigAccessingOfData.hpp"

void Map::BuildScene(std::int32_t n)
{
    switch (n)
    {
    case SceneNumber::Quit: RequestProcessExit(0); break;
    default: break; // an unknown scene is an empty world
    }
}
