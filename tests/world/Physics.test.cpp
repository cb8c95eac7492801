#include "display/DisplayManager.hpp"
#include "world/GameObject.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using Log = std::vector<std::string>;

namespace
{
// Writes "first>second" for each collision and "out:object" for each Out (objects by type).
struct Recorder : EventReceiver
{
    Log heard;
    void HandleEvent(Event& event) override
    {
        if (auto* collision = dynamic_cast<EventCollision*>(&event))
            heard.push_back(collision->first->type + ">" + collision->second->type);
        else
            heard.push_back("out:" + static_cast<EventOut&>(event).object->type);
    }
};

constexpr int Slides = 1, Fixed = 2; // Fixed: screen-fixed rather than following the camera
constexpr double kSame = 1e300;

// A body, with where it must stand after the case's frames (by default where it started).
struct Body
{
    const char* name;
    double x, y, w, h;
    Solidness kind = Solid;
    double vx = 0, vy = 0, endX = kSame, endY = kSame;
    int flags = 0;
};

GameObject* Make(const Body& b)
{
    auto* object = new GameObject();
    object->type = b.name;
    object->x = b.x;
    object->y = b.y;
    object->boxWidth = b.w;
    object->boxHeight = b.h;
    object->solidness = b.kind;
    object->velocityX = b.vx;
    object->velocityY = b.vy;
    object->slides = (b.flags & Slides) != 0;
    object->sprite.followsCamera = (b.flags & Fixed) == 0;
    return object;
}

constexpr double kW = 0.32, kH = 0.7; // a door's box

class Physics : public ::testing::Test
{
protected:
    PhysicsManager& physics = PhysicsManager::getInstance();
    Recorder recorder;

    void SetUp() override
    {
        // The camera area is exactly 32 x 18: x from -11 to 21, y from -6 to 12. Screen-fixed
        // boxes meet camera-following ones scaled by 10 / 9.
        DisplayManager& display = DisplayManager::getInstance();
        display.cameraHalfHeight = 9.0;
        display.cameraPosition = {5.0, 3.0};
        display.letterboxWidth = 1280;
        display.letterboxHeight = 720;
        physics.delta = 1.0; // a velocity is the distance of one step
        physics.collisionEvent.Subscribe(&recorder);
        physics.outEvent.Subscribe(&recorder);
    }
};
} // namespace

TEST_F(Physics, MoversStopSlidePassAndLeaveByTheRules)
{
    struct Case
    {
        int frames;
        Log heard;
        std::vector<Body> bodies;
    };
    // clang-format off
    const Case cases[] = {
        // A solid mover stops at its last free sub-step (1.0 / 0.32 gives 4 of 0.25; the wall's
        // edge is at 0.8) and, pressing on, is reported again.
        {2, {"mover>wall", "mover>wall"},
         {{"mover", 0, 0, kW, kH, Solid, 1, 0, 0.5}, {"wall", 0.9, 0, 0.2, 1}}},
        // The sub-step to 0.5 catches a thin wall.
        {1, {"mover>thin"}, {{"mover", 0, 0, kW, kH, Solid, 1, 0, 0.25}, {"thin", 0.6, 0, 0.01, 1}}},
        // A box of no size steps by 0.01.
        {1, {"dot>block"}, {{"dot", 0, 0, 0, 0, Solid, 1, 0, 0.5}, {"block", 1.005, 0, 1, 1}}},
        // Soft passes through all, one report per obstacle in the order met.
        {1, {"ghost>solid", "ghost>soft"},
         {{"ghost", 0, 0, kW, kH, Soft, 3, 0, 3}, {"soft", 2, 0, kW, kH, Soft}, {"solid", 1, 0, kW, kH}}},
        // A soft obstacle does not stop a solid mover.
        {1, {"walker>cushion"}, {{"walker", 0, 0, kW, kH, Solid, 2, 0, 2}, {"cushion", 1, 0, kW, kH, Soft}}},
        // Spectral movers and obstacles meet nothing.
        {1, {}, {{"spirit", 0, 0, kW, kH, Spectral, 2, 0.5, 2, 0.5}, {"wall", 1, 0, 1, 2},
                 {"walker", 0, 5, kW, kH, Solid, 2, 0, 2}, {"shade", 1, 5, 1, 1, Spectral}}},
        // Blocked at once under a ceiling, a slider moves along x alone.
        {1, {"mover>roof"}, {{"mover", 0, 0, kW, kH, Solid, 1, 1, 1, 0, Slides}, {"roof", 0, 0.86, 4, 1}}},
        // Blocked along x as well beside a wall, it moves along y alone; without sliding it stays.
        {1, {"mover>wall"}, {{"mover", 0, 0, kW, kH, Solid, 1, 1, 0, 1, Slides}, {"wall", 0.67, 0, 1, 4}}},
        {1, {"mover>wall"}, {{"mover", 0, 0, kW, kH, Solid, 1, 1, 0, 0}, {"wall", 0.67, 0, 1, 4}}},
        // A first free sub-step (sqrt(2) / 0.32 gives 5 of 0.2 each way) is progress: no retry.
        {1, {"mover>roof"}, {{"mover", 0, 0, kW, kH, Solid, 1, 1, 0.2, 0.2, Slides}, {"roof", 0, 1.1, 4, 1}}},
        // Only movers are tested, each reporting as first; an unmoved object is never out.
        {1, {"a>b", "b>a"}, {{"still1", -5, 0, 1, 1}, {"still2", -5.2, 0, 1, 1}, {"far", 0, 1000, kW, kH},
          {"a", 5, 0, kW, kH, Soft, 0.01, 0, 5.01}, {"b", 5.1, 0, kW, kH, Soft, -0.01, 0, 5.09}}},
        // A camera-following button 0.9 right of the camera spans 1.0 +- 0.178 in screen units: a
        // screen-fixed pointer meets it at its edge and misses it just beyond, moving or not.
        {1, {"pointer>button"},
         {{"pointer", 1.17, 0, 0, 0, Soft, 1e-6, 0, kSame, kSame, Fixed}, {"button", 5.9, 3, kW, kH, Soft}}},
        {1, {},
         {{"pointer", 1.19, 0, 0, 0, Soft, 1e-6, 0, kSame, kSame, Fixed}, {"button", 5.9, 3, kW, kH, Soft}}},
        {1, {"button>pointer"}, {{"button", 4.1, 3, kW, kH, Soft, 1e-6},
                                 {"pointer", -1.17, 0, 0, 0, Soft, 0, 0, kSame, kSame, Fixed}}},
        // Out for each frame a mover ends beyond the edge, not on it: on it after two frames,
        // beyond after three and four. Screen-fixed areas are 20 high.
        {4, {"out:right", "out:top", "out:fixed", "out:right", "out:top", "out:fixed"},
         {{"right", 20, 3, kW, kH, Spectral, 0.5, 0, 22}, {"top", 5, 11, kW, kH, Soft, 0, 0.5, 5, 13},
          {"fixed", 0, -9, kW, kH, Spectral, 0, -0.5, 0, -11, Fixed}, {"parked", 30, 3, kW, kH}}},
    };
    // clang-format on
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.bodies[0].name);
        std::vector<GameObject*> objects;
        for (const Body& b : c.bodies)
            objects.push_back(Make(b));
        recorder.heard.clear();
        for (int frame = 0; frame < c.frames; ++frame)
            physics.Update();
        EXPECT_EQ(recorder.heard, c.heard);
        for (std::size_t i = 0; i < objects.size(); ++i)
        {
            const Body& b = c.bodies[i];
            EXPECT_NEAR(objects[i]->x, b.endX == kSame ? b.x : b.endX, 1e-5) << b.name;
            EXPECT_NEAR(objects[i]->y, b.endY == kSame ? b.y : b.endY, 1e-5) << b.name;
        }
        WorldManager::getInstance().DestroyEverything();
    }
}
