#include "engine/Events.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace
{
// A receiver that records its calls and can run an action when it hears an event.
struct Probe : EventReceiver
{
    std::vector<std::string>* log;
    std::string name;
    std::function<void()> onEvent;

    Probe(std::vector<std::string>* calls, std::string label) : log(calls), name(std::move(label)) {}
    void HandleEvent(Event& event) override
    {
        log->push_back(name + ":" + event.GetName());
        if (onEvent)
            onEvent();
    }
};

bool Linked(const EventReceiver& receiver, const Event& event)
{
    const bool inEvent = std::count(event.subscribers.begin(), event.subscribers.end(), &receiver) == 1;
    const bool inReceiver =
        std::count(receiver.subscriptions.begin(), receiver.subscriptions.end(), &event) == 1;
    return inEvent && inReceiver;
}
} // namespace

TEST(Events, SubscribingTwiceKeepsOneEntryAndOneCall)
{
    std::vector<std::string> calls;
    EventTick tick;
    Probe a(&calls, "a");
    tick.Subscribe(&a);
    tick.Subscribe(&a);
    tick.Subscribe(nullptr);
    tick.Publish();
    EXPECT_EQ(calls, std::vector<std::string>{"a:Tick"});
    EXPECT_TRUE(Linked(a, tick));
}

TEST(Events, HandlersSeeTheSubscriberListOfThePublicationStart)
{
    std::vector<std::string> calls;
    EventTick tick;
    Probe a(&calls, "a"), b(&calls, "b"), late(&calls, "late");
    tick.Subscribe(&a);
    tick.Subscribe(&b);
    // a removes b before b's turn and adds a newcomer that must wait for the next publication.
    a.onEvent = [&] {
        tick.Unsubscribe(&b);
        tick.Subscribe(&late);
    };
    tick.Publish();
    EXPECT_EQ(calls, (std::vector<std::string>{"a:Tick"}));
    calls.clear();
    a.onEvent = nullptr;
    tick.Publish();
    EXPECT_EQ(calls, (std::vector<std::string>{"a:Tick", "late:Tick"}));
}

TEST(Events, DestroyingALaterReceiverDuringPublicationIsSafe)
{
    std::vector<std::string> calls;
    EventTick tick;
    Probe a(&calls, "a");
    auto b = std::make_unique<Probe>(&calls, "b");
    tick.Subscribe(&a);
    tick.Subscribe(b.get());
    a.onEvent = [&] { b.reset(); };
    tick.Publish();
    EXPECT_EQ(calls, std::vector<std::string>{"a:Tick"});
    EXPECT_EQ(tick.subscribers.size(), 1u);
}

TEST(Events, EitherSideMayBeDestroyedFirst)
{
    Probe keeper(nullptr, "keeper");
    {
        EventLateTick shortLived;
        shortLived.Subscribe(&keeper);
        EXPECT_TRUE(Linked(keeper, shortLived));
    }
    EXPECT_TRUE(keeper.subscriptions.empty());

    EventTick tick;
    {
        Probe shortLived(nullptr, "gone");
        tick.Subscribe(&shortLived);
    }
    EXPECT_TRUE(tick.subscribers.empty());
}

TEST(Events, UnsubscribeAllLeavesEveryEvent)
{
    std::vector<std::string> calls;
    EventTick tick;
    EventLateTick late;
    Probe a(&calls, "a");
    tick.Subscribe(&a);
    late.Subscribe(&a);
    a.UnsubscribeAll();
    tick.Publish();
    late.Publish();
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(a.subscriptions.empty());
    EXPECT_TRUE(tick.subscribers.empty() && late.subscribers.empty());
}

TEST(Events, FreezeAndThawRejoinAtTheEndOfEachList)
{
    std::vector<std::string> calls;
    EventTick tick;
    EventLateTick late;
    Probe frozen(&calls, "frozen"), newcomer(&calls, "newcomer");
    tick.Subscribe(&frozen);
    late.Subscribe(&frozen);

    frozen.SwapParkedSubscriptions();
    EXPECT_TRUE(frozen.subscriptions.empty());
    EXPECT_EQ(frozen.parkedSubscriptions.size(), 2u);
    tick.Subscribe(&newcomer);
    tick.Publish();
    late.Publish();
    EXPECT_EQ(calls, std::vector<std::string>{"newcomer:Tick"});

    calls.clear();
    frozen.SwapParkedSubscriptions();
    EXPECT_TRUE(frozen.parkedSubscriptions.empty());
    EXPECT_TRUE(Linked(frozen, tick) && Linked(frozen, late));
    tick.Publish();
    EXPECT_EQ(calls, (std::vector<std::string>{"newcomer:Tick", "frozen:Tick"}));
}

TEST(Events, AssigningAFreshEventUnlinksItsFormerSubscribers)
{
    EventTick tick;
    Probe a(nullptr, "a");
    tick.Subscribe(&a);
    tick = EventTick();
    EXPECT_TRUE(tick.subscribers.empty());
    EXPECT_TRUE(a.subscriptions.empty());
}

TEST(Events, PayloadKeepsItsValuesUntilTheNextPublication)
{
    EventKeyboard keyboard;
    EXPECT_EQ(keyboard.GetName(), "Keyboard");
    EXPECT_EQ(keyboard.key, -1);
    GEvent start("DStart");
    EXPECT_EQ(start.GetName(), "DStart");
}
