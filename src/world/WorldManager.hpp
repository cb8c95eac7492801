#pragma once

#include "core/Manager.hpp"

#include <string>
#include <vector>

class GameObject;

// Registry and owner of every game object. Removal is deferred: marking takes an object out
// of the world at once, destruction waits for the end of the frame.
class WorldManager : public Manager<WorldManager>
{
public:
    std::vector<GameObject*> objects;
    // The game world set aside while the pause menu shows.
    std::vector<GameObject*> stashedObjects;
    std::vector<GameObject*> deletionQueue;

    // Reset before the other managers: destroying the objects still reaches them.
    static constexpr int kResetStage = 0;

    static void StartUp();
    void Reset() { DestroyEverything(); }

    std::vector<GameObject*> GetAllObjects() const { return objects; }
    void MarkForDeletion(GameObject* object);
    void DeleteMarked();
    void MarkAllForDeletion();
    // Marks every live object of the given type.
    void MarkAllOfType(const std::string& type);
    void StashWorld();
    void RestoreWorld();
    // Destroys every object held (live, stashed and queued). Used when the game loop has ended,
    // while the managers the objects' destructors reach are still alive.
    void DestroyEverything();
};
