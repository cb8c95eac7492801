#pragma once

#include "resources/ResourceManager.hpp"
#include "world/GameObject.hpp"
#include "world/WorldManager.hpp"

#include <string>
#include <vector>

// Looking into the live world from tests: objects by class or type, sounds and tracks.
namespace testsupport
{
// The live objects of class T (derived classes included), in world order.
template <typename T> std::vector<T*> LiveObjects()
{
    std::vector<T*> found;
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        if (auto* match = dynamic_cast<T*>(object))
            found.push_back(match);
    return found;
}

inline long CountOfType(const std::string& type)
{
    long count = 0;
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        count += object->type == type ? 1 : 0;
    return count;
}

inline GameObject* FirstOfType(const std::string& type)
{
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        if (object->type == type)
            return object;
    return nullptr;
}

inline sf::Music& Music(const std::string& name)
{
    return *ResourceManager::getInstance().musics.at(name);
}
// A sound that was never played (or was reloaded since) counts as stopped.
inline sf::SoundSource::Status SoundStatus(const std::string& name)
{
    const auto& sounds = ResourceManager::getInstance().sounds;
    const auto found = sounds.find(name);
    return found == sounds.end() ? sf::SoundSource::Status::Stopped : found->second->getStatus();
}
} // namespace testsupport
