#pragma once

#include "world/GameObject.hpp"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport
{
// A game object that writes "name:what" to a shared log for every event, OnDestroy, draw and
// destruction, and can run an action at each of them, so tests see what the world and the
// loop did to it and in which order.
struct RecordingObject : GameObject
{
    std::vector<std::string>* log;
    std::string name;
    std::function<void(Event&)> onEvent;
    std::function<void()> onDestroy;
    std::function<void()> onDeleted;

    RecordingObject(std::vector<std::string>* calls, std::string label) : log(calls), name(std::move(label))
    {
    }
    ~RecordingObject() override
    {
        Note("deleted");
        if (onDeleted)
            onDeleted();
    }

    void HandleEvent(Event& event) override
    {
        Note(event.GetName());
        if (onEvent)
            onEvent(event);
    }
    void OnDestroy() override
    {
        Note("OnDestroy");
        if (onDestroy)
            onDestroy();
    }
    void Draw() override
    {
        Note("Draw");
        GameObject::Draw();
    }

    void Note(const std::string& what) const
    {
        if (log != nullptr)
            log->push_back(name + ":" + what);
    }
};

// The same for a receiver outside the world (it is neither stashed nor restored): writes
// "name:what" for every event when given a log, then runs `onEvent`.
struct RecordingReceiver : EventReceiver
{
    std::vector<std::string>* log;
    std::string name;
    std::function<void(Event&)> onEvent;

    explicit RecordingReceiver(std::vector<std::string>* calls = nullptr, std::string label = "")
        : log(calls), name(std::move(label))
    {
    }
    void HandleEvent(Event& event) override
    {
        if (log != nullptr)
            log->push_back(name + ":" + event.GetName());
        if (onEvent)
            onEvent(event);
    }
};
} // namespace testsupport
