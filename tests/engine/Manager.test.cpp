#include "engine/Manager.hpp"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace
{
int constructed = 0;

struct Alpha : Manager<Alpha>
{
    Alpha() { ++constructed; }
};

// Only ever built as a local object, so the tests stay independent of one another.
struct Scoped : Manager<Scoped>
{
    EventTick heldEvent;
};

// Three managers that announce their destruction, for the order at program exit.
struct First : Manager<First>
{
    ~First() override { std::fputs("~First ", stderr); }
};
struct Second : Manager<Second>
{
    ~Second() override { std::fputs("~Second ", stderr); }
};
struct Third : Manager<Third>
{
    ~Third() override { std::fputs("~Third ", stderr); }
};
} // namespace

TEST(Manager, ASecondInstanceIsRefusedBeforeItsOwnConstructorRuns)
{
    Alpha& one = Alpha::getInstance();
    EXPECT_TRUE(Alpha::instanceExists);
    EXPECT_EQ(constructed, 1);
    try
    {
        Alpha second;
        FAIL() << "a second instance was allowed";
    }
    catch (const std::logic_error& error)
    {
        EXPECT_STREQ(error.what(), "Manager: an instance already exists! Only one instance is allowed.");
    }
    EXPECT_EQ(constructed, 1);
    // The refusal leaves the first instance and its flag alone.
    EXPECT_TRUE(Alpha::instanceExists);
    EXPECT_EQ(&Alpha::getInstance(), &one);
}

TEST(Manager, TheFlagIsSetExactlyWhileAnInstanceLives)
{
    EXPECT_FALSE(Scoped::instanceExists);
    {
        Scoped scoped;
        EXPECT_TRUE(Scoped::instanceExists);
        EXPECT_THROW(Scoped{}, std::logic_error);
        // Each type has a flag of its own.
        EXPECT_FALSE(First::instanceExists);
    }
    EXPECT_FALSE(Scoped::instanceExists);
    // A new instance may follow once the old one is gone.
    {
        Scoped again;
        EXPECT_TRUE(Scoped::instanceExists);
    }
    EXPECT_FALSE(Scoped::instanceExists);
}

TEST(Manager, DestroyingAManagerUnlinksItFromEveryEventInBothDirections)
{
    EventReceiver listener;
    EventLateTick outside;
    {
        Scoped scoped;
        scoped.heldEvent.Subscribe(&listener);
        outside.Subscribe(&scoped);
        ASSERT_EQ(listener.subscriptions.size(), 1u);
    }
    EXPECT_TRUE(listener.subscriptions.empty());
    EXPECT_TRUE(outside.subscribers.empty());
    outside.Publish();
}

TEST(Manager, InstancesAreDestroyedAtExitInReverseOrderOfConstruction)
{
    // A fresh process, so no manager of an earlier test (a window, say) is torn down with these.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Second::getInstance();
            First::getInstance();
            Third::getInstance();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "^~Third ~First ~Second $");
}
