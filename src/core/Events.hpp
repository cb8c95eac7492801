#pragma once

#include "core/Geometry.hpp"

#include <SFML/Window/Joystick.hpp>
#include <SFML/Window/Mouse.hpp>
#include <cstdint>
#include <string>
#include <vector>

class Event;
class GameObject;

// Anything that can listen to events: every manager and every game object. Receivers and
// events link to each other in both directions so that either side may be destroyed first.
class EventReceiver
{
public:
    std::vector<Event*> subscriptions;
    // Events set aside while the receiver is frozen (the pause stash).
    std::vector<Event*> parkedSubscriptions;

    EventReceiver() = default;
    EventReceiver(const EventReceiver&) = delete;
    EventReceiver& operator=(const EventReceiver&) = delete;
    virtual ~EventReceiver();

    virtual void HandleEvent(Event& event);

    void UnsubscribeAll();
    // Freezes a receiver (its events move to the parked list) or thaws it again.
    void SwapParkedSubscriptions();
};

class EventBase
{
};

// An event lives inside the manager that publishes it and keeps its own subscriber list.
class Event : public EventBase
{
public:
    std::vector<EventReceiver*> subscribers;

    Event() = default;
    Event(const Event& other);
    Event& operator=(const Event& other);
    virtual ~Event();

    virtual std::string GetName() const = 0;

    void Subscribe(EventReceiver* receiver);
    void Unsubscribe(EventReceiver* receiver);
    void Publish();

private:
    friend class EventReceiver;
    bool Contains(const EventReceiver* receiver) const;
    // Removes the receiver from this event's list only; the caller handles the other side.
    void DropSubscriber(const EventReceiver* receiver);
    void DetachAll();
    void AttachAll();

    // Bumped on every change of `subscribers`, so a publication can skip the membership search
    // while nothing changed (the common case with thousands of tick subscribers).
    std::uint64_t changes = 0;
};

class EventTick : public Event
{
public:
    std::string GetName() const override { return "Tick"; }
};

class EventLateTick : public Event
{
public:
    std::string GetName() const override { return "LateTick"; }
};

class EventStart : public Event
{
public:
    std::string GetName() const override { return "Start"; }
};

class EventOut : public Event
{
public:
    GameObject* object = nullptr;
    std::string GetName() const override { return "Out"; }
};

class EventCollision : public Event
{
public:
    GameObject* first = nullptr;
    GameObject* second = nullptr;
    std::string GetName() const override { return "Collision"; }
};

class EventKeyboard : public Event
{
public:
    std::string name = "Keyboard";
    std::int32_t key = -1;
    std::int32_t action = 0;
    std::string GetName() const override { return name; }
};

class EventMouse : public Event
{
public:
    std::string name = "Mouse";
    std::int32_t action = 0;
    // The button pressed or released; meaningless for a move or a turn of the wheel.
    sf::Mouse::Button button = sf::Mouse::Button::Left;
    // How far the vertical wheel turned, positive away from the player (up).
    float wheel = 0.f;
    WorldPoint position;
    std::string GetName() const override { return name; }
};

// A game pad: a button pressed or released, an axis moved (position -100 to 100; the stick's y
// and the d-pad's y grow downwards), or the pad connected or gone. `pad` is the pad's number.
class EventJoystick : public Event
{
public:
    std::int32_t action = 0;
    std::uint32_t pad = 0;
    std::uint32_t button = 0;
    sf::Joystick::Axis axis = sf::Joystick::Axis::X;
    float position = 0.f;
    std::string GetName() const override { return "Joystick"; }
};

class EventDefocus : public Event
{
public:
    std::string GetName() const override { return "Defocus"; }
};

class FullscreenChangeEvent : public Event
{
public:
    std::string GetName() const override { return "Fullscreen"; }
};

// A payload-free event named at construction ("DStart").
class GEvent : public Event
{
public:
    std::string name;
    explicit GEvent(std::string eventName) : name(std::move(eventName)) {}
    std::string GetName() const override { return name; }
};
