#include "world/WorldManager.hpp"

#include "world/GameObject.hpp"

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
    if (object == nullptr || object->markedForDeletion)
        return;
    object->markedForDeletion = true;
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

void WorldManager::MarkAllOfType(const std::string& type)
{
    for (GameObject* object : GetAllObjects())
        if (object->type == type)
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
    // Everything joins the deletion queue before anything is destroyed, so a destructor that
    // marks another object finds it queued already; objects that destructors create join the
    // next round.
    while (!objects.empty() || !stashedObjects.empty() || !deletionQueue.empty())
    {
        for (auto* list : {&objects, &stashedObjects})
        {
            for (GameObject* object : *list)
            {
                object->markedForDeletion = true;
                deletionQueue.push_back(object);
            }
            list->clear();
        }
        DeleteMarked();
    }
}
