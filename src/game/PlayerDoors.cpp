#include "game/PlayerDoors.hpp"

#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
struct Clamp
{
    double low;
    double high;
};

// Camera limits per scene; an empty optional leaves that coordinate with the door.
struct CameraLimits
{
    std::int32_t scene;
    bool clampX;
    Clamp x;
    bool clampY;
    Clamp y;
};

constexpr double kNoLimit = 1e300;

// clang-format off
constexpr CameraLimits kCameraLimits[] = {
    {0,  true, {-12.0, 2.0},      false, {}},
    {1,  true, {12.0, 19.0},      false, {}},
    {5,  true, {12.0, 19.0},      false, {}},
    {2,  true, {0.0, 0.0},        true,  {1.0, 7.0}},
    {6,  true, {0.0, 0.0},        true,  {1.0, 7.0}},
    {7,  true, {2.0, 6.0},        false, {}},
    {8,  true, {-1.0, 6.5},       false, {}},
    {9,  true, {11.2, 24.6},      false, {}},
    {11, true, {11.2, 24.6},      false, {}},
    {10, true, {11.2, 89.0},      false, {}},
    {14, true, {11.2, kNoLimit},  false, {}},
    {15, true, {11.2, kNoLimit},  false, {}},
};
// clang-format on

// Upper limit first, then the lower one.
double ApplyClamp(double value, Clamp limit)
{
    return std::max(std::min(value, limit.high), limit.low);
}

// The scene a door walking out of view leads to, or nothing.
std::int32_t ExitTarget(std::int32_t scene, double x)
{
    switch (scene)
    {
    case 0: return x > 0.0 ? 1 : 5;
    case 1: return 2;
    case 5: return 7;
    case 8: return 9;
    case 9: return x > 5.0 ? 10 : -1;
    case 10: return 11;
    default: return -1;
    }
}

void Normalise(double& ax, double& ay)
{
    const double length = std::sqrt(ax * ax + ay * ay);
    if (length > 0.0)
    {
        ax /= length;
        ay /= length;
    }
}
} // namespace

std::int32_t ReadDoorDesign(std::int32_t fallback)
{
    return SettingManager::getInstance().GetInteger("DKS", fallback);
}

bool MultiplayerOn()
{
    return SettingManager::getInstance().Get("Multiplayer", "0") == "1";
}

void ApplyDoorPose(Sprite& sprite, std::int32_t doorFrame, bool moving)
{
    if (sprite.frameIndex >= 13)
    {
        sprite.backgroundHeight = 1.0;
        sprite.backgroundOffset = -0.15;
        sprite.frameIndex = moving ? 14 : doorFrame;
        return;
    }
    sprite.backgroundOffset = -0.7;
    sprite.backgroundHeight = moving ? 0.9 : 0.7;
    sprite.frameIndex = moving ? 0 : doorFrame;
}

Door::Door()
{
    DisplayManager::getInstance().defocusEvent.Subscribe(this);
    GameManager::getInstance().lateTickEvent.Subscribe(this);
    BigAccessingOfData::getInstance().dialogStartEvent.Subscribe(this);
    PhysicsManager::getInstance().outEvent.Subscribe(this);

    SetSprite(ResourceManager::LoadSprite("sprites/Door.txt"));
    sprite.colour = PlayerColour();
    sprite.background = true;
    sprite.backgroundPerRun = true;
    // A design that is not a number falls back to the first one, as the other door-shaped
    // characters do.
    doorFrame = ReadDoorDesign(1);

    boxHeight -= 2.0;
    boxOffsetY -= 0.5;
    depth = 999;
    slides = true;
    type = "Player";

    if (doorFrame < 1)
        doorFrame = 0;
    // The pose rule picks the look of designs 13 and up from the frame shown, so the door must
    // show its design before its first update, or a door that starts out walking keeps frame 0.
    sprite.frameIndex = doorFrame;
    SettingManager::getInstance().Set("DKS", std::to_string(doorFrame));
    if (MultiplayerOn())
        new SecondDoor(this);
}

void Door::HandleEvent(Event& event)
{
    const std::string name = event.GetName();
    if (name == "Defocus")
    {
        BigAccessingOfData& data = BigAccessingOfData::getInstance();
        data.p1MoveX = data.p1MoveY = data.p2MoveX = data.p2MoveY = 0.0;
    }
    else if (name == "LateTick")
    {
        FollowWithCamera();
    }
    else if (name == "Out")
    {
        // Other objects leaving the view are none of the door's business.
        if (static_cast<EventOut&>(event).object != this || LeaveView())
            return;
    }
    UpdateMotion();
}

void Door::FollowWithCamera()
{
    DisplayManager& display = DisplayManager::getInstance();
    display.cameraPosition = {x, y};
    const std::int32_t scene = BigAccessingOfData::getInstance().currentScene;
    for (const CameraLimits& limits : kCameraLimits)
    {
        if (limits.scene != scene)
            continue;
        if (limits.clampX)
            display.cameraPosition.x = ApplyClamp(display.cameraPosition.x, limits.x);
        if (limits.clampY)
            display.cameraPosition.y = ApplyClamp(display.cameraPosition.y, limits.y);
    }
}

bool Door::LeaveView()
{
    const std::int32_t scene = BigAccessingOfData::getInstance().currentScene;
    const std::int32_t target = ExitTarget(scene, x);
    if (target >= 0)
    {
        Map::getInstance().ChangeScene(target);
        return true;
    }
    return scene == 9; // the tower hall only leads on once the door is past its entrance
}

void Door::UpdateMotion()
{
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    const bool talking = DialogManager::getInstance().active;
    if (talking || data.controlsLocked)
        moveX = moveY = 0.0;
    else
    {
        moveX = data.p1MoveX;
        moveY = data.p1MoveY;
    }
    speed = 7.0;
    ApplyDoorPose(sprite, doorFrame, moveX * moveX + moveY * moveY > 0.0);
    Normalise(moveX, moveY);
    velocityX = moveX * speed;
    velocityY = moveY * speed;
}

SecondDoor::Door2LikeKnack2NotTheVideoGameImTalkingAboutTheMultiplayerCharacterInKnack1(
    GameObject* leaderObject)
    : leader(leaderObject)
{
    GameManager::getInstance().lateTickEvent.Subscribe(this);
    PhysicsManager::getInstance().outEvent.Subscribe(this);
    SetSprite(ResourceManager::LoadSprite("sprites/Door.txt"));
    sprite.colour = sf::Color(196, 196, 196, 255);
    sprite.background = true;
    sprite.backgroundPerRun = true;
    solidness = Spectral;
    doorFrame = std::max(1, ReadDoorDesign(1));
    sprite.frameIndex = doorFrame;
    boxHeight -= 2.0;
    boxOffsetY -= 0.5;
    slides = true;
    type = "Player2";
    sprite.scale = 0.8;
    ReturnToLeader();
    boxWidth *= 0.8;
    boxHeight *= 0.8;
    SettingManager::getInstance().Set("DKS", std::to_string(doorFrame));
    if (BigAccessingOfData::getInstance().currentScene == SceneNumber::CharacterCreator)
        WorldManager::getInstance().MarkForDeletion(this);
}

void SecondDoor::ReturnToLeader()
{
    if (GameObject* at = leader.get())
    {
        x = at->x;
        y = at->y;
    }
    depth = 1e28;
}

void SecondDoor::HandleEvent(Event& event)
{
    if (event.GetName() == "Out")
    {
        if (static_cast<EventOut&>(event).object == this)
            ReturnToLeader();
        return;
    }
    if (!placed)
    {
        placed = true;
        ReturnToLeader();
    }
    speed = 10.0;
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    double ax = data.p2MoveX;
    double ay = data.p2MoveY;
    ApplyDoorPose(sprite, doorFrame, ax * ax + ay * ay > 0.0);
    Normalise(ax, ay);
    velocityX = ax * speed;
    velocityY = ay * speed;
}
