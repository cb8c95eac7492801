// Runs the real game executable as a child process in a private working directory, prepared like
// the game's own (data links, important/ with the measuring tape) and then broken as needed.
#include "support/Harness.hpp"
#include "support/WindowCloser.hpp"

#include <cstdlib>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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

// The whole program: main runs the loop until the window is closed, then returns 0 with its log
// empty, even with a loading length that is no number.
TEST(Startup, ClosingTheWindowEndsTheGameWithZero)
{
    const testsupport::ScratchDirectory dir;
    testsupport::WriteFile("important/settings.txt", "Loading Length:abc;");
    // An argv[0] of its own names the game's window class, so this test closes its own game only.
    const std::string name = "hingewalk-test-" + std::to_string(getpid());
    const std::string command = "timeout -s KILL " + std::to_string(20 * kSlowdown) + " bash -c 'exec -a " +
                                name + " " + HINGEWALK_EXECUTABLE + "' >stdout.txt 2>stderr.txt";
    auto game = std::async(std::launch::async, [&] { return std::system(command.c_str()); });
    EXPECT_TRUE(testsupport::AskWindowToClose(name, std::chrono::seconds(10 * kSlowdown),
                                              std::chrono::milliseconds(500 * kSlowdown)))
        << "no game window appeared";
    const int status = game.get();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadFile("stderr.txt");
    EXPECT_TRUE(fs::exists("log.txt") && fs::file_size("log.txt") == 0);
}
