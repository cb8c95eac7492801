// Runs the real game executable as a child process in a private working directory, prepared like
// the game's own (data links, important/ with the measuring tape) and then broken as needed.
#include "support/Harness.hpp"
#include "support/WindowCloser.hpp"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
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
    const pid_t game = fork();
    ASSERT_GE(game, 0);
    if (game == 0)
    {
        std::freopen("stdout.txt", "w", stdout);
        std::freopen("stderr.txt", "w", stderr);
        execl(HINGEWALK_EXECUTABLE, name.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const bool closed = testsupport::AskWindowToClose(name, std::chrono::seconds(10 * kSlowdown),
                                                      std::chrono::milliseconds(500 * kSlowdown));
    int status = 0;
    for (int i = 0; closed && i < 100 * kSlowdown && waitpid(game, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (waitpid(game, &status, WNOHANG) == 0)
    {
        kill(game, SIGKILL);
        waitpid(game, &status, 0);
        FAIL() << (closed ? "the game did not end when its window was closed" : "no game window appeared");
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadFile("stderr.txt");
    EXPECT_TRUE(fs::exists("log.txt") && fs::file_size("log.txt") == 0);
}
