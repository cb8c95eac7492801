#include "engine/core/Events.hpp"

#include "support/RecordingObject.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using Probe = testsupport::RecordingReceiver;
using Log = std::vector<std::string>;

namespace
{
bool Linked(const EventReceiver& receiver, const Event& event)
{
    return std::count(event.subscribers.begin(), event.subscribers.end(), &receiver) == 1 &&
           std::count(receiver.subscriptions.begin(), receiver.subscriptions.end(), &event) == 1;
}
} // namespace

TEST(Events, EachReceiverHearsOnceAndHandlersSeeTheListOfThePublicationStartMinusThoseWhoLeft)
{
    Log calls;
    EventTick tick;
    Probe a(&calls, "a"), b(&calls, "b"), late(&calls, "late");
    auto c = std::make_unique<Probe>(&calls, "c");
    // Subscribing twice keeps one entry; nobody subscribes nullptr.
    for (Probe* p : {&a, &a, &b, c.get(), static_cast<Probe*>(nullptr)})
        tick.Subscribe(p);
    EXPECT_TRUE(Linked(a, tick));
    EXPECT_EQ(tick.subscribers.size(), 3u);
    // a removes b and destroys c before their turn, and adds a newcomer that waits for the next
    // publication.
    a.onEvent = [&](Event&)
    {
        tick.Unsubscribe(&b);
        c.reset();
        tick.Subscribe(&late);
    };
    tick.Publish();
    EXPECT_EQ(calls, Log{"a:Tick"});
    calls.clear();
    a.onEvent = nullptr;
    tick.Publish();
    EXPECT_EQ(calls, (Log{"a:Tick", "late:Tick"}));
}

TEST(Events, EitherSideMayEndTheLinkAndNeitherKeepsAStaleEntry)
{
    Probe keeper;
    {
        EventLateTick shortLived;
        shortLived.Subscribe(&keeper);
        EXPECT_TRUE(Linked(keeper, shortLived));
    }
    EXPECT_TRUE(keeper.subscriptions.empty());

    EventTick tick;
    EventLateTick late;
    {
        Probe shortLived;
        tick.Subscribe(&shortLived);
    }
    EXPECT_TRUE(tick.subscribers.empty());

    Log calls;
    Probe a(&calls, "a");
    tick.Subscribe(&a);
    late.Subscribe(&a);
    a.UnsubscribeAll();
    tick.Publish();
    late.Publish();
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(a.subscriptions.empty() && tick.subscribers.empty() && late.subscribers.empty());

    // Assigning a fresh event unlinks the old one's subscribers.
    tick.Subscribe(&a);
    tick = EventTick();
    EXPECT_TRUE(tick.subscribers.empty());
    EXPECT_TRUE(a.subscriptions.empty());
}

TEST(Events, FreezeAndThawRejoinAtTheEndOfEachList)
{
    Log calls;
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
    EXPECT_EQ(calls, Log{"newcomer:Tick"});

    calls.clear();
    frozen.SwapParkedSubscriptions();
    EXPECT_TRUE(frozen.parkedSubscriptions.empty());
    EXPECT_TRUE(Linked(frozen, tick) && Linked(frozen, late));
    tick.Publish();
    EXPECT_EQ(calls, (Log{"newcomer:Tick", "frozen:Tick"}));
}
