#include "core/Events.hpp"

#include "support/RecordingObject.hpp"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

using Probe = testsupport::RecordingReceiver;
using Log = std::vector<std::string>;

TEST(Events, HandlersSeeTheListOfThePublicationStartMinusThoseWhoLeft)
{
    Log calls;
    EventTick tick;
    Probe a(&calls, "a"), b(&calls, "b"), late(&calls, "late");
    auto c = std::make_unique<Probe>(&calls, "c");
    for (Probe* p : {&a, &a, &b, c.get(), static_cast<Probe*>(nullptr)})
        tick.Subscribe(p);
    // a removes b and destroys c before their turn; the newcomer waits for the next publication.
    a.onEvent = [&](Event&)
    {
        tick.Unsubscribe(&b);
        c.reset();
        tick.Subscribe(&late);
    };
    tick.Publish();
    EXPECT_EQ(calls, Log{"a:Tick"});
    a.onEvent = nullptr;
    tick.Publish();
    EXPECT_EQ(calls, (Log{"a:Tick", "a:Tick", "late:Tick"})) << "subscribing twice keeps one entry";
}

TEST(Events, AnEventThatGoesFirstOrIsResetLeavesNoStaleLinkInItsReceivers)
{
    Probe keeper;
    auto shortLived = std::make_unique<EventLateTick>();
    shortLived->Subscribe(&keeper);
    shortLived.reset();
    EXPECT_TRUE(keeper.subscriptions.empty());
    EventTick tick;
    tick.Subscribe(&keeper);
    tick = EventTick(); // a manager resetting its event
    EXPECT_TRUE(keeper.subscriptions.empty());
}
