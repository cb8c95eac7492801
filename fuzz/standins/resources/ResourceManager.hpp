#pragma once

// Stands in for the audio manager in the settings target: loading the settings hands the
// volume levels down to it, and the real one needs SFML's audio library. This one only
// records what it is told.
#include "core/Manager.hpp"

#include <string>
#include <unordered_map>

class ResourceManager : public Manager<ResourceManager>
{
public:
    std::unordered_map<std::string, float> volumeLevels;

    void SetVolumeLevel(const std::string& volumeKey, float level) { volumeLevels[volumeKey] = level; }
};
