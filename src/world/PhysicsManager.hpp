#pragma once

#include "core/Manager.hpp"

#include <vector>

class GameObject;

// Moves every object by its velocity in sub-steps, blocks solid objects against each other,
// and publishes "Collision" for overlaps found while moving and "Out" for movers that end
// outside the visible area.
class PhysicsManager : public Manager<PhysicsManager>
{
public:
    // Time step of the current frame in seconds (the game loop writes it before "Tick").
    double delta = 0.0;
    EventOut outEvent;
    EventCollision collisionEvent;

    void Update();
    void Reset();

    struct Box
    {
        double left, right, bottom, top;
    };
    static Box BoxAt(const GameObject& object, double px, double py);

private:
    struct Area
    {
        double width = 0.0;
        double height = 0.0;
    };

    void Move(GameObject& mover, std::size_t index, const std::vector<GameObject*>& all);
    // The touch test of the mover at (px, py) against other; true when blocked.
    bool Touch(GameObject& mover, double px, double py, GameObject& other, bool& reported);
    void TestOut(GameObject& mover);

    Area cameraArea;
    Area screenArea;
    std::vector<char> reported;
};
