#include "core/Events.hpp"

#include <algorithm>
#include <utility>

namespace
{
template <typename T> void EraseFirst(std::vector<T*>& list, const T* item)
{
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end())
        list.erase(it);
}
} // namespace

EventReceiver::~EventReceiver()
{
    UnsubscribeAll();
}

void EventReceiver::HandleEvent(Event&)
{
}

void EventReceiver::UnsubscribeAll()
{
    std::vector<Event*> left = std::move(subscriptions);
    subscriptions.clear();
    for (Event* event : left)
        event->DropSubscriber(this);
}

void EventReceiver::SwapParkedSubscriptions()
{
    for (Event* event : subscriptions)
        event->DropSubscriber(this);
    std::swap(subscriptions, parkedSubscriptions);
    std::vector<Event*> rejoin = std::move(subscriptions);
    subscriptions.clear();
    for (Event* event : rejoin)
        event->Subscribe(this);
}

Event::Event(const Event& other) : EventBase(other), subscribers(other.subscribers)
{
    AttachAll();
}

Event& Event::operator=(const Event& other)
{
    if (this == &other)
        return *this;
    // Keep both directions of every link true: the old subscribers forget this event, the
    // copied ones learn it.
    DetachAll();
    subscribers = other.subscribers;
    ++changes;
    AttachAll();
    return *this;
}

Event::~Event()
{
    DetachAll();
}

void Event::DetachAll()
{
    for (EventReceiver* receiver : subscribers)
    {
        auto& list = receiver->subscriptions;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    subscribers.clear();
    ++changes;
}

void Event::AttachAll()
{
    for (EventReceiver* receiver : subscribers)
        receiver->subscriptions.push_back(this);
}

bool Event::Contains(const EventReceiver* receiver) const
{
    return std::find(subscribers.begin(), subscribers.end(), receiver) != subscribers.end();
}

void Event::Subscribe(EventReceiver* receiver)
{
    if (receiver == nullptr || Contains(receiver))
        return;
    subscribers.push_back(receiver);
    receiver->subscriptions.push_back(this);
    ++changes;
}

void Event::DropSubscriber(const EventReceiver* receiver)
{
    auto it = std::find(subscribers.begin(), subscribers.end(), receiver);
    if (it != subscribers.end())
    {
        subscribers.erase(it);
        ++changes;
    }
}

void Event::Unsubscribe(EventReceiver* receiver)
{
    DropSubscriber(receiver);
    if (receiver != nullptr)
        EraseFirst(receiver->subscriptions, static_cast<const Event*>(this));
}

void Event::Publish()
{
    const std::vector<EventReceiver*> snapshot = subscribers;
    const std::uint64_t unchanged = changes;
    for (EventReceiver* receiver : snapshot)
    {
        // Receivers that left during this publication (or were destroyed) are skipped.
        if (changes != unchanged && !Contains(receiver))
            continue;
        receiver->HandleEvent(*this);
    }
}
