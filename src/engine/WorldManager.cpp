#include "engine/WorldManager.hpp"

#include "engine/GameObject.hpp"

#include <algorithm>

void WorldManager::StartUp()
{
    WorldManager& world = getInstance();
    std::vector<GameObject*> live = std::move(world.objects);
    world.objects.clear();
    for (GameObject* object : live)
        delete object;
    std::vector<GameObject*> queued = std::move(world.deletionQueue);
    world.deletionQueue.clear();
    for (GameObject* object : queued)
        delete object;
}

void WorldManager::MarkForDeletion(GameObject* object)
{
    if (object == nullptr ||
        std::find(deletionQueue.begin(), deletionQueue.end(), object) != deletionQueue.end())
        return;
    object->OnDestroy();
    object->UnsubscribeAll();
    auto it = std::find(objects.begin(), objects.end(), object);
    if (it != objects.end())
        objects.erase(it);
    deletionQueue.push_back(object);
}

void WorldManager::DeleteMarked()
{
    // Destructors may mark further objects; they join this same walk.
    for (std::size_t i = 0; i < deletionQueue.size(); ++i)
    {
        delete deletionQueue[i];
        deletionQueue[i] = nullptr;
    }
    deletionQueue.clear();
}

void WorldManager::MarkAllForDeletion()
{
    for (GameObject* object : GetAllObjects())
        MarkForDeletion(object);
}

void WorldManager::StashWorld()
{
    std::swap(objects, stashedObjects);
    for (GameObject* object : stashedObjects)
        object->SwapParkedSubscriptions();
}

void WorldManager::RestoreWorld()
{
    std::swap(objects, stashedObjects);
    for (GameObject* object : objects)
        object->SwapParkedSubscriptions();
    std::vector<GameObject*> leftovers = std::move(stashedObjects);
    stashedObjects.clear();
    for (GameObject* object : leftovers)
        delete object;
}

void WorldManager::DestroyEverything()
{
    DeleteMarked();
    for (auto* list : {&objects, &stashedObjects})
    {
        std::vector<GameObject*> doomed = std::move(*list);
        list->clear();
        for (GameObject* object : doomed)
            delete object;
    }
    DeleteMarked();
}
