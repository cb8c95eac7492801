// Every test program runs in a fresh working directory of its own whose data folders point at
// the built game data, so tests never touch the player's settings or log. Every test starts
// and ends with the singletons as a fresh program has them, so tests pass alone, together and
// in any order.
#include "support/Harness.hpp"

#include <gtest/gtest.h>

namespace
{
class SingletonReset : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override { testsupport::ResetSingletons(); }
    void OnTestEnd(const ::testing::TestInfo&) override { testsupport::ResetSingletons(); }
};
} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const testsupport::ScratchDirectory scratch;
    ::testing::UnitTest::GetInstance()->listeners().Append(new SingletonReset);
    return RUN_ALL_TESTS();
}
