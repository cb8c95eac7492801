#pragma once

#include "world/GameObject.hpp"

#include <cstdint>

// The player: a walking door that carries the camera, stands still during dialogue and
// changes scene when it walks out of view in the scenes that lead somewhere.
class Door : public GameObject
{
public:
    double moveX = 0.0;
    double moveY = 0.0;
    double speed = 7.0;
    // The chosen design: the frame shown while standing.
    std::int32_t doorFrame = 1;

    Door();
    void HandleEvent(Event& event) override;

private:
    void FollowWithCamera();
    // True when the door's leaving the view was handled (a scene was requested, or the
    // scene ignores it), so the motion is not updated.
    bool LeaveView();
    void UpdateMotion();
};

// The second player's door (multiplayer): grey, smaller, driven by the arrow keys, never
// blocked and never moving the camera; it returns to its leader when it leaves the view.
class Door2LikeKnack2NotTheVideoGameImTalkingAboutTheMultiplayerCharacterInKnack1 : public GameObject
{
public:
    double speed = 8.0;
    std::int32_t doorFrame = 1;
    // The object it starts at and returns to; when that is gone the door stays where it is.
    ObjectRef<GameObject> leader;
    bool placed = false;

    explicit Door2LikeKnack2NotTheVideoGameImTalkingAboutTheMultiplayerCharacterInKnack1(
        GameObject* leaderObject);
    void HandleEvent(Event& event) override;

private:
    void ReturnToLeader();
};
using SecondDoor = Door2LikeKnack2NotTheVideoGameImTalkingAboutTheMultiplayerCharacterInKnack1;

// Picks the frame and background of a door-sprite character for standing or walking.
void ApplyDoorPose(Sprite& sprite, std::int32_t doorFrame, bool moving);
// The "DKS" setting as an integer, or `fallback` when it is absent or not a number.
std::int32_t ReadDoorDesign(std::int32_t fallback);
bool MultiplayerOn();
