#include "engine/core/Manager.hpp"

#include "support/Harness.hpp"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>

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
};

// Three managers that announce their destruction, for the order at program exit.
template <char Name> struct Loud : Manager<Loud<Name>>
{
    ~Loud() override { std::fprintf(stderr, "~%c ", Name); }
};
} // namespace

TEST(Manager, ASecondInstanceIsRefusedBeforeItsOwnConstructorRunsAndLeavesTheFirstAlone)
{
    Alpha& one = Alpha::getInstance();
    EXPECT_EQ(testsupport::ErrorOf<std::logic_error>([] { Alpha second; }),
              "Manager: an instance already exists! Only one instance is allowed.");
    EXPECT_EQ(constructed, 1);
    EXPECT_TRUE(Alpha::instanceExists);
    EXPECT_EQ(&Alpha::getInstance(), &one);
}

TEST(Manager, TheFlagIsSetExactlyWhileAnInstanceLivesAndEachTypeHasItsOwn)
{
    for (int round = 0; round < 2; ++round) // a new instance may follow once the old one is gone
    {
        EXPECT_FALSE(Scoped::instanceExists);
        const Scoped scoped;
        EXPECT_TRUE(Scoped::instanceExists);
        EXPECT_FALSE(Loud<'A'>::instanceExists);
    }
}

TEST(Manager, InstancesAreDestroyedAtExitInReverseOrderOfConstruction)
{
    // A fresh process, so no manager of an earlier test (a window, say) is torn down with these.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Loud<'B'>::getInstance();
            Loud<'A'>::getInstance();
            Loud<'C'>::getInstance();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "^~C ~A ~B $");
}
