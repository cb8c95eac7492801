#pragma once

#include "core/Events.hpp"
#include "resources/Sprite.hpp"

#include <cstdint>
#include <memory>
#include <string>

enum Solidness : std::int32_t
{
    Solid = 0,    // blocks and is blocked by other solid objects
    Soft = 1,     // reports overlaps, blocks nothing
    Spectral = 2, // moves straight through everything, never tested
};

// Base of everything in the game world. Objects are created with `new`, belong to the
// WorldManager from construction, and are destroyed only by it, at the end of the frame in
// which they were marked for deletion.
class GameObject : public EventReceiver
{
public:
    double x = 0.0;
    double y = 0.0;
    // Larger depth is drawn later, in front.
    double depth = 0.0;
    double velocityX = 0.0;
    double velocityY = 0.0;
    std::string id;
    std::string type = "Generic";
    std::int32_t solidness = Solid;
    Sprite sprite;
    double boxWidth = kCellWidth;
    double boxHeight = kCellHeight;
    double boxOffsetX = 0.0;
    double boxOffsetY = 0.0;
    // A blocked move retries along x alone, then y alone.
    bool slides = false;
    // Set when the object leaves the world for the deletion queue.
    bool markedForDeletion = false;

    GameObject();
    ~GameObject() override;

    // Called once when the object is marked for deletion, before it leaves its events.
    virtual void OnDestroy();
    virtual void Draw();

    // Copies the sprite and fits the box to its text block at scale 1.
    void SetSprite(Sprite newSprite);

    // Shared with every ObjectRef to this object; holds null once the object is destroyed.
    const std::shared_ptr<GameObject*>& Lifeline();

private:
    std::shared_ptr<GameObject*> lifeline;
};

// A pointer to a game object that knows when the object is gone: it reads null once the object
// has been destroyed. For objects that keep another beyond the frame in which they found it.
template <typename T> class ObjectRef
{
public:
    ObjectRef() = default;
    ObjectRef(T* object) // NOLINT(google-explicit-constructor): stands in for a plain pointer
        : slot(object != nullptr ? object->Lifeline() : nullptr)
    {
    }

    T* get() const { return slot != nullptr ? static_cast<T*>(*slot) : nullptr; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }
    // Not destroyed and not on its way out: still part of the world.
    bool Live() const { return get() != nullptr && !get()->markedForDeletion; }

private:
    std::shared_ptr<GameObject*> slot;
};
