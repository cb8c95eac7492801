#pragma once

#include "engine/Events.hpp"
#include "resources/Sprite.hpp"

#include <cstdint>
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
    double boxWidth = 0.32;
    double boxHeight = 0.7;
    double boxOffsetX = 0.0;
    double boxOffsetY = 0.0;
    // A blocked move retries along x alone, then y alone.
    bool slides = false;

    GameObject();
    ~GameObject() override;

    // Called once when the object is marked for deletion, before it leaves its events.
    virtual void OnDestroy();
    virtual void Draw();

    // Copies the sprite and fits the box to its text block at scale 1.
    void SetSprite(Sprite newSprite);
};
