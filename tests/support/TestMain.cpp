// Every test program runs in a fresh working directory of its own whose data folders point at
// the built game data, so tests never touch the player's settings or log.
#include "support/Harness.hpp"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const testsupport::ScratchDirectory scratch;
    return RUN_ALL_TESTS();
}
