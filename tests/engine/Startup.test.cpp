// Runs the real game executable as a child process in a private working directory, prepared like
// the game's own (data links, important/ with the measuring tape) and then broken as needed.
#include "support/Harness.hpp"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;
using testsupport::ReadFile;

namespace
{
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlowdown = 3;
#else
constexpr int kSlowdown = 1;
#endif
} // namespace

TEST(Startup, AStartUpFailureEndsTheGameWithOneAndItsMessage)
{
    // Without the measuring tape the game ends silently before it opens anything: it gets no
    // usable display, where a window attempt would fail loudly.
    const char* const cases[][3] = {
        {"important/LoadBearingMeasuringTape.jpg", "DISPLAY=:no-such-display", ""                                                        },
        {"font-fixed-v3.ttf",                      "",                         "DisplayManager: failed to load font: font-fixed-v3.ttf\n"}
    };
    for (const auto& [missing, environment, message] : cases)
    {
        const testsupport::ScratchDirectory dir;
        fs::remove(missing);
        const std::string command = std::string(environment) + " timeout -s KILL " +
                                    std::to_string(15 * kSlowdown) + " " + HINGEWALK_EXECUTABLE +
                                    " >stdout.txt 2>stderr.txt";
        const int status = std::system(command.c_str());
        const std::string output = ReadFile("stdout.txt") + ReadFile("stderr.txt");
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << missing;
        EXPECT_TRUE(*message ? output.find(message) != std::string::npos
                             : output.empty() && !fs::exists("log.txt"))
            << output;
    }
}
